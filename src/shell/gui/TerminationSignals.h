#pragma once

#include <QObject>

class QSocketNotifier;

namespace hw {

// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C, a closed
// terminal) turned into a signal on the UI thread: the handler only writes
// the number to a socket pair, whose reading end wakes the event loop. One
// at a time; the previous handlers come back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    // False when the socket pair or a handler could not be set up.
    bool Installed() const { return installed_; }

signals:
    void Received(int signalNumber);

private:
    void OnReadable();

    QSocketNotifier* notifier_ = nullptr;
    bool installed_ = false;
};

} // namespace hw
