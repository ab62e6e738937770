#pragma once

#include <QObject>

class QSocketNotifier;

namespace fixscope {

// Ends the event loop in order on SIGTERM, SIGINT and SIGHUP (a shutdown,
// Ctrl+C, a closed terminal), so that the window closes the port as Exit
// does and the port's exclusive flag is cleared. The handler only writes the
// signal to a pipe; its reading end wakes the event loop. One at a time; the
// previous handlers come back when it goes.
class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignals(QObject* parent = nullptr);
    ~QuitOnSignals() override;
    // False when the pipe or a handler could not be set up.
    bool Installed() const { return installed_; }

private:
    void OnSignal();

    QSocketNotifier* notifier_ = nullptr;
    bool installed_ = false;
};

} // namespace fixscope
