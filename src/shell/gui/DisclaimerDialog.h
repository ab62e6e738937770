#pragma once

#include <QDialog>

class QCheckBox;

namespace hw {

// The warning shown at start (dialog 139): the text, "do not show this
// again", OK and Cancel.
class DisclaimerDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 139;
    static constexpr const char* kDoNotShowAgain =
        QT_TRANSLATE_NOOP("hw::DisclaimerDialog", "下次不再显示此信息");

    explicit DisclaimerDialog(QWidget* parent = nullptr);
    bool DoNotShowAgain() const;
    QCheckBox* CheckBox() const { return check_; }

private:
    QCheckBox* check_;
};

} // namespace hw
