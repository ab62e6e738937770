#pragma once

#include <QDialog>

namespace hw {

// The first start's welcome (dialog 154): look for the receiver now ("开始")
// or later ("跳过"). Accepted means start.
class InitialSetupDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 154;
    static constexpr const char* kText = QT_TRANSLATE_NOOP(
        "hw::InitialSetupDialog", "欢迎使用Hikewise 配置程序。你想让Hikewise尝试寻找GPS接收器吗？ "
                                  "如果你选择不你可以稍后使用菜单 工具->GPS->自动检测 GPS.");
    static constexpr const char* kStart = QT_TRANSLATE_NOOP("hw::InitialSetupDialog", "开始");
    static constexpr const char* kSkip = QT_TRANSLATE_NOOP("hw::InitialSetupDialog", "跳过");

    explicit InitialSetupDialog(QWidget* parent = nullptr);
};

} // namespace hw
