#include "instruments/gui/AltitudeSettingsDialog.h"

#include "base/FormatString.h"
#include "instruments/AltitudeSampler.h"
#include "units/NumberText.h"
#include "units/UnitFormatter.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace hw {

AltitudeSettingsDialog::AltitudeSettingsDialog(AltitudeSampler& sampler, SettingsStore& settings,
                                               QWidget* parent)
    : QDialog(parent), sampler_(sampler), settings_(settings)
{
    setObjectName(QStringLiteral("高度设置"));
    setWindowTitle(tr("海拔设置"));
    const UnitFormatter units(settings_);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("采样模式:"), this), 0, 0);
    mode_ = new QComboBox(this);
    mode_->setProperty("controlId", 1118);
    mode_->addItem(tr("Sample"), AltitudeSampler::EveryFix);
    mode_->addItem(tr("Distance"), AltitudeSampler::ByDistance);
    mode_->setCurrentIndex(sampler_.Mode() == AltitudeSampler::ByDistance ? 1 : 0);
    grid->addWidget(mode_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(tr("按距离阀值采样:"), this), 1, 0);
    distance_ = new QLineEdit(this);
    distance_->setProperty("controlId", 1044);
    distance_->setText(QString::fromStdString(
        FormatString("%G", units.LargeDistanceFromKm(sampler_.ThresholdKm()))));
    grid->addWidget(distance_, 1, 1);
    auto* unit = new QLabel(QString::fromStdString(units.LargeDistanceUnitLabel()), this);
    unit->setProperty("controlId", 1138);
    grid->addWidget(unit, 1, 2);
    layout->addLayout(grid);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(distance_, &QLineEdit::textChanged, this,
            [this] { ok_->setEnabled(DistanceKm() > 0); });
    ok_->setEnabled(DistanceKm() > 0);
}

double AltitudeSettingsDialog::DistanceKm() const
{
    // Text that does not parse reads as 0, which OK does not take.
    const double value = ParseRealPrefix(distance_->text().trimmed().toStdString());
    const double km = UnitFormatter(settings_).KmFromLargeDistance(value);
    return std::isfinite(km) ? km : 0;
}

void AltitudeSettingsDialog::accept()
{
    if (!sampler_.Store(settings_, mode_->currentData().toInt(), DistanceKm()))
        return;
    QDialog::accept();
}

} // namespace hw
