#include "NmeaOutput.h"

#include "base/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace hw::sim {

namespace {

bool SpeedConstant(int baud, speed_t& speed)
{
    switch (baud) {
    case 1200: speed = B1200; return true;
    case 2400: speed = B2400; return true;
    case 4800: speed = B4800; return true;
    case 9600: speed = B9600; return true;
    case 19200: speed = B19200; return true;
    case 38400: speed = B38400; return true;
    case 57600: speed = B57600; return true;
    case 115200: speed = B115200; return true;
    default: return false;
    }
}

} // namespace

NmeaOutput::~NmeaOutput()
{
    if (fd_ >= 0 && fd_ != STDOUT_FILENO)
        ::close(fd_);
}

bool NmeaOutput::Open(const std::string& path, int baud, std::string& error)
{
    path_ = path;
    if (path == "-") {
        fd_ = STDOUT_FILENO;
        return true;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) {
        toFile_ = true; // a new or regular file: written whole at the end
        return true;
    }
    fd_ = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    device_ = S_ISCHR(info.st_mode);
    if (::isatty(fd_)) {
        termios tio{};
        speed_t speed = B4800;
        if (!SpeedConstant(baud > 0 ? baud : 4800, speed)) {
            error = "unsupported rate " + std::to_string(baud);
            return false;
        }
        if (::tcgetattr(fd_, &tio) == 0) {
            ::cfmakeraw(&tio);
            tio.c_cflag |= CLOCAL | CREAD;
            ::cfsetispeed(&tio, speed);
            ::cfsetospeed(&tio, speed);
            if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
                error = "cannot set up " + path + ": " + std::strerror(errno);
                return false;
            }
        }
    }
    return true;
}

bool NmeaOutput::WriteAll(const char* data, size_t n, std::string& error)
{
    while (n > 0) {
        ssize_t w = ::write(fd_, data, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            error = "cannot write to " + path_ + ": " + std::strerror(errno);
            return false;
        }
        data += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

bool NmeaOutput::Write(const std::string& bytes, std::string& error)
{
    if (toFile_) {
        pending_ += bytes;
        return true;
    }
    if (pacingBaud_ <= 0)
        return WriteAll(bytes.data(), bytes.size(), error);
    // A serial line carries baud / 10 bytes a second (8N1): let each byte out
    // no earlier than the line would have.
    using Clock = std::chrono::steady_clock;
    if (!paceStarted_) {
        paceStart_ = Clock::now();
        paceStarted_ = true;
        bytesSent_ = 0;
    }
    double bytesPerSecond = pacingBaud_ / 10.0;
    auto elapsed = std::chrono::duration<double>(Clock::now() - paceStart_).count();
    if (bytesSent_ < elapsed * bytesPerSecond - bytesPerSecond) // the line sat idle
        bytesSent_ = elapsed * bytesPerSecond;
    constexpr size_t kChunk = 16;
    for (size_t i = 0; i < bytes.size(); i += kChunk) {
        size_t n = std::min(kChunk, bytes.size() - i);
        auto due = paceStart_ + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(bytesSent_ / bytesPerSecond));
        std::this_thread::sleep_until(due);
        if (!WriteAll(bytes.data() + i, n, error))
            return false;
        bytesSent_ += static_cast<double>(n);
    }
    return true;
}

bool NmeaOutput::Finish(std::string& error)
{
    if (toFile_ && !WriteFileAtomically(path_, pending_)) {
        error = "cannot write " + path_;
        return false;
    }
    return true;
}

} // namespace hw::sim
