#pragma once

#include <QObject>

#include <string>
#include <thread>

namespace fixscope {

class SerialChannel;

// Sends one command at a time on a short-lived writer thread; a command
// offered while the previous one is still being written is refused.
class CommandWriter : public QObject {
    Q_OBJECT
public:
    explicit CommandWriter(SerialChannel& channel, QObject* parent = nullptr);
    ~CommandWriter() override;

    // Starts writing `bytes`; false (and nothing sent) while busy.
    bool Start(std::string bytes);
    bool IsBusy() const { return busy_; }

signals:
    // On the UI thread once the bytes are written (or the write failed).
    void finished(bool ok);

private:
    SerialChannel& channel_;
    std::thread thread_;
    bool busy_ = false; // UI thread only: cleared when `finished` is delivered
};

} // namespace fixscope
