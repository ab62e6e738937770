#include "support/SimulatedReceiver.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace fixscope::test {

SimulatedReceiver::SimulatedReceiver()
{
    char name[PATH_MAX] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    devicePath_ = name;
    // No echo and no line discipline on the slave: the bytes pass as they are.
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

SimulatedReceiver::~SimulatedReceiver()
{
    Stop();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
}

void SimulatedReceiver::Start(std::vector<std::string> lines, std::chrono::milliseconds interval)
{
    Stop();
    stop_ = false;
    thread_ = std::thread([this, lines = std::move(lines), interval] { Run(lines, interval); });
}

void SimulatedReceiver::Stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

void SimulatedReceiver::Run(std::vector<std::string> lines, std::chrono::milliseconds interval)
{
    using Clock = std::chrono::steady_clock;
    auto nextRound = Clock::now();
    while (!stop_) {
        if (Clock::now() >= nextRound) {
            for (const std::string& line : lines) {
                std::size_t done = 0;
                while (done < line.size() && !stop_) {
                    ssize_t n = ::write(master_, line.data() + done, line.size() - done);
                    if (n > 0)
                        done += static_cast<std::size_t>(n);
                    else
                        std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
            }
            nextRound += interval;
        }
        pollfd pfd{master_, POLLIN, 0};
        if (::poll(&pfd, 1, 20) > 0 && (pfd.revents & POLLIN)) {
            char buffer[256];
            ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) {
                std::lock_guard lock(mutex_);
                received_.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
}

std::string SimulatedReceiver::Received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

bool SimulatedReceiver::WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) const
{
    auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (Received().size() >= count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Received().size() >= count;
}

std::string SimulatedReceiver::Sentence(const std::string& body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum & 0xFF);
    return "$" + body + tail;
}

std::vector<std::string> SimulatedReceiver::FixScenario()
{
    return {
        Sentence("GPRMC,195512.000,A,4736.1234,N,12219.5678,W,012.5,084.4,071226,,,A"),
        Sentence("GPGGA,195512.000,4736.1234,N,12219.5678,W,1,08,0.9,152.3,M,-17.0,M,,0000"),
        Sentence("GPGSA,A,3,02,05,07,13,15,20,24,29,,,,,1.8,0.9,1.5"),
        Sentence("GPGSV,3,1,10,02,67,045,44,05,40,290,38,07,23,105,35,13,55,180,41"),
        Sentence("GPGSV,3,2,10,15,12,330,28,20,31,220,36,24,75,120,47,29,08,010,22"),
        Sentence("GPGSV,3,3,10,30,05,150,,31,18,250,17"),
    };
}

} // namespace fixscope::test
