#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace hw {

// Dialog 165 "速度设置": the speedometer's full scale, chosen from the list
// or typed as a whole number above 0.
class SpeedSettingsDialog : public QDialog {
    Q_OBJECT
public:
    SpeedSettingsDialog(int currentMaximum, QWidget* parent = nullptr);

    // The chosen full scale; 0 while the text is not a whole number above 0.
    int Chosen() const;
    QComboBox* Combo() const { return combo_; }

private:
    QComboBox* combo_;
    QPushButton* ok_ = nullptr;
};

} // namespace hw
