#pragma once

#include "gps/GpsFix.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace hw {

// The fix as it stood after each position sentence, numbered from 1, so that
// a reader that falls behind (many GGAs decoded before it runs, as a fast
// replay or a fast receiver does) still sees every position in order, not
// only the newest. Holds every fix its reader has not yet taken, up to
// kLimit (beyond that the oldest go, and the reader sees a gap in the
// numbers), and at least the latest kCapacity. Not locked itself.
class FixHistory {
public:
    static constexpr size_t kCapacity = 64;
    // About 10 MB of fixes: minutes of a 10 Hz receiver while the reader is held up.
    static constexpr size_t kLimit = 4096;

    void Push(const GpsFix& fix);
    // Appends the fixes numbered above `after` that are still held, oldest
    // first, and returns the newest number (0 before the first push). Every
    // fix up to the newest then counts as taken: it need be held no longer.
    uint64_t Since(uint64_t after, std::vector<GpsFix>& out);
    uint64_t Newest() const { return newest_; }
    // The fixes held that no reader has taken yet.
    size_t Untaken() const;

private:
    uint64_t OldestHeld() const { return newest_ - fixes_.size() + 1; }
    void Trim();

    std::deque<GpsFix> fixes_; // numbered OldestHeld() to newest_
    uint64_t newest_ = 0;
    uint64_t taken_ = 0; // the newest number handed to a reader
};

} // namespace hw
