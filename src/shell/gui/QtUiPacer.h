#pragma once

#include "base/UiPacer.h"

namespace hw {

// Waits on the UI thread while the windows stay live: events are dispatched
// during the wait.
class QtUiPacer final : public UiPacer {
public:
    void PumpMessages() override;
    void Sleep(int milliseconds) override;
};

} // namespace hw
