#pragma once

#include "gps/ReceiverSearch.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QLabel;
class QProgressBar;

namespace hw {

class GpsLink;
class NmeaParser;
class SerialPort;
class SettingsStore;

// "查找 GPS" (dialog 149): tries every port and rate until NMEA arrives and
// shows which of the needed sentence types the receiver sends.
class ReceiverSearchDialog : public QDialog, public ReceiverSearchHost {
    Q_OBJECT
public:
    static constexpr int kDialogId = 149;
    static constexpr int kTickMs = 100;

    ReceiverSearchDialog(SettingsStore& settings, GpsLink& link, NmeaParser& parser,
                         SerialPort& port, QWidget* parent = nullptr);
    const ReceiverSearch& Search() const { return search_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // ReceiverSearchHost
    void EnumeratePorts() override;
    void ClosePort() override;
    void Pause(int milliseconds) override;
    bool Connect(int port, uint32_t baud) override;
    SentenceCounts Counts() const override;

    void OnTick();
    void ShowReadouts();

    GpsLink& link_;
    NmeaParser& parser_;
    SerialPort& port_;
    ReceiverSearch search_;
    QTimer timer_;
    bool started_ = false;
    QLabel* portLabel_;
    QLabel* baudLabel_;
    QLabel* status_;
    std::array<QLabel*, 4> readouts_{};
    QProgressBar* progress_;
};

} // namespace hw
