#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace hw {

class AltitudeSampler;
class SettingsStore;

// Dialog 160 "高度设置" (caption "海拔设置"): the altitude chart samples every
// fix or by distance, the distance in the large distance unit. OK stores
// both; OK waits for a distance above 0.
class AltitudeSettingsDialog : public QDialog {
    Q_OBJECT
public:
    AltitudeSettingsDialog(AltitudeSampler& sampler, SettingsStore& settings,
                           QWidget* parent = nullptr);

    QComboBox* Mode() const { return mode_; }
    QLineEdit* Distance() const { return distance_; }
    void accept() override;

private:
    double DistanceKm() const;

    AltitudeSampler& sampler_;
    SettingsStore& settings_;
    QComboBox* mode_;
    QLineEdit* distance_;
    QPushButton* ok_ = nullptr;
};

} // namespace hw
