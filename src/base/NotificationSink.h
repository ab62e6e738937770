#pragma once

#include <cstdint>

namespace hw {

// Where the core posts its notifications (WindowMessages.h). Post() queues
// and returns at once; it never waits for the receiver. The gui posts them
// as Qt events to the UI thread; tests record them.
class NotificationSink {
public:
    virtual ~NotificationSink() = default;
    virtual void Post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) = 0;
};

} // namespace hw
