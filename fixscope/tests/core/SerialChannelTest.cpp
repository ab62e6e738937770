#include "core/SerialChannel.h"
#include "core/CommandSentence.h"
#include "support/SimulatedReceiver.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <future>
#include <memory>

namespace fixscope {
namespace {

using namespace std::chrono_literals;
using test::SimulatedReceiver;

struct CountingListener : UpdateListener {
    std::atomic<int> calls{0};
    std::atomic<unsigned> lastMessage{0};
    void OnDeviceMessage(unsigned message, const GpsRecord&) override
    {
        lastMessage = message;
        ++calls;
    }
};

PortMap MapPort(int number, const std::string& device)
{
    return PortMap::FromText(std::to_string(number) + "=" + device);
}

TEST(SerialChannelTest, UpdatesReachLogAndListenersOnlyWithinTheSpeedRange)
{
    SerialChannel channel;
    std::vector<std::string> log;
    channel.AttachLog([&log](const std::string& line) { log.push_back(line); });
    CountingListener listener;
    ASSERT_TRUE(channel.AddListener(&listener));
    ASSERT_TRUE(channel.AddListener(&listener)); // registered once
    auto rmc = [](const char* speed) {
        return SimulatedReceiver::Sentence(std::string("GPRMC,1,A,1,N,1,E,") + speed +
                                           ",0,010100,,");
    };

    channel.HandleLine(rmc("108.0"));
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(listener.lastMessage, kUpdateMessage);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "$GPRMC,1,A,1,N,1,E,108.0,0,010100,,"); // up to the '*'

    channel.HandleLine(rmc("108.1"));
    EXPECT_EQ(listener.calls, 1); // too fast: logged, but no listener is told
    EXPECT_EQ(log.size(), 2u);

    // A wrong checksum and an unfinished satellite group add nothing.
    std::string wrong = rmc("1.0");
    wrong[wrong.size() - 3] ^= 1;
    channel.HandleLine(wrong);
    channel.HandleLine(SimulatedReceiver::Sentence("GPGSV,2,1,05,01,10,100,30"));
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(listener.calls, 1);
    EXPECT_DOUBLE_EQ(channel.Snapshot().speedKnots, 108.1);
}

TEST(SerialChannelTest, TenListenersAtMost)
{
    SerialChannel channel;
    std::vector<CountingListener> listeners(11);
    for (int i = 0; i < kMaxListeners; ++i)
        EXPECT_TRUE(channel.AddListener(&listeners[static_cast<std::size_t>(i)]));
    EXPECT_FALSE(channel.AddListener(&listeners[10]));
    channel.RemoveListener(&listeners[0]);
    EXPECT_TRUE(channel.AddListener(&listeners[10]));
    channel.HandleLine(SimulatedReceiver::FixScenario()[0]);
    EXPECT_EQ(listeners[0].calls, 0);
    EXPECT_EQ(listeners[10].calls, 1);
}

TEST(SerialChannelTest, ReadsAReceiverOverAPseudoTerminal)
{
    SimulatedReceiver receiver;
    ASSERT_TRUE(receiver.IsValid());
    SerialChannel channel;
    CountingListener listener;
    channel.AddListener(&listener);
    ASSERT_TRUE(channel.Open("COM4:", 9600, MapPort(4, receiver.DevicePath()))) << channel.Error();
    EXPECT_TRUE(channel.IsOpen());

    // Noise, an overlong line and a bad checksum come first; the fix follows.
    std::string noise(2000, 'x');
    std::vector<std::string> lines = {"\x01\xff garbage\r\n", "$" + noise + "\r\n",
                                      "$GPGGA,1,2*00\r\n"};
    for (const std::string& line : SimulatedReceiver::FixScenario())
        lines.push_back(line);
    receiver.Start(lines, 200ms);
    ASSERT_TRUE(channel.WaitForDetect(3000ms));
    for (int i = 0; i < 100 && channel.Snapshot().satellitesInView == 0; ++i)
        std::this_thread::sleep_for(20ms);
    GpsRecord r = channel.Snapshot();
    EXPECT_EQ(r.fixType, '3');
    EXPECT_EQ(r.latHemisphere, 'N');
    EXPECT_DOUBLE_EQ(r.altitude, 152.3);
    EXPECT_EQ(r.satellitesInView, 10);
    EXPECT_GT(listener.calls, 0);

    // Closing ends the blocked reader at once.
    auto closed = std::async(std::launch::async, [&channel] { channel.Close(); });
    EXPECT_EQ(closed.wait_for(2s), std::future_status::ready);
    EXPECT_FALSE(channel.IsOpen());
}

TEST(SerialChannelTest, WritesCommandsByteForByte)
{
    SimulatedReceiver receiver;
    receiver.Start({}, 1s);
    SerialChannel channel;
    ASSERT_TRUE(channel.Open("COM1:", 4800, MapPort(1, receiver.DevicePath())));
    std::string hot = FrameCommand("$PSRF104,0,0,0,96000,237759,922,12,1*", true);
    EXPECT_EQ(hot, "\r\n$PSRF104,0,0,0,96000,237759,922,12,1*2B\r\n");
    EXPECT_EQ(FrameCommand("$PSRF107,0,400,1000*", false), "$PSRF107,0,400,1000*08\r\n");
    EXPECT_EQ(FrameCommand("$PSRF108,01*", true), "\r\n$PSRF108,01*03\r\n");
    ASSERT_TRUE(channel.Write(hot));
    ASSERT_TRUE(receiver.WaitForReceived(hot.size(), 2s));
    EXPECT_EQ(receiver.Received(), hot);
    channel.Close();
    EXPECT_FALSE(channel.Write(hot)); // closed: nothing is sent
}

TEST(SerialChannelTest, OpeningFailsCleanly)
{
    SimulatedReceiver receiver;
    SerialChannel first;
    PortMap ports = MapPort(2, receiver.DevicePath());
    ASSERT_TRUE(first.Open("COM2:", 4800, ports));
    SerialChannel second;
    EXPECT_FALSE(second.Open("COM2:", 4800, ports)); // exclusive
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(second.Open("COM3:", 4800, ports)); // no device behind it

    // Files that are not terminals are refused.
    char path[] = "/tmp/fixscope-not-a-tty-XXXXXX";
    int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_FALSE(second.Open("COM5:", 4800, MapPort(5, path)));
    ::unlink(path);
    EXPECT_FALSE(second.Open("COM6:", 4800, MapPort(6, "/nonexistent/tty")));

    first.Close();
    EXPECT_TRUE(second.Open("COM2:", 4800, ports)); // free again once closed
}

struct ReopenResult {
    int exitCode = -1;
    std::string output;
};

// Runs fixscope-reopen on the device as an unprivileged user: the tests run
// as root, whom the terminal's exclusive flag does not stop. When root, the
// child drops to nobody, and the device is opened to everyone for it.
ReopenResult ReopenAsUser(const std::string& device)
{
    ReopenResult result;
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
    if (uid == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody) {
            result.output = "no user nobody";
            return result;
        }
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
        ::chmod(device.c_str(), 0666);
    }
    int out[2];
    if (::pipe(out) != 0)
        return result;
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(3);
        if (::geteuid() == 0)
            ::_exit(4); // still privileged: the check would prove nothing
        ::execl(FIXSCOPE_REOPEN_PROGRAM, FIXSCOPE_REOPEN_PROGRAM, device.c_str(), nullptr);
        ::_exit(5);
    }
    ::close(out[1]);
    char buffer[256];
    ssize_t n;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

// Close → Open and Scan → Open: the exclusive flag is cleared on every close,
// so that the same user can open the port again.
TEST(SerialChannelTest, AnUnprivilegedUserReopensThePort)
{
    SimulatedReceiver receiver;
    ASSERT_TRUE(receiver.IsValid());
    PortMap ports = MapPort(2, receiver.DevicePath());
    {
        SerialChannel channel; // opened and closed here first, as a scan does
        ASSERT_TRUE(channel.Open("COM2:", 4800, ports));
        channel.Close();
        ASSERT_TRUE(channel.Open("COM2:", 4800, ports));
    }
    ReopenResult after = ReopenAsUser(receiver.DevicePath());
    EXPECT_EQ(after.exitCode, 0) << after.output;
    EXPECT_EQ(after.output, "reopened\n");

    // While this process holds it, the other user is told the port is busy.
    SerialChannel holder;
    ASSERT_TRUE(holder.Open("COM2:", 4800, ports));
    ReopenResult busy = ReopenAsUser(receiver.DevicePath());
    EXPECT_EQ(busy.exitCode, 1);
    EXPECT_NE(busy.output.find("busy"), std::string::npos) << busy.output;
    holder.Close();
    EXPECT_EQ(ReopenAsUser(receiver.DevicePath()).exitCode, 0);
}

// An unplugged receiver ends the reader, and the channel says so; a Close
// of the user's does not.
TEST(SerialChannelTest, ADeviceThatGoesAwayIsReported)
{
    auto receiver = std::make_unique<SimulatedReceiver>();
    PortMap ports = MapPort(2, receiver->DevicePath());
    SerialChannel channel;
    std::promise<std::string> ended;
    std::future<std::string> reason = ended.get_future();
    std::atomic<int> calls{0};
    channel.SetEndedHandler([&](const std::string& why) {
        if (calls++ == 0)
            ended.set_value(why);
    });
    ASSERT_TRUE(channel.Open("COM2:", 4800, ports));
    channel.Close();
    ASSERT_TRUE(channel.Open("COM2:", 4800, ports));
    EXPECT_EQ(calls.load(), 0);
    receiver.reset(); // unplugged
    ASSERT_EQ(reason.wait_for(10s), std::future_status::ready);
    EXPECT_NE(reason.get().find("went away"), std::string::npos);
    EXPECT_FALSE(channel.IsReading());
    channel.Close();
    EXPECT_EQ(calls.load(), 1);
}

TEST(SerialChannelTest, OpenFailuresSayWhy)
{
    SerialChannel channel;
    EXPECT_FALSE(channel.Open("COM6:", 4800, MapPort(6, "/nonexistent/tty")));
    EXPECT_NE(channel.Error().find("no such device"), std::string::npos) << channel.Error();
    EXPECT_EQ(OpenErrorText(EACCES), "permission denied: the user must be in the dialout group");
    EXPECT_EQ(OpenErrorText(EBUSY), "busy: another program has the port open");
}

TEST(SerialChannelTest, RateRule)
{
    for (int rate :
         {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200})
        EXPECT_EQ(EffectiveBaudRate(rate), rate);
    for (int rate : {0, -9600, 12345, 230400, 28800})
        EXPECT_EQ(EffectiveBaudRate(rate), 4800);
}

} // namespace
} // namespace fixscope
