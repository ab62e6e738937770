#pragma once

#include "base/CommandTarget.h"

namespace hw {

// What the main frame's menu items show depends on.
struct FrameState {
    bool replayMode = false;
    bool portOpen = false;
    bool logging = false;
    bool menuAndIcons = false; // "Use Menu and Icons"
    int theme = 0;
};

// The look of the commands the main frame carries itself; false for a
// command that is not the frame's.
bool QueryFrameCommand(int id, const FrameState& state, CommandStatus& status);

} // namespace hw
