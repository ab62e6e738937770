#include "ProgressLine.h"

#include "base/FormatString.h"

#include <cstdio>
#include <unistd.h>

namespace hw::tool {

ProgressLine::ProgressLine(std::string command)
    : command_(std::move(command)), active_(::isatty(STDERR_FILENO) == 1)
{
}

ProgressLine::~ProgressLine()
{
    Done();
}

void ProgressLine::Show(const std::string& phase, double share)
{
    if (!active_)
        return;
    const Clock::time_point now = Clock::now();
    const bool newPhase = phase != phase_;
    if (newPhase) {
        phase_ = phase;
        phaseStart_ = now;
    } else if (now - lastDrawn_ < std::chrono::milliseconds(200)) {
        return;
    }
    lastDrawn_ = now;
    std::string line = "\r\033[K" + command_ + ": " + phase;
    if (share >= 0) {
        line += FormatString(" %3.0f%%", share * 100);
        const double elapsed = std::chrono::duration<double>(now - phaseStart_).count();
        if (share > 0.02 && elapsed > 1)
            line += FormatString(", about %.0f s left", elapsed / share * (1 - share));
    }
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    shown_ = true;
}

void ProgressLine::Done()
{
    if (shown_)
        std::fputs("\r\033[K", stderr);
    shown_ = false;
}

} // namespace hw::tool
