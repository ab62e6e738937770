#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace hw {

// Entries numbered from 1 as they are pushed, so that a reader that falls
// behind (many decoded before it runs, as a fast replay or a fast receiver
// does) still sees every one in order, not only the newest. Holds every entry
// its reader has not yet taken, up to kLimit (beyond that the oldest go, and
// the reader sees a gap in the numbers), and at least the latest kCapacity.
// Not locked itself.
template <typename Entry> class NumberedHistory {
public:
    static constexpr size_t kCapacity = 64;
    // Minutes of a 10 Hz receiver while the reader is held up.
    static constexpr size_t kLimit = 4096;

    void Push(const Entry& entry)
    {
        entries_.push_back(entry);
        ++newest_;
        Trim();
    }
    // Appends the entries numbered above `after` that are still held, oldest
    // first, and returns the newest number (0 before the first push). Every
    // entry up to the newest then counts as taken: it need be held no longer.
    uint64_t Since(uint64_t after, std::vector<Entry>& out)
    {
        if (!entries_.empty())
            for (uint64_t n = std::max(after + 1, OldestHeld()); n <= newest_; ++n)
                out.push_back(entries_[n - OldestHeld()]);
        taken_ = newest_;
        Trim();
        return newest_;
    }
    uint64_t Newest() const { return newest_; }
    // The entries held that no reader has taken yet.
    size_t Untaken() const
    {
        if (entries_.empty())
            return 0;
        return static_cast<size_t>(newest_ - std::max(taken_, OldestHeld() - 1));
    }

private:
    uint64_t OldestHeld() const { return newest_ - entries_.size() + 1; }
    void Trim()
    {
        while (entries_.size() > kCapacity && (OldestHeld() <= taken_ || entries_.size() > kLimit))
            entries_.pop_front();
    }

    std::deque<Entry> entries_; // numbered OldestHeld() to newest_
    uint64_t newest_ = 0;
    uint64_t taken_ = 0; // the newest number handed to a reader
};

} // namespace hw
