#include "map/gui/PlanWaypointDialog.h"

#include "units/NumberText.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace hw {
namespace {

struct DistanceUnit {
    const char* label;
    double km;
};
constexpr std::array<DistanceUnit, 4> kUnits = {
    {{QT_TRANSLATE_NOOP("hw::PlanWaypointDialog", "公里"), 1.0},
     {QT_TRANSLATE_NOOP("hw::PlanWaypointDialog", "米"), 0.001},
     {QT_TRANSLATE_NOOP("hw::PlanWaypointDialog", "英里"), 1.609344},
     {QT_TRANSLATE_NOOP("hw::PlanWaypointDialog", "英尺"), 0.0003048}}};

} // namespace

PlanWaypointDialog::PlanWaypointDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PlanWaypointDialog"));
    setWindowTitle(tr("规划路点"));
    distance_ = new QLineEdit(QStringLiteral("1"));
    unit_ = new QComboBox;
    for (const DistanceUnit& u : kUnits)
        unit_->addItem(tr(u.label));
    bearing_ = new QLineEdit(QStringLiteral("0"));
    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(distance_, 1);
    distanceRow->addWidget(unit_);
    auto* form = new QFormLayout;
    form->addRow(tr("距离:"), distanceRow);
    form->addRow(tr("方位:"), bearing_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
}

double PlanWaypointDialog::DistanceKm() const
{
    const int unit = std::max(0, unit_->currentIndex());
    return ParseRealPrefix(distance_->text().toStdString()) * kUnits[static_cast<size_t>(unit)].km;
}

double PlanWaypointDialog::BearingDegrees() const
{
    return std::fmod(ParseRealPrefix(bearing_->text().toStdString()), 360.0);
}

} // namespace hw
