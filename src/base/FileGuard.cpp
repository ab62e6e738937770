#include "base/FileGuard.h"

namespace hw {

void FileGuard::Bind(const std::string& path, const std::optional<FileIdentity>& identity)
{
    std::lock_guard lock(mutex_);
    path_ = path;
    identity_ = identity;
}

bool FileGuard::MayReplace(const std::string& path) const
{
    std::lock_guard lock(mutex_);
    if (path != path_)
        return true;
    const std::optional<FileIdentity> now = FileIdentity::Of(path);
    return !now || now == identity_;
}

} // namespace hw
