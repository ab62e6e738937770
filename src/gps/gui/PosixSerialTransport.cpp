#include "gps/gui/PosixSerialTransport.h"

#include "gps/gui/GpsdConnection.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace hw {
namespace {

struct Rate {
    uint32_t baud;
    speed_t speed;
};
constexpr Rate kRates[] = {
    {300, B300},         {600, B600},         {1200, B1200},       {2400, B2400},
    {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},
    {500000, B500000},   {576000, B576000},   {921600, B921600},   {1000000, B1000000},
    {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
};

bool SpeedFor(uint32_t baud, speed_t& speed)
{
    for (const Rate& rate : kRates)
        if (rate.baud == baud) {
            speed = rate.speed;
            return true;
        }
    return false;
}

class PosixSerialHandle final : public SerialHandle {
public:
    explicit PosixSerialHandle(int fd) : fd_(fd) {}
    ~PosixSerialHandle() override
    {
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);
    }
    PosixSerialHandle(const PosixSerialHandle&) = delete;
    PosixSerialHandle& operator=(const PosixSerialHandle&) = delete;

    long Read(uint8_t* buffer, std::size_t n) override
    {
        ssize_t got = ::read(fd_, buffer, n);
        if (got >= 0)
            return static_cast<long>(got);
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    }

    // Write time-out: 10 ms a byte plus one second.
    std::size_t Write(const uint8_t* bytes, std::size_t n) override
    {
        using namespace std::chrono;
        const auto deadline =
            steady_clock::now() + milliseconds(1000) + milliseconds(10) * static_cast<long>(n);
        std::size_t done = 0;
        while (done < n) {
            ssize_t put = ::write(fd_, bytes + done, n - done);
            if (put > 0) {
                done += static_cast<std::size_t>(put);
                continue;
            }
            if (put < 0 && errno != EAGAIN && errno != EINTR)
                break;
            auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
            if (left <= 0)
                break;
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, static_cast<int>(left));
        }
        return done;
    }

    void Purge() override { ::tcflush(fd_, TCIOFLUSH); }

private:
    int fd_;
};

} // namespace

std::unique_ptr<SerialHandle>
PosixSerialTransport::OpenDevice(const std::string& path, uint32_t baud, SerialOpenError& error)
{
    error = SerialOpenError::CannotOpen;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM)
            error = SerialOpenError::NotPermitted;
        return nullptr;
    }
    // A device another program (or this one) holds counts as busy.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    auto handle = std::make_unique<PosixSerialHandle>(fd);

    // Reads return at once with what the driver holds.
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        error = SerialOpenError::Timeouts;
        return nullptr;
    }
    ::ioctl(fd, TIOCEXCL);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;

    // 8N1, raw bytes, no flow control either way, modem status ignored.
    speed_t speed;
    if (!SpeedFor(baud, speed)) {
        error = SerialOpenError::LineSettings;
        return nullptr;
    }
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY | IGNPAR);
    tio.c_iflag |= INPCK;
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL | HUPCL;
    termios applied{};
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
        ::tcsetattr(fd, TCSANOW, &tio) != 0 || ::tcgetattr(fd, &applied) != 0 ||
        ::cfgetospeed(&applied) != speed) {
        error = SerialOpenError::LineSettings;
        return nullptr;
    }

    // DTR and RTS on. A pseudo-terminal has no modem lines and refuses.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);

    error = SerialOpenError::None;
    return handle;
}

std::unique_ptr<SerialHandle> PosixSerialTransport::OpenGpsd(const GpsdAddress& address,
                                                             std::string& why)
{
    return ConnectToGpsd(address, why);
}

} // namespace hw
