#include "shell/FrameCommands.h"

#include "base/ColourTheme.h"
#include "base/CommandIds.h"

namespace hw {

bool QueryFrameCommand(int id, const FrameState& state, CommandStatus& status)
{
    status = CommandStatus{};
    const int theme = ColourTheme::ThemeOfCommand(id);
    if (theme >= 0) {
        status.checked = theme == state.theme;
        return true;
    }
    switch (id) {
    // Closed while a replay runs; once the replay has stopped the user must
    // be able to reach the port again, or replay mode could never be left.
    case cmd::kSerialPortSettings:
        status.enabled = !state.replayMode || !state.portOpen;
        return true;
    case cmd::kReplayNmea: status.checked = state.replayMode; return true;
    case cmd::kConnectGps: status.checked = state.portOpen; return true;
    case cmd::kStartNmeaLog: status.enabled = !state.logging; return true;
    case cmd::kStopNmeaLog: status.enabled = state.logging; return true;
    case cmd::kButtonsAndMenus: status.checked = state.menuAndIcons; return true;
    case cmd::kImportSettings:
    case cmd::kUnits:
    case cmd::kMiscSettings:
    case cmd::kSirfNmeaOutput:
    case cmd::kSirfParameters:
    case cmd::kAutoDetectGps:
    case cmd::kHelp:
    case cmd::kAbout:
    case cmd::kExit: return true;
    default: return false;
    }
}

} // namespace hw
