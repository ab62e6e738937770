#pragma once

#include <string>

namespace hw {

// What the serial link needs from the window that owns it.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    // A Yes/No question with a question icon; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    // An error message box.
    virtual void ShowError(const std::string& text) = 0;
    // The replay pump timer (100 ms).
    virtual void StartReplayTimer() = 0;
    virtual void StopReplayTimer() = 0;
};

} // namespace hw
