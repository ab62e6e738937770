#pragma once

#include "gps/KeepAwake.h"

#include <cstdint>

namespace hw {

// Keeps the desktop awake through the session bus's screen-saver service
// (org.freedesktop.ScreenSaver Inhibit / UnInhibit). Where there is no
// session bus or no such service it does nothing, silently.
class ScreenSaverKeepAwake final : public KeepAwake {
public:
    ScreenSaverKeepAwake() = default;
    ~ScreenSaverKeepAwake() override;
    ScreenSaverKeepAwake(const ScreenSaverKeepAwake&) = delete;
    ScreenSaverKeepAwake& operator=(const ScreenSaverKeepAwake&) = delete;

    void Hold(bool awake) override;
    bool Holding() const { return holding_; }

private:
    bool holding_ = false;
    uint32_t cookie_ = 0;
};

} // namespace hw
