// End to end: a simulated receiver on a pseudo-terminal drives the status bar
// and the satellite page; silence brings back the no-fix picture; a replay of
// the run's own log gives the same notifications.
#include "base/MemorySettingsStore.h"
#include "base/WindowMessages.h"
#include "gps/GpsLink.h"
#include "gps/PortRegistry.h"
#include "instruments/SatelliteSnapshot.h"
#include "shell/gui/CGPSStatusBar.h"
#include "shell/gui/CMainFrame.h"
#include "shell/gui/TabContainer.h"
#include "widgets/NotificationEvent.h"
#include "widgets/ThemeColour.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "NotificationRecorder.h"

#include <vector>

using namespace hw;

namespace {

CMainFrame::Options Quiet()
{
    CMainFrame::Options o;
    o.skipFirstRun = true;
    return o;
}

// The messages up to and including the watchdog's reset of the fix.
std::vector<uint32_t> UpToReset(const std::vector<uint32_t>& m)
{
    for (std::size_t i = 0; i + 3 < m.size(); ++i)
        if (m[i] == WM_GPS_GGA && m[i + 1] == WM_GPS_GSV && m[i + 2] == WM_GPS_RMC &&
            m[i + 3] == WM_GPS_SENTENCE)
            return {m.begin(), m.begin() + static_cast<std::ptrdiff_t>(i + 4)};
    return m;
}

} // namespace

class ReceiverEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void liveReceiverSilenceAndReplay()
    {
        const QString sim = QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-nmea-sim");
        // The build makes the simulator and the README's commands install
        // socat: either missing is a failure.
        QVERIFY2(QFileInfo::exists(sim), "the receiver simulator is not built");
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty(),
                 "socat is not installed");
        QTemporaryDir dir;
        const QString gpsSide = dir.filePath(QStringLiteral("gps"));
        const QString appSide = dir.filePath(QStringLiteral("app"));
        QProcess socat;
        socat.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + gpsSide,
                                              QStringLiteral("pty,raw,echo=0,link=") + appSide});
        QTRY_VERIFY(QFileInfo::exists(gpsSide) && QFileInfo::exists(appSide));

        // Port 5 is the pseudo-terminal.
        MemorySettingsStore settings;
        PortRegistry(settings).Map(5, appSide.toStdString());
        settings.SetInt("Serial Port Commmunications", "端口", 5);
        settings.SetInt("Serial Port Commmunications", "速率", 4800);
        const QString log = dir.filePath(QStringLiteral("live.nmea"));

        std::vector<uint32_t> live;
        {
            CMainFrame frame(settings, Quiet());
            frame.resize(480, 640);
            frame.show();
            QVERIFY(frame.Link().IsOpen());
            QVERIFY(frame.Parser().OpenLog(log.toStdString()));
            NotificationRecorder recorder;
            frame.Tabs()->installEventFilter(&recorder);

            QProcess receiver;
            receiver.start(sim, {QStringLiteral("--duration"), QStringLiteral("6"),
                                 QStringLiteral("--satellites"), QStringLiteral("9"),
                                 QStringLiteral("--output"), gpsSide});
            // The status bar and the satellite page follow the receiver.
            CGPSStatusBar* bar = frame.Tabs()->StatusBar();
            QTRY_VERIFY_WITH_TIMEOUT(bar->Model().SatellitesUsed() > 0, 10000);
            QTRY_COMPARE_WITH_TIMEOUT(frame.Parser().Snapshot().satellitesInView, int16_t(9), 5000);
            // The page paints the satellites' bars: fewer than twelve slots
            // of the bars' row are empty.
            QWidget* page = frame.Tabs()->Page(0);
            const int barY = page->height() / 3 - 30;
            auto emptySlots = [&](const QImage& image) {
                int empties = 0;
                bool in = false;
                for (int x = 0; x < image.width(); ++x) {
                    const bool empty = image.pixelColor(x, barY) == ThemeColour(7);
                    empties += empty && !in;
                    in = empty;
                }
                return empties;
            };
            QTRY_VERIFY_WITH_TIMEOUT(emptySlots(page->grab().toImage()) < 12, 5000);
            const GpsFix fix = frame.Parser().Snapshot();
            QVERIFY(fix.HasFix());
            QCOMPARE(bar->Model().SatellitesUsed(), int(fix.satellitesUsed));
            QCOMPARE(fix.satellitesInView, int16_t(9));
            QVERIFY(receiver.waitForFinished(20000));

            // Silence: about 6.2 s later the watchdog resets the fix.
            QTRY_VERIFY_WITH_TIMEOUT(frame.Link().DataLost(), 9000);
            QTRY_COMPARE(bar->Model().SatellitesUsed(), 0);
            QVERIFY(!frame.Link().IsOpen());
            QCOMPARE(SatelliteSnapshot::Take(frame.Parser().Snapshot()).inView, 0);
            // No satellites: the bars' row is twelve empty slots of colour 7.
            QTRY_COMPARE(emptySlots(page->grab().toImage()), 12);
            frame.Parser().CloseLog();
            live = UpToReset(recorder.messages);
        }
        socat.terminate();
        socat.waitForFinished();
        QVERIFY(live.size() > 20);

        // The recorded log, replayed, posts the same notifications.
        MemorySettingsStore replaySettings;
        CMainFrame frame(replaySettings, Quiet());
        NotificationRecorder recorder;
        frame.Tabs()->installEventFilter(&recorder);
        QVERIFY(frame.StartReplay(log));
        QTRY_VERIFY_WITH_TIMEOUT(frame.Link().DataLost(), 20000);
        QTRY_VERIFY(UpToReset(recorder.messages).size() == live.size());
        QCOMPARE(UpToReset(recorder.messages), live);
    }
};

QTEST_MAIN(ReceiverEndToEnd)
#include "test_receiver_e2e.moc"
