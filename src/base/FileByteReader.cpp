#include "base/FileByteReader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hw {

FileByteReader::~FileByteReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileByteReader::Open(const std::string& path)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    struct stat st {};
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    size_ = static_cast<uint64_t>(st.st_size);
    position_ = 0;
    begin_ = end_ = 0;
    return true;
}

bool FileByteReader::Rewind()
{
    if (fd_ < 0 || ::lseek(fd_, 0, SEEK_SET) != 0)
        return false;
    position_ = 0;
    begin_ = end_ = 0;
    return true;
}

bool FileByteReader::Fill()
{
    if (begin_ > 0) {
        std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    while (end_ < sizeof buffer_) {
        ssize_t n = ::read(fd_, buffer_ + end_, sizeof buffer_ - end_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        end_ += static_cast<std::size_t>(n);
        return true;
    }
    return true;
}

bool FileByteReader::Read(void* out, std::size_t size)
{
    if (fd_ < 0 || size > Remaining())
        return false;
    char* dst = static_cast<char*>(out);
    while (size > 0) {
        if (begin_ == end_) {
            // Large reads go straight to the caller.
            if (size >= sizeof buffer_) {
                ssize_t n = ::read(fd_, dst, size);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    size_ = position_; // the file shrank under us
                    return false;
                }
                dst += n;
                size -= static_cast<std::size_t>(n);
                position_ += static_cast<uint64_t>(n);
                continue;
            }
            if (!Fill()) {
                size_ = position_;
                return false;
            }
        }
        std::size_t take = std::min(size, end_ - begin_);
        std::memcpy(dst, buffer_ + begin_, take);
        begin_ += take;
        dst += take;
        size -= take;
        position_ += take;
    }
    return true;
}

bool FileByteReader::ReadU16(uint16_t& v)
{
    unsigned char b[2];
    if (!Read(b, 2))
        return false;
    v = static_cast<uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool FileByteReader::ReadU32(uint32_t& v)
{
    unsigned char b[4];
    if (!Read(b, 4))
        return false;
    v = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
        (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return true;
}

bool FileByteReader::ReadI32(int32_t& v)
{
    uint32_t u;
    if (!ReadU32(u))
        return false;
    v = static_cast<int32_t>(u);
    return true;
}

bool FileByteReader::ReadF32(float& v)
{
    uint32_t u;
    if (!ReadU32(u))
        return false;
    v = std::bit_cast<float>(u);
    return true;
}

bool FileByteReader::ReadF64(double& v)
{
    uint32_t lo, hi;
    if (!ReadU32(lo) || !ReadU32(hi))
        return false;
    v = std::bit_cast<double>((static_cast<uint64_t>(hi) << 32) | lo);
    return true;
}

bool FileByteReader::ReadLine(std::string& line, std::size_t maxLength)
{
    line.clear();
    if (Remaining() == 0)
        return false;
    while (Remaining() > 0) {
        if (begin_ == end_ && !Fill()) {
            size_ = position_;
            break;
        }
        const char* start = buffer_ + begin_;
        std::size_t avail = end_ - begin_;
        const void* lf = std::memchr(start, '\n', avail);
        std::size_t take =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : avail;
        if (line.size() < maxLength)
            line.append(start, std::min(take, maxLength - line.size()));
        std::size_t consumed = take + (lf ? 1 : 0);
        begin_ += consumed;
        position_ += consumed;
        if (lf)
            break;
    }
    return true;
}

} // namespace hw
