#pragma once

// The median and 95th percentile of a benchmark's timings, in milliseconds.
#include <algorithm>
#include <vector>

namespace hw::bench {

struct Figures {
    double median = 0, p95 = 0;
};

// ms must hold at least one timing.
inline Figures Summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)]};
}

} // namespace hw::bench
