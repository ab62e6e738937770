#pragma once

namespace hw {

// Lets long work on the UI thread wait without freezing the windows: the gui
// dispatches pending events and sleeps; tests advance a simulated clock.
class UiPacer {
public:
    virtual ~UiPacer() = default;
    // Dispatches the window messages waiting on the UI thread.
    virtual void PumpMessages() = 0;
    // Waits about this long (the windows stay live where the gui can manage).
    virtual void Sleep(int milliseconds) = 0;
};

} // namespace hw
