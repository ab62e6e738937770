#include "gps/gui/GpsdConnection.h"

#include "gps/GpsdAddress.h"
#include "gps/GpsdNmeaFilter.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace hw {
namespace {

class GpsdHandle final : public SerialHandle {
public:
    explicit GpsdHandle(int fd) : fd_(fd) {}
    ~GpsdHandle() override { ::close(fd_); }
    GpsdHandle(const GpsdHandle&) = delete;
    GpsdHandle& operator=(const GpsdHandle&) = delete;

    long Read(uint8_t* buffer, std::size_t n) override
    {
        if (closed_)
            return -1;
        ssize_t got = ::recv(fd_, buffer, n, MSG_DONTWAIT);
        if (got == 0) {
            closed_ = true; // the daemon went away
            return -1;
        }
        if (got < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
        return static_cast<long>(filter_.Filter(buffer, static_cast<std::size_t>(got), buffer));
    }

    std::size_t Write(const uint8_t*, std::size_t) override { return 0; }

private:
    int fd_;
    bool closed_ = false;
    GpsdNmeaFilter filter_;
};

std::string ErrorText(int error)
{
    switch (error) {
    case ECONNREFUSED:
        return QCoreApplication::translate("hw::GpsdConnection", "连接被拒绝 (gpsd 没有运行?)")
            .toStdString();
    case ETIMEDOUT:
        return QCoreApplication::translate("hw::GpsdConnection", "连接超时").toStdString();
    case EHOSTUNREACH:
    case ENETUNREACH:
        return QCoreApplication::translate("hw::GpsdConnection", "无法到达主机").toStdString();
    default: return std::strerror(error);
    }
}

// Connects without blocking longer than ms; the socket's error otherwise.
int ConnectWithin(int fd, const sockaddr* address, socklen_t length, int ms)
{
    if (::connect(fd, address, length) == 0)
        return 0;
    if (errno != EINPROGRESS)
        return errno;
    pollfd p{fd, POLLOUT, 0};
    int ready;
    do
        ready = ::poll(&p, 1, ms);
    while (ready < 0 && errno == EINTR);
    if (ready == 0)
        return ETIMEDOUT;
    int error = 0;
    socklen_t size = sizeof error;
    if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return errno;
    return error;
}

bool SendAll(int fd, const char* text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0)
            return false;
        ssize_t put = ::send(fd, text, left, MSG_NOSIGNAL);
        if (put < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (put > 0) {
            text += put;
            left -= static_cast<std::size_t>(put);
        }
    }
    return true;
}

} // namespace

std::unique_ptr<SerialHandle> ConnectToGpsd(const GpsdAddress& address, std::string& why,
                                            int connectMs)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(address.port);
    if (int error = ::getaddrinfo(address.host.c_str(), service.c_str(), &hints, &found);
        error != 0) {
        why = QCoreApplication::translate("hw::GpsdConnection", "找不到主机: ").toStdString() +
              ::gai_strerror(error);
        return nullptr;
    }
    int lastError = ECONNREFUSED;
    std::unique_ptr<SerialHandle> handle;
    for (addrinfo* a = found; a && !handle; a = a->ai_next) {
        int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        lastError = ConnectWithin(fd, a->ai_addr, a->ai_addrlen, connectMs);
        if (lastError != 0) {
            ::close(fd);
            continue;
        }
        int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        if (!SendAll(fd, kGpsdWatchCommand)) {
            lastError = errno ? errno : EPIPE;
            ::close(fd);
            continue;
        }
        handle = std::make_unique<GpsdHandle>(fd);
    }
    ::freeaddrinfo(found);
    if (!handle)
        why = ErrorText(lastError);
    return handle;
}

} // namespace hw
