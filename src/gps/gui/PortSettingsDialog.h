#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace hw {

class PortRegistry;
class SerialPort;
class SettingsStore;
class SystemPortScanner;

// "通信端口设定" (dialog 137): the port (the system's devices by number, then
// SER00 to SER32, then the GPS daemon "gpsd" with its address), the baud
// rate and automatic reconnection.
class PortSettingsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 137;
    static constexpr const char* kEnumerateError =
        QT_TRANSLATE_NOOP("hw::PortSettingsDialog", "错误 - 无法列举串口");

    PortSettingsDialog(SettingsStore& settings, SerialPort& port, PortRegistry& registry,
                       const SystemPortScanner& scanner, QWidget* parent = nullptr);

    // False when the ports could not be listed (the message was shown).
    bool Ready() const { return ready_; }
    int Port() const;
    uint32_t Baud() const;
    bool AutoReconnect() const;
    QComboBox* PortBox() const { return port_; }
    QComboBox* BaudBox() const { return baud_; }
    QLineEdit* DeviceField() const { return device_; }
    void done(int result) override;

private:
    bool GpsdChosen() const;

    SettingsStore& settings_;
    PortRegistry& registry_;
    bool ready_ = false;
    QComboBox* port_;
    QComboBox* baud_;
    QCheckBox* reconnect_;
    QLineEdit* device_ = nullptr;
};

} // namespace hw
