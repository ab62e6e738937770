#include "gps/gui/SirfSettingsDialog.h"

#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hw {
namespace {

QSpinBox* Rate(QWidget* parent, int value)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, 99); // two decimal digits go to the receiver
    box->setValue(value);
    return box;
}

} // namespace

SirfSettingsDialog::SirfSettingsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SirfSettingsDialog"));
    setWindowTitle(tr("SiRF GPS 设定"));
    const SirfSetupOptions defaults;
    staticNav_ = new QCheckBox(tr("启用静态导航"), this);
    staticNav_->setChecked(defaults.staticNavigation);
    sbas_ = new QCheckBox(tr("启用 WAAS/EGNOS"), this);
    sbas_->setChecked(defaults.sbas);
    gga_ = Rate(this, defaults.rates.gga);
    gsa_ = Rate(this, defaults.rates.gsa);
    gsv_ = Rate(this, defaults.rates.gsv);
    rmc_ = Rate(this, defaults.rates.rmc);
    auto* rates = new QGroupBox(tr("NMEA 频率 (秒):"), this);
    auto* form = new QFormLayout(rates);
    form->addRow(QStringLiteral("GGA"), gga_);
    form->addRow(QStringLiteral("GSA"), gsa_);
    form->addRow(QStringLiteral("GSV"), gsv_);
    form->addRow(QStringLiteral("RMC"), rmc_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(staticNav_);
    layout->addWidget(sbas_);
    layout->addWidget(rates);
    layout->addStretch(1);
    layout->addWidget(OkCancelButtons(this));
}

SirfSetupOptions SirfSettingsDialog::Options() const
{
    SirfSetupOptions o;
    o.staticNavigation = staticNav_->isChecked();
    o.sbas = sbas_->isChecked();
    o.rates.gga = gga_->value();
    o.rates.gsa = gsa_->value();
    o.rates.gsv = gsv_->value();
    o.rates.rmc = rmc_->value();
    return o;
}

} // namespace hw
