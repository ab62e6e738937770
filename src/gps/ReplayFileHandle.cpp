#include "gps/ReplayFileHandle.h"

namespace hw {

std::unique_ptr<ReplayFileHandle> ReplayFileHandle::Open(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return nullptr;
    return std::unique_ptr<ReplayFileHandle>(new ReplayFileHandle(file));
}

long ReplayFileHandle::Read(uint8_t* buffer, std::size_t n)
{
    std::size_t got = std::fread(buffer, 1, n, file_.get());
    if (got == 0 && std::ferror(file_.get())) {
        std::clearerr(file_.get());
        return -1;
    }
    return static_cast<long>(got);
}

} // namespace hw
