#pragma once

#include "gps/SirfParameterSetup.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace hw {

// "SiRF GPS 设定" (dialog 164): static navigation, SBAS and the NMEA rates in
// seconds. Not stored between uses.
class SirfSettingsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 164;
    explicit SirfSettingsDialog(QWidget* parent = nullptr);
    SirfSetupOptions Options() const;

private:
    QCheckBox* staticNav_;
    QCheckBox* sbas_;
    QSpinBox* gga_;
    QSpinBox* gsa_;
    QSpinBox* gsv_;
    QSpinBox* rmc_;
};

} // namespace hw
