#include "base/AtomicFileWriter.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hw {
namespace {

std::string ResolveLink(const std::string& path)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Writes every byte, after the last write or at offset (when not negative),
// through interruptions and short writes.
bool WriteFully(int fd, const char* data, std::size_t size, off_t offset)
{
    while (size > 0) {
        ssize_t n = offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        if (offset >= 0)
            offset += n;
    }
    return true;
}

constexpr const char* kTemporaryMark = ".hwtmp-";
constexpr std::size_t kTemporaryRandom = 6; // the X's of mkostemp
// A temporary file younger than this may still be written by a save that
// runs beside this one (another instance of the program).
constexpr time_t kStaleSeconds = 60;

// Temporary files of earlier saves to target that never ended (the program
// was killed, the power went) are removed.
void RemoveStaleTemporaries(const std::string& target)
{
    const std::string folder = FolderOf(target);
    const std::size_t slash = target.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? target : target.substr(slash + 1)) + kTemporaryMark;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const time_t stale = time(nullptr) - kStaleSeconds;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kTemporaryRandom ||
            name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = folder + "/" + name;
        struct stat st {};
        if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < stale)
            ::unlink(path.c_str());
    }
    closedir(dir);
}

mode_t CurrentUmask()
{
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : target_(ResolveLink(path)) {}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

bool AtomicFileWriter::Open()
{
    Discard();
    failed_ = false;
    // A file the user made read-only is not replaced behind its back.
    if (::access(target_.c_str(), F_OK) == 0 && ::access(target_.c_str(), W_OK) != 0)
        return false;
    RemoveStaleTemporaries(target_);
    std::string pattern = target_ + kTemporaryMark + std::string(kTemporaryRandom, 'X');
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
        return false;
    temp_ = name.data();
    struct stat st {};
    mode_t mode = stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    fchmod(fd_, mode);
    return true;
}

bool AtomicFileWriter::Write(const char* data, std::size_t size)
{
    if (fd_ < 0 || failed_)
        return false;
    if (!WriteFully(fd_, data, size, -1))
        failed_ = true;
    return !failed_;
}

bool AtomicFileWriter::WriteAt(uint64_t offset, const char* data, std::size_t size)
{
    if (fd_ < 0 || failed_)
        return false;
    if (!WriteFully(fd_, data, size, static_cast<off_t>(offset))) {
        failed_ = true;
        return false;
    }
    sync_file_range(fd_, static_cast<off_t>(offset), static_cast<off_t>(size),
                    SYNC_FILE_RANGE_WRITE);
    return true;
}

bool AtomicFileWriter::Commit()
{
    if (fd_ < 0 || failed_) {
        Discard();
        return false;
    }
    bool ok = fsync(fd_) == 0;
    ok = (::close(fd_) == 0) && ok;
    fd_ = -1;
    if (!ok || std::rename(temp_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temp_.clear();
    // Make the rename itself durable.
    int dir = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return true;
}

void AtomicFileWriter::Discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

} // namespace hw
