// The serial link end to end over a pseudo-terminal pair standing in for a
// receiver on a serial port: the test (or the NMEA simulator) writes to the
// master side, the program opens the slave device through its port number.

#include "LinkFixture.h"

#include "base/Clock.h"
#include "base/SettingsStore.h"
#include "base/UiPacer.h"
#include "base/WindowMessages.h"
#include "gps/SerialPort.h"
#include "gps/SirfParameterSetup.h"
#include "gps/gui/ScreenSaverKeepAwake.h"

#include "core/FakeSirfReceiver.h"
#include "core/NmeaTestSupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace hw;

namespace {

constexpr int kPort = 5;

// One pseudo-terminal pair: the receiver's end (master) and the device the
// program opens (slave), mapped to port 5.
struct Receiver {
    Receiver()
    {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0)
            device = name;
        ::fcntl(master, F_SETFD, FD_CLOEXEC);
        ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    }
    ~Receiver() { Unplug(); }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    // Writes as a 4800 baud line carries it: about 2 ms a byte.
    void Send(const std::string& bytes, bool paced = true)
    {
        for (std::size_t at = 0; at < bytes.size();) {
            std::size_t chunk =
                paced ? std::min<std::size_t>(48, bytes.size() - at) : bytes.size() - at;
            ssize_t put = ::write(master, bytes.data() + at, chunk);
            if (put <= 0)
                return;
            at += static_cast<std::size_t>(put);
            if (paced)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    std::string Take()
    {
        std::string got;
        char buffer[256];
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            got.append(buffer, static_cast<std::size_t>(n));
        return got;
    }
    void Unplug()
    {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
        master = slave = -1;
    }

    int master = -1;
    int slave = -1;
    std::string device;
};

std::string Epoch(int second)
{
    char time[16];
    std::snprintf(time, sizeof time, "0927%02d.000", second % 60);
    return test::NmeaSentence(std::string("GPGGA,") + time +
                              ",5321.6802,N,00630.3372,W,1,08,1.03,61.7,M,55.2,M,,") +
           test::NmeaSentence("GPGSA,A,3,04,05,09,12,24,25,29,30,,,,,1.8,1.0,1.5") +
           test::NmeaSentence("GPGSV,2,1,08,04,18,286,43,05,56,047,45,09,11,137,38,12,60,235,"
                              "47") +
           test::NmeaSentence("GPGSV,2,2,08,24,20,055,40,25,38,310,44,29,09,322,35,30,14,190,"
                              "39") +
           test::NmeaSentence(std::string("GPRMC,") + time +
                              ",A,5321.6802,N,00630.3372,W,0.06,31.66,071226,,,A");
}

bool WaitFor(const std::function<bool()>& condition, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < ms)
        QTest::qWait(20);
    return condition();
}

} // namespace

class SerialLinkTest : public QObject {
    Q_OBJECT

    struct Program : test::LinkFixture {
        explicit Program(const std::string& device)
        {
            registry.Map(kPort, device);
            settings.SetInt(section::kSerial, "端口", kPort);
            host.answer = false; // stop trying when asked
        }
    };

private slots:
    void opensWithTheLineSettingsAndOnlyOnce()
    {
        Receiver receiver;
        QVERIFY(!receiver.device.empty());
        Program program(receiver.device);
        // The pseudo-terminal refuses DTR and RTS; the open still succeeds.
        QVERIFY(program.port.Open(kPort, 4800, true));
        QVERIFY(program.reported.empty());

        termios tio{};
        QCOMPARE(::tcgetattr(receiver.slave, &tio), 0);
        QCOMPARE(::cfgetispeed(&tio), speed_t(B4800));
        QCOMPARE(::cfgetospeed(&tio), speed_t(B4800));
        QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY(!(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS)));
        QVERIFY(tio.c_cflag & (CLOCAL | CREAD));
        QVERIFY(!(tio.c_lflag & (ICANON | ECHO | ISIG)));
        QVERIFY(!(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP)));
        QVERIFY(!(tio.c_oflag & OPOST));

        // A second open of the same device fails as a busy port does, in
        // this program or another; once closed it opens again.
        SerialPort second(program.transport, program.registry, program.scanner);
        std::vector<std::string> shown;
        second.SetErrorReporter([&](const std::string& text, const std::string& caption) {
            shown.push_back(caption + ": " + text);
        });
        QVERIFY(!second.Open(kPort, 4800, true));
        QCOMPARE(shown,
                 std::vector<std::string>{"通信错误: 无法打开端口.请关闭该应用程序访问通讯端口"});
        program.port.Close();
        QVERIFY(second.Open(kPort, 9600, true));
        QCOMPARE(::tcgetattr(receiver.slave, &tio), 0);
        QCOMPARE(::cfgetispeed(&tio), speed_t(B9600));
        second.Close();

        // A rate the line cannot take, and a path that is no terminal.
        QVERIFY(!program.port.Open(kPort, 12345, true));
        const QString plain = program.dir.filePath(QStringLiteral("plain.txt"));
        QFile(plain).open(QIODevice::WriteOnly);
        program.registry.Map(6, plain.toStdString());
        QVERIFY(!program.port.Open(6, 4800, true));
        QCOMPARE(program.reported, (std::vector<std::string>{"通信错误: SetCommState - Fail",
                                                             "通信错误: SetCommTimeouts - Fail"}));
    }

    // A device the user may not open: the message names the group dialout.
    // Root opens anything, so as root the open runs as nobody in a child.
    void deviceWithoutPermissionNamesTheDialoutGroup()
    {
        Receiver receiver;
        QVERIFY(!receiver.device.empty());
        QCOMPARE(::chmod(receiver.device.c_str(), 0), 0);
        if (::geteuid() != 0) {
            Program program(receiver.device);
            QVERIFY(!program.port.Open(kPort, 4800, true));
            QCOMPARE(program.port.LastOpenError(), SerialOpenError::NotPermitted);
            QCOMPARE(program.reported, std::vector<std::string>{
                                           "通信错误: 无法打开端口.请关闭该应用程序访问通讯端口\n" +
                                           receiver.device + ": " + kDialoutHint});
            return;
        }
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            constexpr uid_t kNobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(100);
            PosixSerialTransport transport;
            SerialOpenError error = SerialOpenError::None;
            const bool opened = transport.OpenDevice(receiver.device, 4800, error) != nullptr;
            ::_exit(opened ? 101 : static_cast<int>(error));
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), static_cast<int>(SerialOpenError::NotPermitted));
    }

    void readsWritesAndPurges()
    {
        Receiver receiver;
        Program program(receiver.device);
        QVERIFY(program.port.Open(kPort, 4800, false));
        uint8_t buffer[128];

        // A read with nothing waiting returns (nothing will ever come here).
        QCOMPARE(program.port.Read(buffer, sizeof buffer), std::size_t(0));

        // The bytes are in the device's input queue before the read.
        receiver.Send(std::string(300, 'a'), false);
        QVERIFY(WaitFor([&] {
            int queued = 0;
            return ::ioctl(receiver.slave, FIONREAD, &queued) == 0 && queued >= 300;
        }));
        QCOMPARE(program.port.Read(buffer, sizeof buffer), std::size_t(128));
        program.port.Purge();
        QCOMPARE(program.port.Read(buffer, sizeof buffer), std::size_t(0));

        const std::string poll = "$PSRF103,00,00,01,01*25\r\n";
        QCOMPARE(program.port.Write(reinterpret_cast<const uint8_t*>(poll.data()), poll.size()),
                 poll.size());
        std::string echoed;
        WaitFor([&] { return (echoed += receiver.Take()).size() >= poll.size(); }, 1000);
        QCOMPARE(echoed, poll);
    }

    void nmeaArrivesAndSilenceIsNoticedOnThe31stTick()
    {
        Receiver receiver;
        Program program(receiver.device);
        QVERIFY(program.link.StartupConnect());

        std::thread talker([&] {
            for (int second = 0; second < 3; ++second)
                receiver.Send(Epoch(second));
        });
        talker.join();
        QVERIFY(WaitFor([&] { return program.parser.Snapshot().rmcCount == 3; }));
        const GpsFix fix = program.parser.Snapshot();
        QCOMPARE(program.parser.SentenceCount(), 15u);
        QCOMPARE(fix.ggaCount, 3u);
        QCOMPARE(fix.gsvCount, 6u);
        QCOMPARE(int(fix.fixQuality), 1);
        QVERIFY(std::abs(fix.ggaLatitude - 53.361337) < 1e-6);
        QVERIFY(std::abs(fix.ggaLongitude + 6.505620) < 1e-6);
        QCOMPARE(int(fix.satellitesInView), 8);
        const auto posted = program.parsed.Messages();
        QCOMPARE(std::count(posted.begin(), posted.end(), WM_GPS_SENTENCE), 15L);
        QVERIFY(!program.link.DataLost());

        // The receiver goes quiet.
        for (int tick = 0; tick < 30; ++tick)
            program.link.Tick();
        QVERIFY(!program.link.DataLost());
        QVERIFY(program.port.IsOpen());
        program.link.Tick();
        QVERIFY(program.link.DataLost());
        QVERIFY(!program.port.IsOpen());
        QCOMPARE(int(program.parser.Snapshot().fixQuality), 0);
        QCOMPARE(program.notices.Messages(),
                 (std::vector<uint32_t>{WM_GPS_GGA, WM_GPS_GSV, WM_GPS_RMC, WM_GPS_SENTENCE}));
        QCOMPARE(ReaderThread::LiveCount(), 0);
    }

    void reconnectsTwiceBeforeAsking()
    {
        Receiver receiver;
        Program program(receiver.device);
        program.settings.SetInt(section::kSerial, "自动重接", 1);
        QVERIFY(program.link.StartupConnect());
        for (int tick = 0; tick < 31; ++tick)
            program.link.Tick();
        QVERIFY(program.link.DataLost());

        for (int attempt = 1; attempt <= 2; ++attempt) {
            for (int tick = 0; tick < 16; ++tick)
                program.link.Tick();
            QCOMPARE(program.link.ReconnectAttempts(), attempt - 1);
            program.link.Tick();
            QVERIFY(program.port.IsOpen()); // the device is there: it opens
            QCOMPARE(program.link.ReconnectAttempts(), attempt);
            QVERIFY(program.host.questions.empty());
        }
        for (int tick = 0; tick < 17; ++tick)
            program.link.Tick();
        QCOMPARE(program.host.questions.size(), std::size_t(1));
        QVERIFY(program.link.UserStopped());
        QVERIFY(!program.port.IsOpen());

        // A reconnection that finds the receiver talking clears the loss.
        program.link.ToggleConnect();
        receiver.Send(Epoch(1));
        QVERIFY(WaitFor([&] { return !program.link.DataLost(); }));
        QVERIFY(program.parser.Snapshot().fixQuality == 1);
    }

    void unpluggingIsReportedCleanly()
    {
        auto receiver = std::make_unique<Receiver>();
        Program program(receiver->device);
        program.settings.SetInt(section::kSerial, "自动重接", 1);
        QVERIFY(program.link.StartupConnect());
        receiver->Send(Epoch(0));
        QVERIFY(WaitFor([&] { return program.parser.Snapshot().rmcCount == 1; }));

        // The receiver's end goes away with the port open and being read.
        // A read of a hung-up line fails at once; the port says no bytes.
        receiver.reset();
        uint8_t buffer[16];
        QCOMPARE(program.port.Read(buffer, sizeof buffer), std::size_t(0));
        for (int tick = 0; tick < 31; ++tick)
            program.link.Tick();
        QVERIFY(program.link.DataLost());
        QVERIFY(!program.port.IsOpen());
        QCOMPARE(ReaderThread::LiveCount(), 0);

        // Reconnection finds no device and the link stays lost and closed.
        for (int tick = 0; tick < 34; ++tick)
            program.link.Tick();
        QCOMPARE(program.link.ReconnectAttempts(), 2);
        QVERIFY(!program.port.IsOpen());
        QVERIFY(program.link.DataLost());
        QVERIFY(program.host.errors.empty());
        QVERIFY(!program.link.ApplyPortSettings(kPort, 4800, true));
        QCOMPARE(program.reported,
                 std::vector<std::string>{"通信错误: 无法打开端口.请关闭该应用程序访问通讯端口"});
    }

    void simulatorStreamArrives()
    {
        const QString simulator = QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-nmea-sim");
        QVERIFY2(QFileInfo::exists(simulator), "the NMEA simulator is not built");
        Receiver receiver;
        Program program(receiver.device);
        QVERIFY(program.link.StartupConnect());

        // The simulator writes to the receiver's end as its standard output.
        QProcess sim;
        const int master = receiver.master;
        sim.setChildProcessModifier([master] { ::dup2(master, STDOUT_FILENO); });
        sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim.start(simulator,
                  {QStringLiteral("--duration"), QStringLiteral("4"), QStringLiteral("--baud"),
                   QStringLiteral("4800"), QStringLiteral("--realtime")});
        QVERIFY(sim.waitForFinished(15000));
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(WaitFor([&] { return program.parser.Snapshot().rmcCount >= 4; }));
        const GpsFix fix = program.parser.Snapshot();
        QVERIFY(fix.ggaCount >= 4);
        QVERIFY(fix.gsaCount >= 4);
        QVERIFY(fix.gsvCount >= 8);
        QCOMPARE(int(fix.fixQuality), 1);
        QVERIFY(std::abs(fix.ggaLatitude - 22.2394) < 0.01);
        QVERIFY(std::abs(fix.ggaLongitude - 114.2383) < 0.01);
        QVERIFY(fix.satellitesInView >= 8);
        QVERIFY(!program.link.DataLost());
    }

    void sirfSetupOverTheLine()
    {
        Receiver receiver;
        Program program(receiver.device);
        QVERIFY(program.link.StartupConnect());

        // A SiRF receiver on the far end, on a line that also carries NMEA
        // once a second throughout: the binary replies must reach the set-up
        // and nothing may reach the parser while the reader is paused.
        test::FakeSirfReceiver sirfChip(test::FakeSirfReceiver::Kind::Sirf);
        std::atomic<bool> stop{false};
        std::atomic<bool> chipBackOnNmea{false}; // the chip took message 129
        std::thread chip([&] {
            uint8_t buffer[512];
            int second = 0;
            QElapsedTimer clock;
            clock.start();
            while (!stop) {
                pollfd p{receiver.master, POLLIN, 0};
                if (::poll(&p, 1, 10) > 0) {
                    ssize_t n = ::read(receiver.master, buffer, sizeof buffer);
                    if (n > 0)
                        sirfChip.Accept(buffer, static_cast<std::size_t>(n));
                    if (!sirfChip.messages.empty() && sirfChip.messages.back()[0] == 129 &&
                        !sirfChip.binary_)
                        chipBackOnNmea = true;
                }
                if (std::size_t n = sirfChip.Drain(buffer, sizeof buffer))
                    receiver.Send(std::string(reinterpret_cast<char*>(buffer), n), false);
                if (clock.elapsed() > second * 1000)
                    receiver.Send(Epoch(second++), false);
            }
        });

        SirfProtocol sirf(&program.port);
        struct Progress final : SirfProgress {
            explicit Progress(NmeaParser& p) : parser(p) {}
            void SetText(const std::string& text) override
            {
                texts.push_back(text);
                counts.push_back(parser.SentenceCount());
            }
            void Step() override {}
            void ShowError(const std::string& text) override { errors.push_back(text); }
            NmeaParser& parser;
            std::vector<std::string> texts, errors;
            std::vector<uint32_t> counts;
        } progress(program.parser);
        struct Pacer final : UiPacer {
            void PumpMessages() override { QCoreApplication::processEvents(); }
            void Sleep(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }
        } pacer;
        SystemClock clock;
        SirfSetupOptions options;
        options.rates = {1, 5, 5, 1};
        const SirfSetupResult result =
            SirfParameterSetup(sirf, program.link, progress, clock, pacer).Run(4800, options);
        // Back on NMEA once the chip has taken the switch, the new reader
        // thread runs and sentences reach the parser again.
        const uint32_t parsedAtEnd = program.parser.SentenceCount();
        QVERIFY(WaitFor(
            [&] {
                return chipBackOnNmea && ReaderThread::LiveCount() == 1 &&
                       program.parser.SentenceCount() > parsedAtEnd;
            },
            15000));
        QVERIFY(!program.link.DataLost());
        stop = true;
        chip.join();
        const auto& sent = sirfChip.messages;

        QVERIFY(progress.errors.empty());
        QVERIFY(result.AllPassed());
        // From the first step to the switch back: no sentence was parsed.
        const auto back = std::find(progress.texts.begin(), progress.texts.end(), "切换回 NMEA...");
        QVERIFY(back != progress.texts.end());
        QCOMPARE(progress.counts[std::size_t(back - progress.texts.begin())], progress.counts[0]);
        QVERIFY(progress.texts.size() > 3);
        QCOMPARE(result.versionText, std::string("GSW3.5.0_3.5.00.00-SDK-3EP2.01"));
        QVERIFY(!sent.empty());
        QCOMPARE(int(sent.back()[0]), 129);
        QVERIFY(!sirfChip.binary_);
        // Reader running, watchdog running.
        QVERIFY(program.port.IsOpen());
        QVERIFY(!ReaderThread::Paused());
        QVERIFY(program.link.WatchdogRunning());
        QCOMPARE(ReaderThread::LiveCount(), 1);
    }

    void keepAwakeIsSilentWithoutAScreenSaver()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
        ScreenSaverKeepAwake keepAwake;
        QElapsedTimer timer;
        timer.start();
        keepAwake.Hold(true);
        keepAwake.Hold(true);
        QVERIFY(!keepAwake.Holding());
        keepAwake.Hold(false);
        QVERIFY(timer.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(SerialLinkTest)
#include "test_serial_link.moc"
