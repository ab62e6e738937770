#pragma once

#include <QDialog>

#include <atomic>
#include <functional>
#include <thread>

class QLabel;

namespace fixscope {

class LogListBox;

// Dialog 107: tries "COM1:" to "COM10:" at one rate and waits up to 5 s on
// each for a receiver's first update. The scan runs on its own thread so the
// window stays responsive; closing the dialog stops it.
class PortScanDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDetectTimeoutMs = 5000;

    PortScanDialog(int baud, QWidget* parent = nullptr);
    ~PortScanDialog() override;

    // The first port where a receiver answered, 0 when none did.
    int FoundPort() const { return foundPort_; }
    bool IsScanning() const { return scanning_; }
    LogListBox* Log() const { return log_; }
    QString Header() const;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void Run(int baud);
    void Post(std::function<void()> onUiThread);
    void Stop();

    int baud_;
    QLabel* header_;
    LogListBox* log_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool scanning_ = false;
    int foundPort_ = 0;
};

} // namespace fixscope
