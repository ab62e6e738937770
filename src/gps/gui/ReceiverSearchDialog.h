#pragma once

#include "gps/LinkSearchHost.h"
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
class UiPacer;

// "查找 GPS" (dialog 149): tries every port and rate until NMEA arrives and
// shows which of the needed sentence types the receiver sends.
class ReceiverSearchDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 149;
    static constexpr int kTickMs = 100;

    ReceiverSearchDialog(SettingsStore& settings, GpsLink& link, NmeaParser& parser,
                         SerialPort& port, UiPacer& pacer, QWidget* parent = nullptr);
    const ReceiverSearch& Search() const { return search_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnTick();
    void ShowReadouts();

    LinkSearchHost host_;
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
