#pragma once

#include <string>

namespace hw {

// The program's string table: user texts by resource id, UTF-8, in the
// interface language. Returns an empty string for an unknown id, as a failed
// string load would.
const char* LoadString(int id);

// A command's prompt, the string of its id: the status bar's text while the
// command is highlighted, and its short tip; both empty when it has none.
struct CommandPrompt {
    std::string status;
    std::string tip;
};
CommandPrompt LoadCommandPrompt(int command);

} // namespace hw
