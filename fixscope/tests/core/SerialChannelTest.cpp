#include "core/SerialChannel.h"
#include "core/CommandSentence.h"
#include "support/SimulatedReceiver.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <future>

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
