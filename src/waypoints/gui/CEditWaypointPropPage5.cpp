#include "waypoints/gui/CEditWaypointPropPage5.h"

#include "waypoints/WaypointEditValues.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace hw {

CEditWaypointPropPage5::CEditWaypointPropPage5(QWidget* parent) : CEditWaypointPropPage(parent)
{
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("FieldNotes"));
    pending_ = new QCheckBox(tr("队列为 上传/导出"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notes_, 1);
    layout->addWidget(pending_);
}

QString CEditWaypointPropPage5::Title() const
{
    return tr("区域注释");
}

void CEditWaypointPropPage5::Fill(const WaypointEditValues& v)
{
    notes_->setPlainText(QString::fromStdString(v.fieldNotes));
    pending_->setChecked(v.fieldNotePending != 0);
}

void CEditWaypointPropPage5::Store(WaypointEditValues& v) const
{
    v.fieldNotes = notes_->toPlainText().toStdString();
    v.fieldNotePending = pending_->isChecked() ? 1 : 0;
}

} // namespace hw
