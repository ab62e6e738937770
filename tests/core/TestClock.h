#pragma once

#include "base/Clock.h"

namespace hw::test {

// A clock that stands still until the test moves it.
class ManualClock final : public Clock {
public:
    explicit ManualClock(int64_t seconds = 0) : seconds_(seconds) {}
    int64_t NowSeconds() const override { return seconds_; }
    int64_t MonotonicMs() const override { return seconds_ * 1000; }
    void Set(int64_t seconds) { seconds_ = seconds; }
    void Advance(int64_t seconds) { seconds_ += seconds; }

private:
    int64_t seconds_;
};

} // namespace hw::test
