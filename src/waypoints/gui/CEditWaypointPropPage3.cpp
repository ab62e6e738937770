#include "waypoints/gui/CEditWaypointPropPage3.h"

#include "waypoints/WaypointEditValues.h"
#include "waypoints/gui/GeocacheStateChoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace hw {

CEditWaypointPropPage3::CEditWaypointPropPage3(QWidget* parent) : CEditWaypointPropPage(parent)
{
    state_ = GeocacheStateChoice(this);
    useStateIcon_ = new QCheckBox(tr("设置 Geocache 状态图标"), this);
    connect(useStateIcon_, &QCheckBox::toggled, this, &CEditWaypointPropPage3::UseStateIconChanged);
    found_ = new QDateTimeEdit(this);
    found_->setObjectName(QStringLiteral("FoundTime"));
    found_->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    found_->setCalendarPopup(true);
    auto* now = new QPushButton(tr("设置已发现的时间为当前时间"), this);
    connect(now, &QPushButton::clicked, this,
            [this] { found_->setDateTime(QDateTime::currentDateTime()); });
    link_ = new QLineEdit(this);
    link_->setObjectName(QStringLiteral("Link"));

    auto* form = new QFormLayout(this);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(new QLabel(tr("Geocache 状态"), this));
    form->addRow(state_);
    form->addRow(useStateIcon_);
    form->addRow(tr("Geocache 发现于:"), found_);
    form->addRow(now);
    form->addRow(tr("Catche链接:"), link_);
}

QString CEditWaypointPropPage3::Title() const
{
    return QStringLiteral("Geocache");
}

void CEditWaypointPropPage3::Fill(const WaypointEditValues& v)
{
    state_->setCurrentIndex(std::max(0, state_->findData(v.geocacheState)));
    useStateIcon_->setChecked(v.useStateIcon != 0);
    found_->setDateTime(QDateTime::fromSecsSinceEpoch(v.foundTime));
    link_->setText(QString::fromStdString(v.url));
    link_->setCursorPosition(0); // the link shows from its start
}

void CEditWaypointPropPage3::Store(WaypointEditValues& v) const
{
    v.geocacheState = state_->currentData().toInt();
    v.useStateIcon = useStateIcon_->isChecked() ? 1 : 0;
    v.foundTime = found_->dateTime().toSecsSinceEpoch();
    v.url = link_->text().toStdString();
}

} // namespace hw
