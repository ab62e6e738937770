#include "core/ThreadPriority.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace fixscope {

void LowerCurrentThreadPriority()
{
    // On Linux the nice value is per thread when addressed by thread id.
    auto tid = static_cast<id_t>(gettid());
    errno = 0;
    int current = getpriority(PRIO_PROCESS, tid);
    if (errno != 0)
        return;
    (void)setpriority(PRIO_PROCESS, tid, current + 1);
}

} // namespace fixscope
