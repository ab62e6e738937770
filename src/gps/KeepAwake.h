#pragma once

namespace hw {

// Keeps the machine from going to sleep or blanking while the program runs
// with a receiver (the desktop's screen-saver inhibition in the gui).
class KeepAwake {
public:
    virtual ~KeepAwake() = default;
    // Called on every keep-awake tick with the current wish; holding twice
    // is harmless, as is releasing what is not held.
    virtual void Hold(bool awake) = 0;
};

} // namespace hw
