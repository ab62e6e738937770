#include "widgets/NotificationEvent.h"

#include <QCoreApplication>

namespace hw {

QEvent::Type NotificationEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void QtNotificationSink::Post(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    // postEvent is thread-safe and queues without waiting for the receiver.
    QCoreApplication::postEvent(target_, new NotificationEvent(message, wParam, lParam));
}

} // namespace hw
