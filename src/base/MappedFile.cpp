#include "base/MappedFile.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hw {

MappedFile::~MappedFile()
{
    if (data_ != nullptr)
        munmap(const_cast<char*>(data_), size_);
    if (fd_ >= 0)
        close(fd_);
}

bool MappedFile::Open(const std::string& path)
{
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    struct stat st {};
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    size_ = static_cast<uint64_t>(st.st_size);
    modifiedSeconds_ = st.st_mtim.tv_sec;
    modifiedNanoseconds_ = st.st_mtim.tv_nsec;
    if (size_ == 0)
        return true;
    void* p = mmap(nullptr, size_, PROT_READ, MAP_SHARED, fd_, 0);
    if (p == MAP_FAILED) {
        size_ = 0;
        return false;
    }
    data_ = static_cast<const char*>(p);
    return true;
}

void MappedFile::Release(uint64_t from, uint64_t to) const
{
    const auto page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    from -= from % page;
    to = std::min(to, size_);
    if (data_ == nullptr || to <= from)
        return;
    madvise(const_cast<char*>(data_) + from, to - from, MADV_DONTNEED);
}

bool MappedFile::Unchanged() const
{
    struct stat st {};
    return fd_ >= 0 && fstat(fd_, &st) == 0 && static_cast<uint64_t>(st.st_size) == size_ &&
           st.st_mtim.tv_sec == modifiedSeconds_ && st.st_mtim.tv_nsec == modifiedNanoseconds_;
}

} // namespace hw
