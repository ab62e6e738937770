#include "base/PositionalFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hw {
namespace {

FileIdentity IdentityOf(const struct stat& st)
{
    return {static_cast<uint64_t>(st.st_dev),
            static_cast<uint64_t>(st.st_ino),
            static_cast<uint64_t>(st.st_size),
            st.st_mtim.tv_sec,
            st.st_mtim.tv_nsec,
            st.st_ctim.tv_sec,
            st.st_ctim.tv_nsec};
}

PositionalFile::ReadHook& Hook()
{
    static PositionalFile::ReadHook hook;
    return hook;
}

} // namespace

void PositionalFile::SetReadHookForTesting(ReadHook hook)
{
    Hook() = std::move(hook);
}

std::optional<FileIdentity> FileIdentity::Of(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return IdentityOf(st);
}

PositionalFile::~PositionalFile()
{
    if (fd_ >= 0)
        close(fd_);
}

bool PositionalFile::Open(const std::string& path)
{
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    struct stat st {};
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd_);
        fd_ = -1;
        return false;
    }
    opened_ = IdentityOf(st);
    path_ = path;
    return true;
}

std::size_t PositionalFile::ReadAt(uint64_t offset, char* out, std::size_t size) const
{
    if (Hook())
        Hook()(path_, offset);
    std::size_t done = 0;
    while (fd_ >= 0 && done < size) {
        const ssize_t n = pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the end, or the medium is gone
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace hw
