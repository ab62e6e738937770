#include "base/HugePageHeap.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

namespace hw {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kHugePageTunable = "glibc.malloc.hugetlb";

// "always [madvise] never": the kernel gives huge pages unless "never" is chosen.
bool KernelGivesHugePages()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string mode;
    return std::getline(in, mode) && mode.find("[never]") == std::string::npos;
}

} // namespace

void RestartWithHugePageHeap(char** argv)
{
    const char* before = std::getenv(kTunables);
    if ((before != nullptr && std::strstr(before, kHugePageTunable) != nullptr) ||
        !KernelGivesHugePages())
        return;
    const std::string saved = before != nullptr ? before : "";
    const std::string tunables =
        (saved.empty() ? "" : saved + ":") + std::string(kHugePageTunable) + "=1";
    if (setenv(kTunables, tunables.c_str(), 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // Still here: run on as started, with the environment as it was.
    if (before != nullptr)
        setenv(kTunables, saved.c_str(), 1);
    else
        unsetenv(kTunables);
}

} // namespace hw
