#pragma once

#include "gui/CommandWriter.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace fixscope {

class LogListBox;
class SerialChannel;

// The "Setup" page: port and rate, port scan, open and close, and the
// receiver commands.
class GpsSetupWnd : public QWidget {
    Q_OBJECT
public:
    GpsSetupWnd(SerialChannel& device, QWidget* parent = nullptr);
    ~GpsSetupWnd() override;

    // Opens the chosen port at the chosen rate, or closes the open one.
    void OpenOrClose();
    // Runs the port scan dialog and selects the first port found.
    void Scan();
    // Sends a command sentence stored as "$...*"; false when the device is
    // closed or an earlier command is still being written.
    bool SendCommand(const char* stored, bool leadingLineEnd);

    void SelectPort(int number);
    void SelectRate(int baud);
    int ChosenRate() const;
    LogListBox* Log() const { return log_; }

signals:
    void deviceOpenChanged(bool open);

private:
    void UpdateEnabled();
    // Shows the device behind each port number as it is now.
    void RefreshPorts();
    // The reader ended by itself: back to closed, with the reason in the log.
    void DeviceGone(const QString& reason);

    SerialChannel& device_;
    CommandWriter writer_;
    QComboBox* ports_;
    QComboBox* rates_;
    QPushButton* scan_;
    QPushButton* openClose_;
    QPushButton* hotStart_;
    QPushButton* coldStart_;
    QPushButton* warmStart_;
    QCheckBox* powerSave_;
    QCheckBox* sbas_;
    LogListBox* log_;
};

} // namespace fixscope
