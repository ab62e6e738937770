#pragma once

#include <cstdint>

namespace hw {

// The time as the core sees it: wall-clock seconds since 1970 UTC and a
// monotonic millisecond counter for intervals. SystemClock is the real one;
// tests supply their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual int64_t NowSeconds() const = 0;
    virtual int64_t MonotonicMs() const = 0;
};

class SystemClock final : public Clock {
public:
    int64_t NowSeconds() const override;
    int64_t MonotonicMs() const override;
};

} // namespace hw
