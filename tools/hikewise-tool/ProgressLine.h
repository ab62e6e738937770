#pragma once

#include <chrono>
#include <string>

namespace hw::tool {

// A long command's progress on standard error while that is a terminal
// (nothing otherwise): the phase, the share done and the time left, on one
// line redrawn a few times a second.
class ProgressLine {
public:
    explicit ProgressLine(std::string command);
    ~ProgressLine();

    // A new phase starts its clock; share in [0, 1], or negative when not known.
    void Show(const std::string& phase, double share);
    // Clears the line.
    void Done();

private:
    using Clock = std::chrono::steady_clock;
    std::string command_;
    bool active_ = false;
    bool shown_ = false;
    std::string phase_;
    Clock::time_point phaseStart_, lastDrawn_;
};

} // namespace hw::tool
