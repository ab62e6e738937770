#include "base/ParallelParts.h"

#include <thread>
#include <vector>

namespace hw {

int Cores()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void ForEachPart(int count, void (*body)(void* context, int first, int last), void* context,
                 int fewest)
{
    const int parts = std::min(count, Cores());
    if (count < fewest || parts <= 1) {
        body(context, 0, count);
        return;
    }
    std::vector<std::thread> threads;
    const int step = (count + parts - 1) / parts;
    for (int first = step; first < count; first += step)
        threads.emplace_back(body, context, first, std::min(count, first + step));
    body(context, 0, std::min(count, step));
    for (std::thread& t : threads)
        t.join();
}

} // namespace hw
