#include "gps/FixHistory.h"

#include <algorithm>

namespace hw {

void FixHistory::Push(const GpsFix& fix)
{
    fixes_.push_back(fix);
    ++newest_;
    Trim();
}

uint64_t FixHistory::Since(uint64_t after, std::vector<GpsFix>& out)
{
    if (!fixes_.empty())
        for (uint64_t n = std::max(after + 1, OldestHeld()); n <= newest_; ++n)
            out.push_back(fixes_[n - OldestHeld()]);
    taken_ = newest_;
    Trim();
    return newest_;
}

size_t FixHistory::Untaken() const
{
    if (fixes_.empty())
        return 0;
    return static_cast<size_t>(newest_ - std::max(taken_, OldestHeld() - 1));
}

void FixHistory::Trim()
{
    while (fixes_.size() > kCapacity && (OldestHeld() <= taken_ || fixes_.size() > kLimit))
        fixes_.pop_front();
}

} // namespace hw
