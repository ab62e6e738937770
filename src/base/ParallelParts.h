#pragma once

#include <algorithm>
#include <atomic>

namespace hw {

// The cores work is shared among (at most 8).
int Cores();

// Runs body(first, last) over [0, count) in a few contiguous parts, one
// thread each, on a machine with more than one core; fewer than `fewest`
// items are not worth a thread and run on this one.
void ForEachPart(int count, void (*body)(void* context, int first, int last), void* context,
                 int fewest = 256);

// How many workers PullEach runs for count items.
inline int Workers(int count)
{
    return std::max(1, std::min(count, Cores()));
}

// Runs work(worker, item) for every item in [0, count), a worker a core,
// each taking the next item when done with one, so that uneven items even
// out; worker runs from 0 to Workers(count).
template <typename Work> void PullEach(int count, const Work& work)
{
    struct Queue {
        std::atomic<int> next{0};
        int count;
        const Work* work;
    } queue{{}, count, &work};
    ForEachPart(
        Workers(count),
        [](void* context, int first, int last) {
            auto* q = static_cast<Queue*>(context);
            for (int worker = first; worker < last; ++worker)
                for (int item; (item = q->next.fetch_add(1)) < q->count;)
                    (*q->work)(worker, item);
        },
        &queue, 2);
}

} // namespace hw
