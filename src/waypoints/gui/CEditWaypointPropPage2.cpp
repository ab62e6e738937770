#include "waypoints/gui/CEditWaypointPropPage2.h"

#include "waypoints/gui/AlarmControls.h"

#include <QVBoxLayout>

namespace hw {

CEditWaypointPropPage2::CEditWaypointPropPage2(QWidget* parent) : CEditWaypointPropPage(parent)
{
    alarm_ = new AlarmControls(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(alarm_);
    layout->addStretch(1);
}

QString CEditWaypointPropPage2::Title() const
{
    return tr("激活路点");
}

void CEditWaypointPropPage2::Fill(const WaypointEditValues& v)
{
    alarm_->Fill(v);
}

void CEditWaypointPropPage2::Store(WaypointEditValues& v) const
{
    alarm_->Store(v);
}

} // namespace hw
