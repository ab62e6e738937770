#include "gps/ReplayFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hw {

ReplayFile::~ReplayFile()
{
    Close();
}

bool ReplayFile::Open(const std::string& path)
{
    Close();
    // Never waits: a FIFO without a writer opens at once, and a pipe that
    // has nothing yet reads as nothing, so that the window and its signals
    // stay live while a slow command has not written.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    name_ = path;
    return true;
}

bool ReplayFile::Close()
{
    if (fd_ < 0)
        return false;
    ::close(fd_);
    fd_ = -1;
    name_.clear();
    return true;
}

size_t ReplayFile::Read(uint8_t* buffer, size_t capacity)
{
    if (fd_ < 0 || capacity == 0)
        return 0;
    for (;;) {
        ssize_t n = ::read(fd_, buffer, capacity);
        if (n >= 0)
            return static_cast<size_t>(n);
        if (errno != EINTR)
            return 0; // EAGAIN: nothing written yet
    }
}

} // namespace hw
