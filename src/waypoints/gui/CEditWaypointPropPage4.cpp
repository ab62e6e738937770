#include "waypoints/gui/CEditWaypointPropPage4.h"

#include "waypoints/WaypointEditValues.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace hw {

CEditWaypointPropPage4::CEditWaypointPropPage4(QWidget* parent) : CEditWaypointPropPage(parent)
{
    comment_ = new QPlainTextEdit(this);
    comment_->setObjectName(QStringLiteral("Comment"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(comment_);
}

QString CEditWaypointPropPage4::Title() const
{
    return tr("注释/描述");
}

void CEditWaypointPropPage4::Fill(const WaypointEditValues& v)
{
    comment_->setPlainText(QString::fromStdString(v.comment));
}

void CEditWaypointPropPage4::Store(WaypointEditValues& v) const
{
    v.comment = comment_->toPlainText().toStdString();
}

} // namespace hw
