#include "core/SerialLine.h"

// termios2 lets the line run at any rate (14400 and 56000 have no B-constant);
// it cannot be mixed with <termios.h>.
#include <asm/termios.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <unistd.h>

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept;

namespace fixscope {

int EffectiveBaudRate(int requested)
{
    static constexpr std::array<int, 13> kRates = {110,   300,   600,   1200,  2400,  4800,  9600,
                                                   14400, 19200, 38400, 56000, 57600, 115200};
    for (int rate : kRates)
        if (rate == requested)
            return rate;
    return 4800;
}

std::string OpenErrorText(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return "no such device";
    case EBUSY:
    case EWOULDBLOCK: return "busy: another program has the port open";
    case EACCES:
    case EPERM: return "permission denied: the user must be in the dialout group";
    default: return std::strerror(error);
    }
}

namespace {

// The exclusive flag belongs to the terminal, not to this descriptor: it stays
// set after close (a pseudo-terminal keeps it while its master is open), and
// every later open but root's would fail. Cleared before every close.
void ReleaseDevice(int fd, bool exclusive)
{
    if (exclusive)
        (void)::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

} // namespace

SerialLine::~SerialLine()
{
    Close();
}

bool SerialLine::Open(const std::string& devicePath, int baud)
{
    Close();
    error_.clear();
    // O_NONBLOCK: the waits are done by poll() so that Interrupt can end them.
    int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = OpenErrorText(errno);
        return false;
    }
    bool exclusive = false;
    auto fail = [&](const char* what) {
        int error = errno;
        error_ = error == EWOULDBLOCK || error == EBUSY
                     ? OpenErrorText(EBUSY)
                     : std::string(what) + ": " + std::strerror(error);
        ReleaseDevice(fd, exclusive);
        return false;
    };
    if (!::isatty(fd)) {
        errno = ENOTTY;
        return fail("not a serial device");
    }
    // Exclusive: no second opener, whether it honours flock or the tty flag.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail("in use");
    if (::ioctl(fd, TIOCEXCL) != 0)
        return fail("in use");
    exclusive = true;

    struct termios2 tio {};
    if (::ioctl(fd, TCGETS2, &tio) != 0)
        return fail("line settings");
    tio.c_iflag = IGNBRK; // binary: no translation, no flow control
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL | BOTHER;
    int rate = EffectiveBaudRate(baud);
    tio.c_ispeed = static_cast<speed_t>(rate);
    tio.c_ospeed = static_cast<speed_t>(rate);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::ioctl(fd, TCSETS2, &tio) != 0)
        return fail("line settings");
    int modemLines = TIOCM_DTR | TIOCM_RTS;
    (void)::ioctl(fd, TIOCMBIS, &modemLines); // pseudo-terminals have no modem lines
    (void)::ioctl(fd, TCFLSH, TCIOFLUSH);

    int wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake < 0)
        return fail("eventfd");
    fd_ = fd;
    wakeFd_ = wake;
    return true;
}

void SerialLine::Close()
{
    if (fd_ >= 0)
        ReleaseDevice(fd_, true);
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
    fd_ = -1;
    wakeFd_ = -1;
}

void SerialLine::Interrupt()
{
    if (wakeFd_ < 0)
        return;
    std::uint64_t one = 1;
    (void)!::write(wakeFd_, &one, sizeof one);
}

SerialLine::ReadStatus SerialLine::WaitFor(short events)
{
    if (fd_ < 0)
        return ReadStatus::Failed;
    for (;;) {
        std::array<pollfd, 2> fds{{{fd_, events, 0}, {wakeFd_, POLLIN, 0}}};
        int n = ::poll(fds.data(), fds.size(), -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ReadStatus::Failed;
        if (fds[1].revents != 0)
            return ReadStatus::Interrupted;
        if (fds[0].revents & events)
            return ReadStatus::Byte;
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
            return ReadStatus::Failed;
    }
}

SerialLine::ReadStatus SerialLine::ReadByte(char& byte)
{
    for (;;) {
        ReadStatus ready = WaitFor(POLLIN);
        if (ready != ReadStatus::Byte)
            return ready;
        ssize_t n = ::read(fd_, &byte, 1);
        if (n == 1)
            return ReadStatus::Byte;
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        return ReadStatus::Failed;
    }
}

bool SerialLine::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (WaitFor(POLLOUT) != ReadStatus::Byte)
            return false;
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace fixscope
