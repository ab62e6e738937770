#pragma once

#include "shell/Clock.h"
#include "shell/UiPacer.h"

#include <cstdint>
#include <vector>

namespace hw::test {

// Simulated time for work that waits on the UI thread: Sleep() advances the
// clock instead of sleeping, so multi-second sequences run at once.
class FakeTime final : public Clock, public UiPacer {
public:
    int64_t NowSeconds() const override { return 1'700'000'000 + ms_ / 1000; }
    int64_t MonotonicMs() const override { return ms_; }
    void PumpMessages() override { ++pumps; }
    void Sleep(int milliseconds) override { ms_ += milliseconds; }

    int64_t ElapsedMs() const { return ms_; }
    int pumps = 0;

private:
    int64_t ms_ = 0;
};

// A binary frame of the SiRF protocol built here, apart from the code under
// test: start bytes, big-endian length, payload, 15-bit sum, end bytes.
inline std::vector<uint8_t> SirfFrame(const std::vector<uint8_t>& payload)
{
    unsigned sum = 0;
    for (uint8_t b : payload)
        sum += b;
    sum &= 0x7FFF;
    std::vector<uint8_t> frame;
    frame.reserve(payload.size() + 8);
    for (unsigned b : {0xA0u, 0xA2u, unsigned(payload.size() >> 8), unsigned(payload.size() & 0xFF)})
        frame.push_back(static_cast<uint8_t>(b));
    for (uint8_t b : payload)
        frame.push_back(b);
    for (unsigned b : {sum >> 8, sum & 0xFF, 0xB0u, 0xB3u})
        frame.push_back(static_cast<uint8_t>(b));
    return frame;
}

} // namespace hw::test
