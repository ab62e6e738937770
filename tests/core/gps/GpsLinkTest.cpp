#include "gps/GpsLink.h"
#include "base/MemorySettingsStore.h"
#include "base/NotificationSink.h"
#include "base/SettingsStore.h"
#include "base/WindowMessages.h"
#include "gps/LinkSearchHost.h"
#include "gps/NmeaParser.h"
#include "gps/PortRegistry.h"
#include "gps/ReceiverSearch.h"
#include "gps/SerialPort.h"
#include "gps/SystemPortScanner.h"

#include "core/LinkTestSupport.h"
#include "core/NmeaTestSupport.h"
#include "core/TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace hw {
namespace {

const std::string kFix =
    test::NmeaSentence("GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,");

constexpr const char* kDevice = "/dev/ttyTEST3";

struct LinkFixture : ::testing::Test {
    LinkFixture()
        : scanner(dir.Path("nosys"), dir.Path("nodev")), registry(settings),
          port(devices, registry, scanner),
          link(port, parser, settings, notices, recorder, recorder)
    {
        registry.Map(3, kDevice);
        devices.present.insert(kDevice);
        settings.SetInt(section::kSerial, "端口", 3);
        port.SetErrorReporter([this](const std::string& text, const std::string& caption) {
            reported.push_back(caption + ": " + text);
        });
    }
    ~LinkFixture() override { ReaderThread::SetPaused(false); }

    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            link.Tick();
    }
    bool WaitFor(const std::function<bool()>& condition)
    {
        // Polls the condition; the limit only guards against a hang.
        for (int i = 0; i < 3000 && !condition(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return condition();
    }

    test::TempDir dir;
    test::MemoryDevices devices;
    SystemPortScanner scanner;
    MemorySettingsStore settings;
    PortRegistry registry;
    SerialPort port;
    test::LinkRecorder recorder;
    test::RecordingSink notices;
    NmeaParser parser;
    std::vector<std::string> reported;
    GpsLink link;
};

TEST_F(LinkFixture, SilenceIsNoticedOnThe31stTick)
{
    parser.Feed(kFix.data(), kFix.size());
    ASSERT_EQ(parser.Snapshot().fixQuality, 1);
    ASSERT_TRUE(link.StartupConnect());
    Ticks(30);
    EXPECT_FALSE(link.DataLost());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(notices.Messages().empty());

    link.Tick();
    EXPECT_TRUE(link.DataLost());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(parser.Snapshot().fixQuality, 0);
    EXPECT_EQ(notices.Messages(),
              (std::vector<uint32_t>{WM_GPS_GGA, WM_GPS_GSV, WM_GPS_RMC, WM_GPS_SENTENCE}));
    EXPECT_EQ(ReaderThread::LiveCount(), 0);

    // Lost stays lost without repeating itself; bytes clear it.
    Ticks(100);
    EXPECT_EQ(notices.Messages().size(), 4u);
    EXPECT_EQ(devices.opens, 1); // reconnection is off by default
    link.OnDataReceived();
    EXPECT_FALSE(link.DataLost());
    EXPECT_EQ(link.NoDataTicks(), 0);
}

TEST_F(LinkFixture, ReconnectsEvery17TicksAndAsksBeforeTheThirdAttempt)
{
    settings.SetInt(section::kSerial, "自动重接", 1);
    ASSERT_TRUE(link.StartupConnect());
    ASSERT_TRUE(link.AutoReconnect());
    devices.present.clear(); // the receiver went away
    Ticks(31);
    ASSERT_TRUE(link.DataLost());
    const int opensAtLoss = devices.opens;

    Ticks(16);
    EXPECT_EQ(devices.opens, opensAtLoss);
    link.Tick();
    EXPECT_EQ(devices.opens, opensAtLoss + 1);
    Ticks(17);
    EXPECT_EQ(devices.opens, opensAtLoss + 2);
    EXPECT_TRUE(recorder.questions.empty());

    // The third attempt is asked for; Yes goes on.
    Ticks(17);
    EXPECT_EQ(recorder.questions,
              std::vector<std::string>{"Hikewise 不能够连接到 GPS 接收机。你想要继续尝试连接吗?"});
    EXPECT_EQ(devices.opens, opensAtLoss + 3);
    EXPECT_EQ(link.ReconnectAttempts(), 3);

    // No stops the link until the user connects again.
    recorder.answer = false;
    Ticks(17);
    EXPECT_EQ(recorder.questions.size(), 2u);
    EXPECT_TRUE(link.UserStopped());
    EXPECT_EQ(devices.opens, opensAtLoss + 3);
    Ticks(100);
    EXPECT_EQ(devices.opens, opensAtLoss + 3);
    EXPECT_EQ(recorder.questions.size(), 2u);

    // The receiver is back and the user connects.
    devices.present.insert(kDevice);
    link.ToggleConnect();
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(link.UserStopped());
}

TEST_F(LinkFixture, ConnectCommandTogglesAndReplayReopensFromTheStart)
{
    ASSERT_TRUE(link.StartupConnect());
    link.ToggleConnect();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(link.UserStopped());
    link.ToggleConnect();
    EXPECT_TRUE(port.IsOpen());
    EXPECT_FALSE(link.UserStopped());

    // Replay: 128 bytes a pump tick into the parser, clearing the watchdog.
    const std::string log = dir.Path("walk.nmea");
    std::ofstream(log) << kFix << kFix << kFix;
    ASSERT_TRUE(link.StartReplay(log));
    EXPECT_TRUE(link.ReplayMode());
    EXPECT_TRUE(recorder.replayTimer);
    EXPECT_EQ(port.ReplayFileName(), log);
    Ticks(20);
    link.ReplayTick();
    EXPECT_EQ(parser.SentenceCount(), 1u);
    EXPECT_EQ(link.NoDataTicks(), 0);
    link.ReplayTick();
    link.ReplayTick();
    EXPECT_EQ(parser.SentenceCount(), 3u);

    link.ToggleConnect();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.ReplayFileName(), "");
    link.ToggleConnect();
    EXPECT_TRUE(recorder.replayTimer);
    link.ReplayTick(); // from the start again
    EXPECT_EQ(parser.SentenceCount(), 4u);

    // A replay file that cannot be read: replay mode all the same.
    EXPECT_FALSE(link.StartReplay(dir.Path("missing.nmea")));
    EXPECT_TRUE(link.ReplayMode());
    EXPECT_FALSE(port.IsOpen());

    // A live connection stops the pump; the settings dialog ends replay.
    ASSERT_TRUE(link.ApplyPortSettings(3, 9600, true));
    EXPECT_FALSE(recorder.replayTimer);
    EXPECT_FALSE(link.ReplayMode());
    EXPECT_EQ(devices.lastBaud, 9600u);
    EXPECT_EQ(settings.GetInt(section::kSerial, "速率", 0), 9600);
    EXPECT_EQ(settings.GetInt(section::kSerial, "自动重接", 0), 1);
    EXPECT_TRUE(link.AutoReconnect());
}

// The first start replays the demo; a receiver found by the search (which
// connects through the link) ends it, so the connect command means the port.
TEST_F(LinkFixture, ASerialConnectionEndsTheDemoReplay)
{
    const std::string demo = dir.Path("demo.nmea");
    std::ofstream(demo) << kFix;
    ASSERT_TRUE(link.StartReplay(demo));
    ASSERT_TRUE(link.ReplayMode());
    ASSERT_TRUE(link.Connect(3, 4800, false));
    EXPECT_FALSE(link.ReplayMode());
    EXPECT_FALSE(recorder.replayTimer);
    link.ToggleConnect(); // off
    link.ToggleConnect(); // on: the port again, not the demo walk
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.ReplayFileName(), "");
    EXPECT_FALSE(recorder.replayTimer);
}

TEST_F(LinkFixture, OpenFailuresAreShownOnlyWhenAsked)
{
    devices.present.clear();
    EXPECT_FALSE(link.StartupConnect());
    EXPECT_TRUE(reported.empty());

    EXPECT_FALSE(link.ApplyPortSettings(3, 19200, true));
    EXPECT_EQ(reported,
              std::vector<std::string>{"通信错误: 无法打开端口.请关闭该应用程序访问通讯端口"});
    EXPECT_FALSE(settings.Contains(section::kSerial, "速率"));
    EXPECT_FALSE(settings.Contains(section::kSerial, "自动重接"));

    // A device that is no terminal, and a refused rate.
    devices.failure = SerialOpenError::Timeouts;
    EXPECT_FALSE(port.Open(3, 4800, true));
    devices.failure = SerialOpenError::LineSettings;
    EXPECT_FALSE(port.Open(3, 4800, true));
    EXPECT_FALSE(port.Open(4, 4800, true)); // no device has number 4
    EXPECT_EQ(reported, (std::vector<std::string>{
                            "通信错误: 无法打开端口.请关闭该应用程序访问通讯端口",
                            "通信错误: SetCommTimeouts - Fail", "通信错误: SetCommState - Fail",
                            "通信错误: 无法打开端口.请关闭该应用程序访问通讯端口"}));
}

// A device the user may not open (not in the group dialout) says how to get
// access, when the port is opened and when the receiver search ends.
TEST_F(LinkFixture, APortTheUserMayNotOpenNamesTheDialoutGroup)
{
    devices.present.clear();
    devices.failure = SerialOpenError::NotPermitted;
    EXPECT_FALSE(port.Open(3, 4800, true));
    EXPECT_EQ(port.LastOpenError(), SerialOpenError::NotPermitted);
    const std::string hint = std::string(kDevice) + ": " + kDialoutHint;
    EXPECT_EQ(reported, std::vector<std::string>{
                            "通信错误: 无法打开端口.请关闭该应用程序访问通讯端口\n" + hint});
    EXPECT_NE(std::string(kDialoutHint).find("dialout"), std::string::npos);

    test::FakeTime time;
    LinkSearchHost host(link, port, parser, time);
    ReceiverSearch search(host, settings);
    search.Start();
    for (int i = 0; i < 100000 && search.Running(); ++i)
        search.Tick();
    EXPECT_EQ(search.Result(), ReceiverSearch::Outcome::NotFound);
    EXPECT_EQ(search.FinalMessage(),
              std::string(ReceiverSearch::kNotFoundText) + "\n" + kDialoutHint);

    // Missing devices only: the plain message. An open clears the failure.
    devices.failure = SerialOpenError::CannotOpen;
    search.Start();
    for (int i = 0; i < 100000 && search.Running(); ++i)
        search.Tick();
    EXPECT_EQ(search.FinalMessage(), ReceiverSearch::kNotFoundText);
    devices.present.insert(kDevice);
    EXPECT_TRUE(port.Open(3, 4800, true));
    EXPECT_EQ(port.LastOpenError(), SerialOpenError::None);
}

TEST_F(LinkFixture, ReaderFeedsTheParserAndHonoursThePause)
{
    std::string burst;
    for (int i = 0; i < 10; ++i) // more than one 128-byte read
        burst += kFix;
    ASSERT_TRUE(link.Connect(3, 4800, false));
    Ticks(5); // silent ticks, then the data clears them
    devices.Send(kDevice, burst);
    ASSERT_TRUE(WaitFor([&] { return parser.SentenceCount() == 10; }));
    EXPECT_NEAR(parser.Snapshot().ggaLatitude, 53.361337, 1e-6);
    EXPECT_TRUE(WaitFor([&] { return link.NoDataTicks() == 0; }));

    // Pausing waits for a read in progress: the read holds on a latch until
    // the pause has been asked for, and its sentence is parsed before
    // SetPaused returns.
    auto line = devices.LineFor(kDevice);
    std::atomic<bool> inRead{false};
    std::atomic<bool> readWhilePaused{false};
    auto setLatch = [&](std::function<void()> latch) {
        std::lock_guard lock(line->mutex);
        line->beforeRead = std::move(latch);
    };
    setLatch([&] {
        inRead = true;
        while (!ReaderThread::Paused())
            std::this_thread::yield();
    });
    devices.Send(kDevice, kFix);
    ASSERT_TRUE(WaitFor([&] { return inRead.load(); }));
    ReaderThread::SetPaused(true);
    EXPECT_EQ(parser.SentenceCount(), 11u);

    // Once paused no read starts; the bytes wait for the end of the pause.
    setLatch([&] { readWhilePaused = readWhilePaused || ReaderThread::Paused(); });
    devices.Send(kDevice, kFix);
    EXPECT_EQ(parser.SentenceCount(), 11u);
    ReaderThread::SetPaused(false);
    EXPECT_TRUE(WaitFor([&] { return parser.SentenceCount() == 12; }));
    EXPECT_FALSE(readWhilePaused.load());
    setLatch(nullptr);

    // Reconnecting never leaves two readers.
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(link.Connect(3, 4800, false));
        EXPECT_LE(ReaderThread::LiveCount(), 1);
    }
    link.ClosePort();
    EXPECT_EQ(ReaderThread::LiveCount(), 0);
}

TEST_F(LinkFixture, SirfSetupStopsTheWatchdogAndKeepAwakeFollowsTheSetting)
{
    ASSERT_TRUE(link.StartupConnect());
    link.StopWatchdog();
    Ticks(200);
    EXPECT_FALSE(link.DataLost());
    link.RestartWatchdog();
    Ticks(31);
    EXPECT_TRUE(link.DataLost());

    link.KeepAwakeTick();
    settings.SetInt(section::kSettings, "Stay Alive", 0);
    link.StartupConnect();
    link.KeepAwakeTick();
    link.SetStayAlive(true);
    link.KeepAwakeTick();
    EXPECT_EQ(recorder.holds, (std::vector<bool>{true, false, true}));
}

TEST(SerialPort, CloseNeverRacesARead)
{
    test::TempDir dir;
    test::MemoryDevices devices;
    devices.present.insert(kDevice);
    SystemPortScanner scanner(dir.Path("nosys"), dir.Path("nodev"));
    MemorySettingsStore settings;
    PortRegistry registry(settings);
    registry.Map(1, kDevice);
    SerialPort port(devices, registry, scanner);

    std::atomic<bool> done{false};
    std::thread reader([&] {
        uint8_t buffer[128];
        while (!done)
            port.Read(buffer, sizeof buffer);
    });
    for (int i = 0; i < 500; ++i) {
        devices.Send(kDevice, "$GPGGA,,*56\r\n");
        ASSERT_TRUE(port.Open(1, 4800, false));
        port.Write(reinterpret_cast<const uint8_t*>("x"), 1);
        port.Purge();
        port.Close();
    }
    done = true;
    reader.join();
    EXPECT_FALSE(port.Close());
    uint8_t buffer[4];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(port.Write(buffer, sizeof buffer), 0u);
    EXPECT_EQ(devices.LineFor(kDevice)->written, std::string(500, 'x'));
}

} // namespace
} // namespace hw
