// The GPS daemon as the receiver, end to end: gpsd's own test tool replays a
// peer log on a loopback port, the link reads it through the daemon source,
// and the watchdog and the reconnection treat a daemon that goes away like
// an unplugged receiver.

#include "LinkFixture.h"

#include "base/SettingsStore.h"
#include "base/WindowMessages.h"
#include "gps/GpsdAddress.h"

#include "core/NmeaTestSupport.h"
#include "core/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>
#include <netinet/in.h>
#include <set>
#include <sys/socket.h>
#include <unistd.h>

using namespace hw;

namespace {

// A loopback port nobody listens on now.
uint16_t FreeLoopbackPort()
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    uint16_t port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

bool Listening(uint16_t port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

// The GGA positions of a log, decoded by the program's own parser.
std::set<std::pair<long long, long long>> GgaPositions(const QString& log)
{
    QFile file(log);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    std::set<std::pair<long long, long long>> positions;
    test::RecordingSink sink;
    NmeaParser parser(&sink);
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray sentence = line + '\n';
        parser.Feed(reinterpret_cast<const uint8_t*>(sentence.data()),
                    static_cast<std::size_t>(sentence.size()));
        if (line.mid(3, 3) == "GGA") {
            const GpsFix fix = parser.Snapshot();
            positions.insert(
                {std::llround(fix.ggaLatitude * 1e6), std::llround(fix.ggaLongitude * 1e6)});
        }
    }
    return positions;
}

struct Gpsfake {
    Gpsfake(const QString& log, uint16_t port)
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("gpsfake"));
        if (tool.isEmpty())
            return;
        found = true;
        // Loops over the log, a sentence every 20 ms, on loopback only.
        process.start(tool, {QStringLiteral("-q"), QStringLiteral("-P"), QString::number(port),
                             QStringLiteral("-c"), QStringLiteral("0.02"), log});
    }
    ~Gpsfake() { Stop(); }
    void Stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(10000))
            process.kill();
        process.waitForFinished(5000);
    }
    bool found = false;
    QProcess process;
};

} // namespace

class GpsdSourceTest : public QObject {
    Q_OBJECT

    struct Program : test::LinkFixture {
        Program() { settings.SetInt(section::kSerial, "自动重接", 1); }
    };

    QString peerLog_;

private slots:
    void initTestCase()
    {
        peerLog_ = QString::fromStdString(test::PeerDataDir() + "/nmea/haicom-305N.log");
        if (!QFile::exists(peerLog_)) {
            if (qEnvironmentVariable("HIKEWISE_REQUIRE_PEER_DATA") == QLatin1String("1"))
                QFAIL("peer data missing");
            QSKIP("peer data missing (../shared/peer-data)");
        }
    }

    void aRefusedConnectionIsReportedWithItsReason()
    {
        Program program;
        GpsdAddress address;
        address.port = FreeLoopbackPort();
        std::vector<std::string> shown;
        program.port.SetErrorReporter(
            [&](const std::string& text, const std::string&) { shown.push_back(text); });
        program.link.UseGpsdForThisRun(address);
        QVERIFY(!program.link.Connect(kGpsdPortNumber, 4800, true));
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY2(shown[0].find("连接被拒绝") != std::string::npos, shown[0].c_str());
        QVERIFY(shown[0].find(address.Text()) != std::string::npos);
        QVERIFY(!program.link.IsOpen());
    }

    void theFixFollowsTheLogAndADaemonThatGoesAwayIsReconnected()
    {
        const auto positions = GgaPositions(peerLog_);
        QVERIFY(positions.size() > 10);

        const uint16_t tcpPort = FreeLoopbackPort();
        auto daemon = std::make_unique<Gpsfake>(peerLog_, tcpPort);
        QVERIFY2(daemon->found, "gpsfake (Debian package gpsd-clients) is not installed");
        QVERIFY(daemon->process.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(Listening(tcpPort), 20000);

        Program program;
        GpsdAddress address;
        address.port = tcpPort;
        program.link.UseGpsdForThisRun(address);
        QVERIFY(program.link.StartupConnect());
        QCOMPARE(program.port.DevicePath(), "gpsd://" + address.Text());

        // Several different positions arrive, each one of the log's.
        std::set<std::pair<long long, long long>> seen;
        const auto threeLogPositions = [&] {
            const GpsFix fix = program.parser.Snapshot();
            if (fix.ggaCount > 0) {
                const std::pair<long long, long long> p{std::llround(fix.ggaLatitude * 1e6),
                                                        std::llround(fix.ggaLongitude * 1e6)};
                if (!positions.count(p))
                    qWarning("position not in the log: %lld %lld", p.first, p.second);
                else
                    seen.insert(p);
            }
            return seen.size() >= 3;
        };
        QTRY_VERIFY_WITH_TIMEOUT(threeLogPositions(), 30000);
        QVERIFY(!program.link.DataLost());

        // The daemon goes away: the watchdog notices on its 31st silent tick,
        // clears the fix and tells the windows.
        daemon->Stop();
        program.notices.Take();
        const auto lost = [&] {
            program.link.Tick();
            return program.link.DataLost();
        };
        QTRY_VERIFY_WITH_TIMEOUT(lost(), 20000);
        QCOMPARE(program.parser.Snapshot().ggaCount, 0u);
        const std::vector<uint32_t> told = program.notices.Take();
        QVERIFY(std::count(told.begin(), told.end(), uint32_t(WM_GPS_GGA)) >= 1);

        // A daemon on the same port again: a reconnection attempt finds it and
        // the fix comes back.
        daemon = std::make_unique<Gpsfake>(peerLog_, tcpPort);
        QVERIFY(daemon->process.waitForStarted(10000));
        const auto fixBack = [&] {
            program.link.Tick();
            return !program.link.DataLost() && program.parser.Snapshot().ggaCount > 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(fixBack(), 60000);
        QVERIFY(program.link.ReconnectAttempts() >= 1);
        program.link.ClosePort();
    }
};

QTEST_GUILESS_MAIN(GpsdSourceTest)
#include "test_gpsd_source.moc"
