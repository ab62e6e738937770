#pragma once

#include "gps/GpsFix.h"

#include <cstdint>
#include <vector>

namespace hw {

// The fix as it stood after each of the latest position sentences, numbered
// from 1, so that a reader that falls behind (several GGAs decoded before
// it runs, as a fast replay does) still sees every position in order, not
// only the newest. Holds the last kCapacity; not locked itself.
class FixHistory {
public:
    static constexpr size_t kCapacity = 64;

    void Push(const GpsFix& fix);
    // Appends the fixes numbered above `after` that are still held, oldest
    // first, and returns the newest number (0 before the first push).
    uint64_t Since(uint64_t after, std::vector<GpsFix>& out) const;
    uint64_t Newest() const { return newest_; }

private:
    std::vector<GpsFix> fixes_ = std::vector<GpsFix>(kCapacity); // on the heap: a few hundred KB
    uint64_t newest_ = 0;
};

} // namespace hw
