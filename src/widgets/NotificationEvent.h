#pragma once

#include "base/NotificationSink.h"

#include <QEvent>
#include <QPointer>

namespace hw {

// A posted notification (WM_GPS_* and the like) as a Qt event.
class NotificationEvent : public QEvent {
public:
    NotificationEvent(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0)
        : QEvent(EventType()), message_(message), wParam_(wParam), lParam_(lParam)
    {
    }
    static QEvent::Type EventType();

    uint32_t Message() const { return message_; }
    uintptr_t WParam() const { return wParam_; }
    intptr_t LParam() const { return lParam_; }

private:
    uint32_t message_;
    uintptr_t wParam_;
    intptr_t lParam_;
};

// Posts the core's notifications to a window on the UI thread. Post() may be
// called from any thread and never waits.
class QtNotificationSink final : public NotificationSink {
public:
    explicit QtNotificationSink(QObject* target) : target_(target) {}
    void Post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) override;

private:
    QObject* target_;
};

} // namespace hw
