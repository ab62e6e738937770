// The main window: first-run steps, command bars, menus, notifications,
// themes, status bar and the satellite page, on the offscreen platform.
#include "base/CommandIds.h"
#include "base/MemorySettingsStore.h"
#include "base/WindowMessages.h"
#include "gps/GpsdAddress.h"
#include "gps/NmeaParser.h"
#include "gps/gui/PortSettingsDialog.h"
#include "instruments/SatellitePageLayout.h"
#include "instruments/SkyPlotGeometry.h"
#include "instruments/gui/MsgWnd.h"
#include "instruments/gui/SatellitePage.h"
#include "map/gui/MapWnd.h"
#include "map/gui/MapWndHost.h"
#include "shell/TabPages.h"
#include "shell/gui/CGPSStatusBar.h"
#include "shell/gui/CMainFrame.h"
#include "shell/gui/CommandBars.h"
#include "shell/gui/CommandLine.h"
#include "shell/gui/DisclaimerDialog.h"
#include "shell/gui/InitialSetupDialog.h"
#include "shell/gui/QtSettingsStore.h"
#include "shell/gui/SettingsDialogs.h"
#include "shell/gui/TabContainer.h"
#include "track/TrackLog.h"
#include "track/TrackRecorder.h"
#include "widgets/NotificationEvent.h"
#include "widgets/ProgressWindow.h"
#include "widgets/ThemeColour.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "NotificationRecorder.h"

#include <functional>
#include <string>
#include <vector>

using namespace hw;

namespace {

std::string Sentence(const std::string& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

void Feed(NmeaParser& parser, const std::string& text)
{
    parser.Feed(text.data(), text.size());
}

// Runs `act` on the next modal dialog of type T as soon as it shows; records
// that it did.
template <typename T> void WhenModal(std::vector<QString>& seen, std::function<void(T*)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            seen.push_back(dialog->objectName());
            act(dialog);
        }
    });
    poll->start(20);
}

QColor PixelAt(QWidget* w, int x, int y)
{
    return w->grab().toImage().pixelColor(x, y);
}

bool Near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

} // namespace

class AppTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunSequence()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("fresh.conf"));
        std::vector<QString> seen;
        {
            // First start: disclaimer, ticked, then the set-up offer, skipped.
            QtSettingsStore settings(file);
            CMainFrame frame(settings);
            WhenModal<DisclaimerDialog>(seen, [&seen](DisclaimerDialog* d) {
                QCOMPARE(d->CheckBox()->text(), QStringLiteral("下次不再显示此信息"));
                d->CheckBox()->setChecked(true);
                WhenModal<InitialSetupDialog>(seen, [](InitialSetupDialog* s) {
                    s->findChild<QAbstractButton*>(QStringLiteral("skip"))->click();
                });
                d->accept();
            });
            frame.show();
            QTRY_COMPARE(seen.size(), std::size_t(2));
            QCOMPARE(seen[0], QStringLiteral("DisclaimerDialog"));
            QCOMPARE(seen[1], QStringLiteral("InitialSetupDialog"));
            QCOMPARE(settings.GetInt("设置", "NoDisclaimer", 0), 1);
            QCOMPARE(settings.GetInt("设置", "首次通讯设置", 1), 0);
            QTRY_VERIFY(!QApplication::activeModalWidget());
        }
        // Starts 2 to 9 show nothing; the tenth counted start shows the
        // disclaimer again.
        for (int start = 1; start <= 10; ++start) {
            seen.clear();
            QtSettingsStore settings(file);
            CMainFrame frame(settings);
            if (start == 10)
                WhenModal<DisclaimerDialog>(seen, [](DisclaimerDialog* d) { d->accept(); });
            frame.show();
            // The first-run steps are a posted event of the frame's: handled
            // here, dialogs included, before the checks.
            QCoreApplication::sendPostedEvents(&frame);
            if (start == 10) {
                QTRY_COMPARE(seen.size(), std::size_t(1));
                QCOMPARE(settings.GetInt("设置", "NoDisclaimer", 1), 0); // box left empty
            } else {
                QVERIFY(seen.empty());
                QVERIFY(frame.isVisible());
            }
            QCOMPARE(settings.GetInt("设置", "RunCount", 0), start);
        }
        // Not ticked: every start; Cancel ends the program before the set-up.
        {
            seen.clear();
            QtSettingsStore settings(file);
            settings.SetInt("设置", "首次通讯设置", 1);
            CMainFrame frame(settings);
            WhenModal<DisclaimerDialog>(seen, [](DisclaimerDialog* d) { d->reject(); });
            frame.show();
            QTRY_COMPARE(seen.size(), std::size_t(1));
            // Closing ends the first-run steps: nothing can follow.
            QTRY_VERIFY(!frame.isVisible());
            QCOMPARE(seen.size(), std::size_t(1));
            QCOMPARE(settings.GetInt("设置", "首次通讯设置", 0), 1);
        }
    }

    void barsSwitchTwiceAndBack()
    {
        MemorySettingsStore settings;
        CMainFrame frame(settings, Quiet());
        frame.show();
        QVERIFY(!frame.PlainMenuBar()->isHidden());
        QVERIFY(frame.MenuAndIconsBar()->isHidden());
        frame.RunCommand(cmd::kButtonsAndMenus);
        QVERIFY(frame.PlainMenuBar()->isHidden());
        QVERIFY(!frame.MenuAndIconsBar()->isHidden());
        QCOMPARE(settings.GetInt("设置", "Use Menu and Icons", 0), 1);
        // Three buttons after the menus, in order.
        std::vector<int> ids;
        for (QAction* a : frame.MenuAndIconsBar()->actions())
            if (a->data().isValid())
                ids.push_back(a->data().toInt());
        QCOMPARE(ids,
                 (std::vector<int>{cmd::kMarkWaypoint, cmd::kConnectGps, cmd::kWaypointManager}));
        frame.RunCommand(cmd::kButtonsAndMenus);
        QVERIFY(!frame.PlainMenuBar()->isHidden());
        QVERIFY(frame.MenuAndIconsBar()->isHidden());
        QCOMPARE(settings.GetInt("设置", "Use Menu and Icons", 1), 0);
    }

    void menusFollowTheState()
    {
        QTemporaryDir dir;
        MemorySettingsStore settings;
        CMainFrame frame(settings, Quiet());
        frame.show();
        CommandBars& bars = frame.Bars();
        auto state = [&](int id) {
            QAction* a = bars.Action(id);
            // Walk up to the top menu, as opening it would.
            QMenu* top = nullptr;
            for (QAction* m : frame.PlainMenuBar()->actions())
                top = m->menu() ? m->menu() : top, bars.UpdateMenu(m->menu());
            Q_UNUSED(top);
            return std::make_pair(a->isEnabled(), a->isChecked());
        };
        QCOMPARE(state(cmd::kStartNmeaLog), std::make_pair(true, false));
        QCOMPARE(state(cmd::kStopNmeaLog), std::make_pair(false, false));
        QCOMPARE(state(cmd::kReplayNmea), std::make_pair(true, false));
        QCOMPARE(state(cmd::kTabWindows), std::make_pair(true, true));
        QCOMPARE(state(cmd::kThemeSystem), std::make_pair(true, true));
        // The map carries its commands; those no page carries yet are shown
        // disabled.
        QCOMPARE(state(cmd::kMarkWaypoint).first, true);
        QCOMPARE(state(cmd::kCancelGoto).first, false); // no goto yet
        QCOMPARE(state(cmd::kWaypointManager).first, true);

        QVERIFY(frame.Parser().OpenLog(dir.filePath(QStringLiteral("log.txt")).toStdString()));
        const QString log = QStringLiteral(HIKEWISE_SOURCE_DIR "/tests/gui/data/short.nmea");
        QVERIFY(frame.StartReplay(log));
        frame.RunCommand(cmd::kThemeNight);
        frame.RunCommand(cmd::kTabWindows);
        QCOMPARE(state(cmd::kStartNmeaLog), std::make_pair(false, false));
        QCOMPARE(state(cmd::kStopNmeaLog), std::make_pair(true, false));
        QCOMPARE(state(cmd::kReplayNmea), std::make_pair(true, true));
        QCOMPARE(state(cmd::kConnectGps), std::make_pair(true, true));
        QCOMPARE(state(cmd::kSerialPortSettings).first, false);
        QCOMPARE(state(cmd::kThemeSystem), std::make_pair(true, false));
        QCOMPARE(state(cmd::kThemeNight), std::make_pair(true, true));
        QCOMPARE(state(cmd::kTabWindows), std::make_pair(true, false));
        QVERIFY(frame.Tabs()->TabStrip()->tabBar()->isHidden());
        QCOMPARE(settings.GetInt("设置", "启用标签窗口", 1), 0);
        QCOMPARE(settings.GetInt("主题颜色", "主题", 0), 2);
        // Disconnecting a replay leaves the port settings open to the user.
        frame.RunCommand(cmd::kConnectGps);
        QCOMPARE(state(cmd::kConnectGps), std::make_pair(true, false));
        QCOMPARE(state(cmd::kSerialPortSettings).first, true);
        frame.RunCommand(cmd::kStopNmeaLog);
        QCOMPARE(state(cmd::kStartNmeaLog).first, true);
    }

    void gsaRmbZdaNeverReachThePages()
    {
        MemorySettingsStore settings;
        CMainFrame frame(settings, Quiet());
        NotificationRecorder recorder;
        frame.Tabs()->installEventFilter(&recorder);
        Feed(frame.Parser(),
             Sentence("GPGSA,A,3,05,12,,,,,,,,,,,1.6,0.9,1.3") +
                 Sentence("GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V") +
                 Sentence("GPZDA,201530.00,04,07,2002,00,00") +
                 Sentence("GPGGA,101500,3958.1,N,11623.4,E,1,05,0.9,850,M,,,,") +
                 Sentence("GPRMC,101500,A,3958.1,N,11623.4,E,2.5,45.0,071226,,") +
                 Sentence("GPGSV,1,1,01,05,40,080,42"));
        QTRY_COMPARE(recorder.messages.size(), std::size_t(9));
        const std::vector<uint32_t> expected = {WM_GPS_SENTENCE, WM_GPS_SENTENCE, WM_GPS_SENTENCE,
                                                WM_GPS_GGA,      WM_GPS_SENTENCE, WM_GPS_RMC,
                                                WM_GPS_SENTENCE, WM_GPS_GSV,      WM_GPS_SENTENCE};
        QCOMPARE(recorder.messages, expected);
        // The GSA data is there for the next sentence's readers.
        QCOMPARE(frame.Parser().Snapshot().vdop, 1.3);
    }

    void themeThreeToTwoRepaintsInNightColours()
    {
        MemorySettingsStore settings;
        settings.SetInt("主题颜色", "主题", 3);
        CMainFrame frame(settings, Quiet());
        frame.resize(480, 640);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QWidget* page = frame.Tabs()->Page(0);
        const SatellitePageLayout layout(page->width(), page->height());
        const int x = 3;
        const int y = (layout.LowerPanel().top + layout.LowerPanel().bottom) / 2;
        QVERIFY(Near(PixelAt(page, x, y), QColor(204, 204, 255)));
        frame.RunCommand(cmd::kThemeNight);
        QVERIFY(Near(PixelAt(page, x, y), QColor(77, 77, 77)));
        QWidget* other = frame.Tabs()->Page(2);
        frame.Tabs()->ShowPage(2);
        QVERIFY(Near(PixelAt(other, other->width() / 2, 0), QColor(77, 77, 77)));
        QCOMPARE(settings.GetInt("主题颜色", "主题", 0), 2);
    }

    void statusBarShowsEveryUsedSatellite()
    {
        MemorySettingsStore settings;
        CMainFrame frame(settings, Quiet());
        frame.resize(480, 640);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        CGPSStatusBar* bar = frame.Tabs()->StatusBar();
        Feed(frame.Parser(), Sentence("GPGGA,101500,3958.1,N,11623.4,E,2,14,0.9,850,M,,,,"));
        QTRY_COMPARE(bar->Model().SatellitesUsed(), 14);
        QCOMPARE(bar->Model().LedState(), StatusBarModel::Led::Bright);
        QCOMPARE(bar->Model().LedColour(), Colour(0xFF8080)); // differential: blue
        // Count the blocks along the bar's middle row.
        const QImage image = bar->grab().toImage();
        const QColor block = ThemeColour(4);
        int blocks = 0;
        bool inBlock = false;
        const int leftWidth = bar->width() - bar->width() / 15;
        for (int x = 1; x < leftWidth - 1; ++x) { // inside the outline
            const bool on = Near(image.pixelColor(x, bar->height() / 2), block);
            if (on && !inBlock)
                ++blocks;
            inBlock = on;
        }
        QCOMPARE(blocks, 14); // every used satellite, narrower past twelve
        QTRY_COMPARE_WITH_TIMEOUT(bar->Model().LedState(), StatusBarModel::Led::Dark, 1000);
    }

    void satellitePageDrawsTheSky()
    {
        MemorySettingsStore settings;
        GpsFix fix;
        fix.satellitesInView = 2;
        fix.satellites[0] = {7, 27, 1, 123, 90}; // at the zenith, used
        fix.satellites[1] = {9, 40, 0, 90, 0};   // on the east horizon
        SatellitePage page([&fix] { return fix; }, settings);
        page.resize(300, 450);
        page.NextView();
        page.NextView();
        QCOMPARE(page.ViewMode(), int(SatellitePageLayout::kSkyPlot));
        const SatellitePageLayout layout(300, 450);
        const SkyPlotGeometry sky(layout.SkyPlotArea());
        const QImage image = page.grab().toImage();
        const ScreenPoint c = sky.Centre();
        // The used satellite's image sits on the centre.
        QCOMPARE(image.pixelColor(c.x, c.y), QColor(0, 0, 128));
        const ScreenPoint east = sky.Point(90, 0);
        QCOMPARE(image.pixelColor(east.x - 1, east.y), QColor(128, 128, 128));
        // Up and Down keys cycle the views: next from 2 is 0, back from 0 is 2.
        QVERIFY(page.HandlePageKey(NavKey::Up));
        QCOMPARE(page.ViewMode(), 0);
        QVERIFY(page.HandlePageKey(NavKey::Down));
        QCOMPARE(page.ViewMode(), 2);
        QTest::mouseClick(&page, Qt::LeftButton);
        QCOMPARE(page.ViewMode(), 0);
    }

    void arrowKeysSwitchPagesWrapping()
    {
        MemorySettingsStore settings;
        settings.SetInt("设置", "启用标签窗口", 0);
        CMainFrame frame(settings, Quiet());
        frame.show();
        TabContainer* tabs = frame.Tabs();
        QVERIFY(tabs->TabStrip()->tabBar()->isHidden());
        QCOMPARE(tabs->PageCount(), 5);
        QCOMPARE(tabs->Page(3)->objectName(), QStringLiteral("MapWnd"));
        QCOMPARE(tabs->TabStrip()->tabText(1), QStringLiteral("面板"));
        QTest::keyClick(tabs, Qt::Key_Left);
        QCOMPARE(tabs->CurrentPage(), 4);
        QTest::keyClick(tabs, Qt::Key_Right);
        QCOMPARE(tabs->CurrentPage(), 0);
        QTest::keyClick(tabs, Qt::Key_Up); // the GPS page's next view
        QCOMPARE(static_cast<SatellitePage*>(tabs->Page(0))->ViewMode(), 1);
        QCOMPARE(tabs->CurrentPage(), 0);
    }

    void settingsDialogsStoreOnOk()
    {
        MemorySettingsStore settings;
        MiscSettingsDialog misc(settings);
        QVERIFY(misc.CheckBox()->isChecked()); // "Stay Alive" defaults to 1
        QCOMPARE(misc.CheckBox()->text(), QStringLiteral("禁止系统自动休眠"));
        misc.CheckBox()->setChecked(false);
        QCOMPARE(misc.Store(), false);
        QCOMPARE(settings.GetInt("设置", "Stay Alive", 1), 0);
        QVERIFY(!MiscSettingsDialog(settings).CheckBox()->isChecked());
        // The language: Chinese by default, stored as chosen, and a value no
        // release wrote shows as the default rather than as nothing.
        QCOMPARE(MiscSettingsDialog(settings).Language()->currentIndex(), 0);
        {
            MiscSettingsDialog choose(settings);
            QCOMPARE(choose.Language()->count(), 3);
            choose.Language()->setCurrentIndex(2);
            choose.Store();
        }
        QCOMPARE(settings.GetInt("设置", "Language", 0), 2);
        settings.SetInt("设置", "Language", 7);
        QCOMPARE(MiscSettingsDialog(settings).Language()->currentIndex(), 0);

        settings.SetInt("设置", "Waypoint Inport Mode", 1);
        ImportSettingsDialog import(settings);
        auto* mode = import.findChild<QComboBox*>();
        QCOMPARE(mode->currentIndex(), 1);
        mode->setCurrentIndex(0);
        import.Store();
        QCOMPARE(settings.GetInt("设置", "Waypoint Inport Mode", 1), 0);

        // A stored value outside the lists shows the first item.
        settings.SetInt("设置", "PositionFormat", 7);
        UnitsDialog units(settings);
        const auto boxes = units.findChildren<QComboBox*>();
        QCOMPARE(boxes.size(), 3);
        QCOMPARE(boxes[2]->currentIndex(), 0);
        boxes[1]->setCurrentIndex(1);
        units.Store();
        QCOMPARE(settings.GetInt("设置", "AltitudeElevationUnits", 0), 1);
        QCOMPARE(settings.GetInt("设置", "PositionFormat", 7), 0);
    }

    void portSettingsListAndMapTheDevice()
    {
        MemorySettingsStore settings;
        settings.SetInt("Serial Port Commmunications", "端口", 7);
        settings.SetInt("Serial Port Commmunications", "速率", 38400);
        CMainFrame frame(settings, Quiet());
        PortSettingsDialog dialog(settings, frame.Port(), frame.Ports(), frame.Scanner());
        QVERIFY(dialog.Ready());
        // With no device under number 7, the SER07 entry is preselected.
        QCOMPARE(dialog.PortBox()->currentText(), QStringLiteral("SER07: (COM7)"));
        QCOMPARE(dialog.PortBox()->itemText(dialog.PortBox()->count() - 2),
                 QStringLiteral("SER32: (COM32)"));
        QCOMPARE(dialog.BaudBox()->currentText(), QStringLiteral("38400"));
        QCOMPARE(dialog.Port(), 7);
        QCOMPARE(dialog.Baud(), 38400u);
        dialog.DeviceField()->setText(QStringLiteral("/dev/pts/77"));
        dialog.BaudBox()->setCurrentText(QStringLiteral("57600"));
        dialog.accept();
        QCOMPARE(frame.Ports().PathFor(7), std::string("/dev/pts/77"));
        QCOMPARE(dialog.Baud(), 57600u);
        // Cancel maps nothing.
        PortSettingsDialog again(settings, frame.Port(), frame.Ports(), frame.Scanner());
        again.DeviceField()->setText(QStringLiteral("/dev/pts/78"));
        again.reject();
        QCOMPARE(frame.Ports().PathFor(7), std::string("/dev/pts/77"));

        // The daemon: the last entry, its address in the device field, no
        // rate; the address is stored on OK.
        PortSettingsDialog daemon(settings, frame.Port(), frame.Ports(), frame.Scanner());
        daemon.PortBox()->setCurrentIndex(daemon.PortBox()->count() - 1);
        QCOMPARE(daemon.PortBox()->currentText(), QStringLiteral("gpsd"));
        QCOMPARE(daemon.Port(), kGpsdPortNumber);
        QCOMPARE(daemon.DeviceField()->text(), QStringLiteral("127.0.0.1:2947"));
        QVERIFY(!daemon.BaudBox()->isEnabled());
        daemon.DeviceField()->setText(QStringLiteral("gps.local:3001"));
        daemon.accept();
        QCOMPARE(settings.GetText("Serial Port Commmunications", kGpsdAddressName, ""),
                 std::string("gps.local:3001"));
        QCOMPARE(frame.Ports().PathFor(7), std::string("/dev/pts/77"));
    }

    void progressWindowCountsInWholePercent()
    {
        ProgressWindow progress(nullptr, 239, 0, 6, 1);
        QCOMPARE(progress.windowTitle(), QStringLiteral("正在运行..."));
        QCOMPARE(progress.PercentText(), QStringLiteral("0%"));
        progress.Step();
        QCOMPARE(progress.PercentText(), QStringLiteral("16%"));
        for (int i = 0; i < 10; ++i)
            progress.Step(); // never past the end
        QCOMPARE(progress.PercentText(), QStringLiteral("100%"));
        progress.SetText(QStringLiteral("完成."));
        QCOMPARE(progress.Text(), QStringLiteral("完成."));
    }

    void commandLineContracts()
    {
        auto parse = [](QStringList args) {
            args.prepend(QStringLiteral("hikewise"));
            return CommandLine::Parse(args);
        };
        CommandLine cl =
            parse({QStringLiteral("--settings"), QStringLiteral("s.conf"),
                   QStringLiteral("--replay"), QStringLiteral("log.nmea"), QStringLiteral("--page"),
                   QStringLiteral("3"), QStringLiteral("--after"), QStringLiteral("2.5"),
                   QStringLiteral("--screenshot"), QStringLiteral("out.png"),
                   QStringLiteral("--size"), QStringLiteral("800x480"), QStringLiteral("--view"),
                   QStringLiteral("2"), QStringLiteral("--roads"), QStringLiteral("monaco.map")});
        QVERIFY(cl.error.isEmpty());
        QCOMPARE(cl.roadsFile, QStringLiteral("monaco.map"));
        QCOMPARE(cl.settingsFile, QStringLiteral("s.conf"));
        QCOMPARE(cl.replayFile, QStringLiteral("log.nmea"));
        QCOMPARE(cl.page, 3);
        QCOMPARE(cl.afterSeconds, 2.5);
        QCOMPARE(cl.screenshotFile, QStringLiteral("out.png"));
        QCOMPARE(cl.size, QSize(800, 480));
        QCOMPARE(cl.view, 2);
        QVERIFY(!parse({QStringLiteral("--page"), QStringLiteral("5")}).error.isEmpty());
        QVERIFY(!parse({QStringLiteral("--view"), QStringLiteral("3")}).error.isEmpty());
        QVERIFY(!parse({QStringLiteral("--size"), QStringLiteral("800")}).error.isEmpty());
        QVERIFY(!parse({QStringLiteral("--size"), QStringLiteral("9x9")}).error.isEmpty());
        // --after: a finite number of seconds up to a day, the timer's milliseconds.
        for (const char* after : {"3e6", "inf", "-inf", "nan", "86400.5", "-1", "1e400", "x"})
            QCOMPARE(parse({QStringLiteral("--after"), QString::fromLatin1(after)}).error,
                     QStringLiteral("--after takes a number of seconds from 0 to 86400"));
        QCOMPARE(parse({QStringLiteral("--after"), QStringLiteral("86400")}).afterSeconds, 86400.0);

        // The daemon's address, written back as the link will use it.
        QCOMPARE(parse({QStringLiteral("--gpsd"), QStringLiteral("localhost")}).gpsdAddress,
                 QStringLiteral("localhost:2947"));
        QCOMPARE(parse({QStringLiteral("--gpsd"), QStringLiteral("[::1]:3000")}).gpsdAddress,
                 QStringLiteral("[::1]:3000"));
        QVERIFY(!parse({QStringLiteral("--gpsd"), QStringLiteral("host:99999")}).error.isEmpty());
        QVERIFY(!parse({QStringLiteral("--gpsd"), QStringLiteral("h"), QStringLiteral("--replay"),
                        QStringLiteral("x.nmea")})
                     .error.isEmpty());
    }

    void aFastReplayRecordsTheFixOfEveryGga()
    {
        // Forty fixes 37 m apart, one a second; at 16 x 128 bytes a tick a
        // tick decodes some twenty of them before the map runs.
        QTemporaryDir dir;
        const int fixes = 40;
        // The receiver's date first, so that every point carries its time.
        std::string log = Sentence("GPRMC,085959,A,4633.0000,N,00758.8000,E,0.0,0.0,081226,,");
        for (int i = 0; i < fixes; ++i) {
            char body[128];
            std::snprintf(body, sizeof body,
                          "GPGGA,0900%02d,4633.%03d0,N,00758.8000,E,1,07,1.0,1500.0,M,,M,,", i,
                          20 * i);
            log += Sentence(body);
        }
        const QString path = dir.path() + "/fast.nmea";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(log.data(), static_cast<qint64>(log.size()));
        file.close();

        MemorySettingsStore settings;
        CMainFrame frame(settings, Replaying(dir, path, 16));
        frame.show();
        QTRY_COMPARE_WITH_TIMEOUT(frame.Parser().Snapshot().ggaCount, uint32_t{fixes}, 20000);
        MapWnd* map = frame.Tabs()->MapWindow();
        QTRY_COMPARE_WITH_TIMEOUT(map->Track().Count(), uint16_t{fixes}, 20000);
        // Every notice has been handled now; none took a fix twice.
        QCoreApplication::processEvents();
        QCOMPARE(map->Track().Count(), uint16_t{fixes});
        for (uint16_t i = 1; i < fixes; ++i)
            QVERIFY(map->Track().At(i).lat > map->Track().At(i - 1).lat);
        MapWnd::SetRunOptions({});
    }

    void theDemoAtReplaySpeed400RecordsEveryPoint()
    {
        // At 400 x 128 bytes a tick a tick decodes over a hundred GGAs of the
        // demo walk before the map runs: the track still gets every one,
        // as a receiver at walking pace would give them.
        const QString demo = QStringLiteral(HIKEWISE_SOURCE_DIR "/resources/demo/demo.nmea");
        QFile file(demo);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        MemorySettingsStore expectedSettings;
        TrackLog expected;
        expected.ApplySettings(expectedSettings);
        uint32_t ggas = 0;
        {
            TrackRecorder recorder(expected);
            NmeaParser parser;
            std::vector<GpsFix> fixes;
            uint64_t taken = 0;
            for (qsizetype at = 0; at < bytes.size(); at += 128) {
                parser.Feed(bytes.constData() + at,
                            static_cast<size_t>(std::min<qsizetype>(128, bytes.size() - at)));
                taken = parser.FixesSince(taken, fixes);
            }
            for (const GpsFix& fix : fixes)
                recorder.OnGpsUpdate(fix);
            ggas = parser.Snapshot().ggaCount;
        }
        QVERIFY(expected.Count() > 250);

        QTemporaryDir dir;
        MemorySettingsStore settings;
        CMainFrame frame(settings, Replaying(dir, demo, 400));
        frame.show();
        MapWnd* map = frame.Tabs()->MapWindow();
        QTRY_COMPARE_WITH_TIMEOUT(frame.Parser().Snapshot().ggaCount, ggas, 60000);
        QTRY_COMPARE(map->Track().Count(), expected.Count()); // the notices of the last tick
        QCoreApplication::processEvents();
        QCOMPARE(map->Track().Count(), expected.Count());
        for (uint16_t i = 0; i < expected.Count(); ++i)
            QVERIFY2(map->Track().At(i) == expected.At(i), qPrintable(QString::number(i)));
        MapWnd::SetRunOptions({});
    }

    void theDemoWalkIsHeldInMemoryOnly()
    {
        QTemporaryDir dir;
        const std::string trackPath = (dir.path() + "/walk.trk").toStdString();
        TrackLog own;
        own.SetFilter(0);
        for (int i = 0; i < 3; ++i)
            own.AddPoint(TrackPoint{46000000 + i * 500, 7000000, 500.0F, 0, 1700000000 + i});
        QCOMPARE(own.Save(trackPath), 1);
        const QByteArray before = ReadAll(trackPath);

        MapWnd::RunOptions run;
        run.trackFile = trackPath;
        run.databaseFile = (dir.path() + "/points.wpt").toStdString();
        MapWnd::SetRunOptions(run);
        MemorySettingsStore settings; // no receiver set up: the demo plays
        CMainFrame::Options options = Quiet();
        options.demoWhenUnset = true;
        options.replaySpeed = 16;
        {
            CMainFrame frame(settings, options);
            frame.show();
            QVERIFY(frame.DemoPlaying());
            QVERIFY(frame.windowTitle().contains(QString::fromUtf8("演示")));
            auto* label = frame.findChild<QLabel*>(QStringLiteral("DemoLabel"));
            QVERIFY(label && label->isVisible());
            QCOMPARE(label->text(), QString::fromUtf8("演示"));
            MapWnd* map = frame.Tabs()->MapWindow();
            QTRY_VERIFY_WITH_TIMEOUT(map->Track().Count() > 10, 20000);
            QVERIFY(frame.close());
        }
        // Neither the track nor the last position of the demo was stored.
        QCOMPARE(ReadAll(trackPath), before);
        QCOMPARE(settings.GetInt("地图", "当前位置纬度", -1), -1);
        QCOMPARE(settings.GetInt("地图", "当前位置经度", -1), -1);

        // A log the user chooses ends the demo: the file's track comes back
        // and records as a receiver would.
        {
            CMainFrame frame(settings, options);
            frame.show();
            MapWnd* map = frame.Tabs()->MapWindow();
            QTRY_VERIFY_WITH_TIMEOUT(map->Track().Count() > 10, 20000);
            QVERIFY(frame.StartReplay(
                QStringLiteral(HIKEWISE_SOURCE_DIR "/tests/gui/data/short.nmea")));
            QVERIFY(!frame.DemoPlaying());
            QCOMPARE(frame.windowTitle(), QStringLiteral("Hikewise"));
            QVERIFY(!frame.findChild<QLabel*>(QStringLiteral("DemoLabel"))->isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(map->Track().Count() > 3, 20000);
            QCOMPARE(map->Track().At(0).lat, 46000000); // the user's own track first
            QVERIFY(frame.close());
        }
        TrackLog saved;
        QCOMPARE(saved.Load(trackPath), 1);
        QVERIFY(saved.Count() > 3);
        QVERIFY(settings.GetInt("地图", "当前位置纬度", -1) != -1);
        MapWnd::SetRunOptions({});
    }

    void alarmsPopUpOverEveryPageInTurnWithTheShippedSound()
    {
        QTemporaryDir dir;
        MapWnd::RunOptions run;
        run.trackFile = (dir.path() + "/walk.trk").toStdString();
        run.databaseFile = (dir.path() + "/points.wpt").toStdString();
        MapWnd::SetRunOptions(run);
        MemorySettingsStore settings;
        CMainFrame frame(settings, Quiet());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.Tabs()->ShowPage(kTripPage);
        auto* msg = frame.findChild<MsgWnd*>(QStringLiteral("MsgWnd"));
        QVERIFY(msg);
        QVERIFY(!msg->isVisible());
        Waypoint spring;
        spring.strName = "Spring";
        spring.nActiveWaypointMessageType = 4;
        Waypoint hut = spring;
        hut.strName = "Hut";
        MapWndHost& host = frame.Tabs()->MapWindow()->Host();
        host.ShowMessage(spring, QString::fromUtf8("最近路点"), 4, 60000, true);
        host.ShowMessage(hut, QString::fromUtf8("最近路点"), 4, 60000, true);
        // Over the trip page, which stays the page shown.
        QVERIFY(msg->isVisible());
        QCOMPARE(frame.Tabs()->CurrentPage(), int{kTripPage});
        const QRect page(frame.Tabs()->Page(kTripPage)->mapTo(&frame, QPoint(0, 0)),
                         frame.Tabs()->Page(kTripPage)->size());
        const QRect card(msg->mapTo(&frame, QPoint(0, 0)), msg->size());
        QVERIFY2(page.intersects(card) && card.width() > page.width() / 2,
                 qPrintable(QStringLiteral("card %1,%2 %3x%4")
                                .arg(card.x())
                                .arg(card.y())
                                .arg(card.width())
                                .arg(card.height())));
        QVERIFY(msg->grab().toImage().pixelColor(2, 2) == QColor(255, 0, 0)); // warning frame
        // The default sound of every waypoint ships with the program.
        QVERIFY(msg->SoundPlayed().endsWith(QStringLiteral("sounds/Alarm1.wav")));
        QCOMPARE(msg->Message().Shown().strName, std::string("Spring"));
        QCOMPARE(msg->Queue().Waiting(), size_t{1});
        // A tap shows the alarm that waited, then nothing.
        QTest::mouseClick(msg, Qt::LeftButton);
        QVERIFY(msg->isVisible());
        QCOMPARE(msg->Message().Shown().strName, std::string("Hut"));
        QTest::mouseClick(msg, Qt::LeftButton);
        QVERIFY(!msg->isVisible());
        MapWnd::SetRunOptions({});
    }

    void closingStopsTheReceiver()
    {
        MemorySettingsStore settings;
        CMainFrame frame(settings, Quiet());
        frame.show();
        QVERIFY(
            frame.StartReplay(QStringLiteral(HIKEWISE_SOURCE_DIR "/tests/gui/data/short.nmea")));
        QVERIFY(frame.Link().IsOpen());
        QVERIFY(frame.close());
        QVERIFY(!frame.Link().IsOpen());
        QVERIFY(!frame.isVisible());
    }

private:
    static QByteArray ReadAll(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static CMainFrame::Options Quiet()
    {
        CMainFrame::Options o;
        o.skipFirstRun = true;
        return o;
    }

    // A quiet run replaying a log at a speed, its track and database kept
    // in dir (the run options last until reset).
    static CMainFrame::Options Replaying(const QTemporaryDir& dir, const QString& log, int speed)
    {
        MapWnd::RunOptions run;
        run.trackFile = (dir.path() + "/walk.trk").toStdString();
        run.databaseFile = (dir.path() + "/points.wpt").toStdString();
        MapWnd::SetRunOptions(run);
        CMainFrame::Options options = Quiet();
        options.replayFile = log;
        options.replaySpeed = speed;
        return options;
    }
};

QTEST_MAIN(AppTest)
#include "test_app.moc"
