#pragma once

#include <QObject>
#include <QTimer>

namespace fixscope {

// Keeps the desktop from blanking the screen or suspending while the receiver
// delivers updates: each Poke holds a screen-saver inhibition (over the
// session bus) that is released a minute after the last one. Where there is
// no session bus or no screen saver, it does nothing.
class KeepAwake : public QObject {
    Q_OBJECT
public:
    static constexpr int kHoldMs = 60000;

    explicit KeepAwake(QObject* parent = nullptr, int holdMs = kHoldMs);
    ~KeepAwake() override;

    void Poke();
    bool IsHolding() const { return inhibited_; }
    // True once the bus said there is no screen saver to ask.
    bool IsUnavailable() const { return unavailable_; }

private:
    void Release();

    QTimer releaseTimer_;
    unsigned cookie_ = 0;
    bool inhibited_ = false;
    bool pending_ = false;
    bool unavailable_ = false;
};

} // namespace fixscope
