#pragma once

namespace hw {

// How a command's menu item and button look right now.
struct CommandStatus {
    bool enabled = true;
    bool checked = false;
};

// Something that may handle menu and bar commands. Commands are offered along
// a chain of targets; the first that handles one ends the search.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Carries out the command; false when it is not this target's.
    virtual bool HandleCommand(int id) = 0;
    // Fills in the command's look; false when it is not this target's.
    virtual bool QueryCommand(int /*id*/, CommandStatus& /*status*/) const { return false; }
};

} // namespace hw
