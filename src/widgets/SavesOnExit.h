#pragma once

namespace hw {

// A page that keeps files of its own (the track, the last position) and
// writes them when the program closes.
class SavesOnExit {
public:
    virtual ~SavesOnExit() = default;
    virtual void SaveOnExit() = 0;
};

} // namespace hw
