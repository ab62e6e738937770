#include "MapWindowFixture.h"
#include "ModalDriver.h"
#include "base/CommandIds.h"
#include "base/MemorySettingsStore.h"
#include "base/WindowMessages.h"
#include "basemap/RoadDrawing.h"
#include "core/NmeaTestSupport.h"
#include "core/TestFiles.h"
#include "geo/SphericalGeometry.h"
#include "gps/NmeaParser.h"
#include "instruments/gui/AltProfileWnd.h"
#include "instruments/gui/DigitalPanelGrid.h"
#include "instruments/gui/MsgWnd.h"
#include "map/gui/CourseCommands.h"
#include "map/gui/MapPropertiesSheet.h"
#include "map/gui/MapView.h"
#include "map/gui/MapWnd.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/gui/CEditWaypointPropSheet.h"
#include "widgets/NotificationEvent.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <numeric>

using namespace hw;
using namespace hw::test;

namespace {

// Presses the stylus on a widget and holds it still until a pop-up menu
// opens; returns the texts of the menu's items (it is closed again), or
// nothing when no menu opened within five seconds.
QStringList HoldForMenu(QWidget* widget, QPoint at)
{
    QStringList items;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&items] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !items.isEmpty())
            return;
        for (QAction* action : menu->actions())
            items << action->text();
        menu->close();
    });
    poll.start();
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    const bool opened = QTest::qWaitFor([&items] { return !items.isEmpty(); }, 5000);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    return opened ? items : QStringList{};
}

} // namespace

class MapWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aWalkIsRecordedSavedAtExitAndLoadedWithASegmentBreak()
    {
        QTemporaryDir dir;
        {
            MapWindowFixture f(dir.path());
            for (int i = 0; i < 20; ++i)
                f.Step(ProjectPoint(kStart, 0.02 * i, 90));
            QCOMPARE(f.window->Track().Count(), uint16_t{20});
            f.window->SaveOnExit();
            QVERIFY(QFile::exists(dir.path() + "/walk.trk"));
        }
        MapWindowFixture again(dir.path());
        TrackLog& track = again.window->Track();
        QCOMPARE(track.Count(), uint16_t{20});
        again.Step(ProjectPoint(kStart, 1.0, 0));
        QCOMPARE(track.Count(), uint16_t{21});
        QCOMPARE(track.At(20).segmentStart, 1);
        QCOMPARE(track.SegmentCount(), 2);
    }

    void aTapOnTwoOverlappingWaypointsAsksWhichOne()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        WaypointDatabase& db = f.window->Waypoints();
        db.Add(NamedAt("A", ProjectPoint(kStart, 0.3, 0)));
        db.Add(NamedAt("B", ProjectPoint(ProjectPoint(kStart, 0.3, 0), 0.005, 90)));
        QStringList asked;
        f.window->SetQuestion([&](const QString& q) {
            asked << q;
            return false;
        });
        MapView* view = f.window->View();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const ScreenPoint at = f.window->Map().GeoToScreen(ProjectPoint(kStart, 0.3, 0));
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(at.x, at.y));
        QCOMPARE(f.window->Selection().Count(), size_t{2});
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0],
                 QString::fromUtf8("在这个地点有超过一个路点.你想要从列表中选择这个路点吗?"));
        QVERIFY(!f.parts->Messages()->isVisible()); // No: nothing shown
        // Yes: the list restricted to the two, and the chosen one is shown.
        std::vector<int> offered;
        f.window->SetQuestion([](const QString&) { return true; });
        f.window->SetWaypointChooser([&](const std::vector<int>& only) {
            offered = only;
            return only.back();
        });
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(at.x, at.y));
        QCOMPARE(offered.size(), size_t{2});
        QVERIFY(f.parts->Messages()->isVisible());
        QCOMPARE(f.parts->Messages()->Message().Title(), std::string("路点"));
        QCOMPARE(f.parts->Messages()->Message().MessageType(), 0);
    }

    void courseUpWritesZeroAndTurnsTheMap()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.walker.fix.course = 90;
        f.Step(kStart);
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.window->View()->Render();
        const GeoPoint east = ProjectPoint(kStart, 0.2, 90);
        const ScreenPoint here = f.window->Map().GeoToScreen(kStart);
        QVERIFY(f.window->Map().GeoToScreen(east).x > here.x + 10);
        CommandStatus status;
        QVERIFY(f.window->QueryCommand(cmd::kNorthUp, status));
        QVERIFY(status.checked);
        QVERIFY(f.window->HandleCommand(cmd::kCourseUp));
        QCOMPARE(f.settings.GetInt("地图", "North Up", 1), 0);
        QVERIFY(f.window->QueryCommand(cmd::kCourseUp, status));
        QVERIFY(status.checked);
        const ScreenPoint turned = f.window->Map().GeoToScreen(east);
        QVERIFY(std::abs(turned.x - here.x) <= 1);
        QVERIFY(turned.y < here.y - 10); // due east is drawn straight above
    }

    void theFilterPageStoresAtMostOneKilometreAndWritesWhatWasTyped()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        // Answer the sheet: 2000 m on the filter page, then OK.
        bool refused = false;
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<MapPropertiesSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            sheet->Pages()->setCurrentIndex(MapPropertiesSheet::kFilterPage);
            sheet->FilterThresholdEntry()->setText("0");
            // Leaving the page with 0 is refused and the page stays.
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    refused = box->text() == QString::fromUtf8("位置过滤距离阀值必须要大于 0.");
                    box->accept();
                }
            });
            sheet->Pages()->setCurrentIndex(0);
            QCOMPARE(sheet->Pages()->currentIndex(), int(MapPropertiesSheet::kFilterPage));
            sheet->FilterThresholdEntry()->setText("2000");
            sheet->accept();
        });
        QVERIFY(f.window->HandleCommand(cmd::kMapProperties));
        QVERIFY(refused);
        QCOMPARE(f.window->Track().FilterThreshold(), 1.0);
        QCOMPARE(f.settings.GetText("地图", "Pos Filter Dist Threshold", ""),
                 std::string("2.000000"));
    }

    void aGotoDrawsTheRedLegAndThePointerAndArrives()
    {
        QTemporaryDir dir;
        {
            WaypointDatabase db;
            db.Add(NamedAt("Hut", ProjectPoint(kStart, 0.2, 0)));
            QCOMPARE(SaveWaypointDatabase(db, (dir.path() + "/points.wpt").toStdString()), 1);
        }
        MapWnd::RunOptions run;
        run.gotoName = "Hut";
        MapWindowFixture f(dir.path(), &run);
        QVERIFY(!f.window->Nav().IsGotoActive()); // it starts at the first fix
        f.Step(kStart);
        QVERIFY(f.window->Nav().IsGotoActive());
        QCOMPARE(f.window->Waypoints().TargetStart().lat, kStart.lat);
        QCOMPARE(f.window->Waypoints().TargetStart().lon, kStart.lon);
        MapView* view = f.window->View();
        view->Render();
        bool redLeg = false;
        for (const Polyline* l : view->LastDrawing().All<Polyline>())
            redLeg |= l->pen.colour == Rgb(192, 0, 0) && l->pen.width == 2;
        QVERIFY(redLeg);
        bool pointer = false;
        for (const Ellipse* e : view->LastDrawing().All<Ellipse>())
            pointer |= e->bounds.Width() == 100;
        QVERIFY(pointer);
        // The image shows the red leg too.
        const QImage& frame = view->Frame();
        bool redPixel = false;
        for (int y = 0; y < frame.height() && !redPixel; ++y)
            for (int x = 0; x < frame.width() && !redPixel; ++x)
                redPixel = frame.pixel(x, y) == qRgb(192, 0, 0);
        QVERIFY(redPixel);
        // Walk to the hut: the message, once.
        for (int i = 1; i <= 10; ++i)
            f.Step(ProjectPoint(kStart, 0.02 * i, 0));
        view->update();
        QTRY_COMPARE(f.messages.size(), 1);
        QCOMPARE(f.messages[0], QString::fromUtf8("您已到达: Hut"));
        f.window->Nav().CheckArrival();
        QCOMPARE(f.messages.size(), 1);
    }

    void aProximityAlarmShowsTheNearestWaypoint()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(ProjectPoint(kStart, 1.0, 180));
        Waypoint alarm = NamedAt("Spring", kStart);
        alarm.bActiveWaypoint = 1;
        alarm.dActiveWPDistance = 0.1;
        alarm.nActiveWaypointMessageType = 4;
        alarm.strSoundFile = "/no/such/sound.wav";
        QVERIFY(f.window->Waypoints().Add(alarm) > 0);
        f.Step(ProjectPoint(kStart, 0.05, 180));
        MsgWnd* msg = f.parts->Messages();
        QTRY_VERIFY(msg->isVisible());
        QCOMPARE(msg->Message().Shown().strName, std::string("Spring"));
        QCOMPARE(msg->Message().Title(), std::string("最近路点"));
        QCOMPARE(msg->Message().GaugeKind(), WaypointMessage::Gauge::AnalogueSpeed);
        QCOMPARE(msg->Message().FrameColour(), Rgb(255, 0, 0));
        QVERIFY(msg->HideTimerActive());
        QVERIFY(msg->RepaintTimerActive());
        // The missing sound file plays nothing and raises nothing.
        QVERIFY(msg->SoundPlayed().isEmpty());
        QVERIFY(!msg->grab().isNull());
        // A tap hides it and stops its timers.
        QTest::mouseClick(msg, Qt::LeftButton);
        QVERIFY(!msg->isVisible());
        QVERIFY(!msg->HideTimerActive());
        QVERIFY(!msg->RepaintTimerActive());
    }

    void aSoundFileThatExistsIsPlayed()
    {
        QTemporaryDir dir;
        const QString wav = dir.path() + "/beep.wav";
        QFile file(wav);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
        file.close();
        QCOMPARE(MsgWnd::ResolveSound(wav.toStdString()), wav);
        QVERIFY(MsgWnd::ResolveSound("NoSuchSound.wav").isEmpty());
        QVERIFY(MsgWnd::ResolveSound("").isEmpty());
    }

    void theDatabaseSavedAfterMarkHereLoadsWithTheNewWaypoint()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        MapView* view = f.window->View();
        const QPoint tap(view->width() / 2 + 40, view->height() / 2 - 30);
        QTest::mouseClick(view, Qt::LeftButton, {}, tap);
        // The edit sheet opens on the new waypoint; OK adds it.
        OnNextModal<CEditWaypointPropSheet>([](CEditWaypointPropSheet* sheet) { sheet->accept(); });
        QVERIFY(f.window->HandleCommand(cmd::kMarkWaypointHere));
        QCOMPARE(f.window->Waypoints().Count(), 1);
        WaypointDatabase loaded;
        QCOMPARE(LoadWaypointDatabase(loaded, (dir.path() + "/points.wpt").toStdString()), 1);
        QCOMPARE(loaded.Count(), 1);
        Waypoint w;
        loaded.ForEach([&](const Waypoint& x) { w = x; });
        const GeoPoint expected = f.window->Map().ScreenToGeo({tap.x(), tap.y()});
        QCOMPARE(w.nLatitude, expected.lat);
        QCOMPARE(w.nLongitude, expected.lon);
    }

    void deletingTheWaypointUnderTheStylusAsksFirst()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        WaypointDatabase& db = f.window->Waypoints();
        const int serial = db.Add(NamedAt("A", ProjectPoint(kStart, 0.3, 0)));
        f.window->Selection().Serials() = {serial};
        QStringList asked;
        bool answer = false;
        f.window->SetQuestion([&](const QString& q) {
            asked << q;
            return answer;
        });
        QVERIFY(f.window->HandleCommand(cmd::kDeleteThisWaypoint));
        QCOMPARE(asked, QStringList{QString::fromUtf8("删除 1 路点?")});
        Waypoint w;
        QVERIFY(db.FindBySerial(serial, w)); // No: kept
        QVERIFY(!QFile::exists(dir.path() + "/points.wpt"));
        answer = true;
        QVERIFY(f.window->HandleCommand(cmd::kDeleteThisWaypoint));
        QVERIFY(!db.FindBySerial(serial, w));
        QVERIFY(f.window->Selection().Empty());
        f.window->DatabaseWriter().Wait();                  // saved beside the UI thread
        QVERIFY(QFile::exists(dir.path() + "/points.wpt")); // saved
    }

    void aLongPressOpensThePopUpMenusOfTheMapProfileAndStrip()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        f.window->Model().SetShowAltitude(true);
        f.window->resize(480, 641); // laid out again with the profile
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QWidget* profile = f.window->ProfileWindow();
        QVERIFY(profile->isVisible());
        QCOMPARE(HoldForMenu(profile, profile->rect().center()).value(0),
                 QString::fromUtf8("清除海拔图表(&C)"));
        QWidget* strip = f.window->NavWindow();
        const QStringList stripMenu = HoldForMenu(strip, strip->rect().center());
        QVERIFY2(stripMenu.contains(QString::fromUtf8("改变此窗格..")),
                 qPrintable(stripMenu.join('|')));
        MapView* view = f.window->View();
        const QStringList mapMenu = HoldForMenu(view, view->rect().center());
        QCOMPARE(mapMenu.value(0), QString::fromUtf8("前往此路点(&T)..."));
        // The release after the menu is no tap: no message window.
        QVERIFY(!f.window->Messages()->isVisible());
        QVERIFY(!f.window->Map().IsPanned());
    }

    void aRightClickAfterAHoldMenuActsOnItsOwnSelection()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        MapView* view = f.window->View();
        const QPoint at[2] = {{view->width() / 4, view->height() / 2},
                              {view->width() * 3 / 4, view->height() / 2}};
        int serials[2];
        for (int i : {0, 1}) {
            const GeoPoint g = f.window->Map().ScreenToGeo({at[i].x(), at[i].y()});
            serials[i] = f.window->Waypoints().Add(NamedAt(i ? "B" : "A", g));
        }
        // A real pop-up, closed as soon as it shows; the hold's release went to it.
        int menus = 0;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&menus] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                ++menus;
                menu->close();
            }
        });
        poll.start();
        QTest::mousePress(view, Qt::LeftButton, {}, at[0]);
        QTRY_COMPARE(menus, 1);
        QVERIFY(f.window->Selection().Serials() == std::vector<int>{serials[0]});
        QContextMenuEvent click(QContextMenuEvent::Mouse, at[1], view->mapToGlobal(at[1]));
        QApplication::sendEvent(view, &click);
        QTRY_COMPARE(menus, 2);
        QVERIFY(f.window->Selection().Serials() == std::vector<int>{serials[1]});
    }

    void anArrivalInABurstShowsItsBoxOnceTheFixesAreHandled()
    {
        // A fast replay passes the target; while the real box is open the
        // receiver goes on. Every fix is handled once, in order.
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.window->SetMessage({});
        NmeaParser parser;
        QtNotificationSink sink(f.window.get());
        parser.SetSink(&sink);
        f.window->SetFixHistory([&parser](uint64_t after, std::vector<GpsFix>& out) {
            return parser.FixesSince(after, out);
        });
        QVERIFY(f.window->Waypoints().Add(NamedAt("Hut", GeoPoint::FromDegrees(46.551, 7.98))) > 0);
        QVERIFY(f.window->GotoNamed("Hut"));
        const auto burst = [&parser](int from, int to) {
            std::string s =
                test::NmeaSentence("GPRMC,085959,A,4633.0000,N,00758.8000,E,0.0,0.0,081226,,");
            for (int i = from; i < to; ++i) {
                char body[96];
                std::snprintf(body, sizeof body,
                              "GPGGA,0900%02d,4633.%03d0,N,00758.8000,E,1,07,1.0,1500.0,M,,M,,", i,
                              30 * i); // the hut at the third
                s += test::NmeaSentence(body);
            }
            parser.Feed(s.data(), s.size());
        };
        std::vector<int> handled;
        QObject::connect(f.window.get(), &MapWnd::FixHandled,
                         [&handled](const GpsFix& fix) { handled.push_back(fix.ggaSecond); });
        bool shown = false;
        OnNextModal<QMessageBox>([&](QMessageBox* box) {
            shown = true;
            burst(6, 18);
            // The rest of the burst is handled while the box is open.
            const bool all =
                QTest::qWaitFor([&handled] { return !handled.empty() && handled.back() == 17; });
            box->accept();
            QVERIFY(all);
        });
        burst(0, 6);
        QTRY_VERIFY(shown);
        QTRY_COMPARE(handled.back(), 17);
        QCoreApplication::processEvents();
        std::vector<int> expected(18);
        std::iota(expected.begin(), expected.end(), 0);
        QVERIFY2(handled == expected, qPrintable(QString::number(handled.size())));
    }

    void aDragPansFromTheFifthMoveAndTheReturnButtonFollowsAgain()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        MapView* view = f.window->View();
        QPoint p(view->width() / 2, view->height() / 2);
        QTest::mousePress(view, Qt::LeftButton, {}, p);
        for (int i = 1; i <= 4; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(p + QPoint(i * 5, 0)),
                             view->mapToGlobal(QPointF(p + QPoint(i * 5, 0))), Qt::NoButton,
                             Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        }
        QVERIFY(!f.window->Map().IsPanned());
        for (int i = 5; i <= 8; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(p + QPoint(i * 5, 0)),
                             view->mapToGlobal(QPointF(p + QPoint(i * 5, 0))), Qt::NoButton,
                             Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        }
        QTest::mouseRelease(view, Qt::LeftButton, {}, p + QPoint(40, 0));
        QVERIFY(f.window->Map().IsPanned());
        const ScreenRect button = f.window->Map().ReturnButtonRect();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(button.left + 10, button.top + 10));
        QVERIFY(!f.window->Map().IsPanned());
        // The wheel steps through the zoom table.
        const int index = f.window->Map().ZoomIndex();
        QWheelEvent wheel(QPointF(p), view->mapToGlobal(QPointF(p)), {}, QPoint(0, 120),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QCOMPARE(f.window->Map().ZoomIndex(), index - 1);
    }
    void theNavigationStripKeepsItsPanesAndHidesOnCommand()
    {
        QTemporaryDir dir;
        {
            MapWindowFixture f(dir.path());
            DigitalPanelGrid* nav = f.parts->NavStrip();
            QVERIFY(nav);
            QCOMPARE(nav->objectName(), QStringLiteral("NavWnd"));
            QCOMPARE(nav->ContextMenuId(), 179);
            // 480 x 640 is tall: a strip of three panes across the bottom.
            QVERIFY(nav->isVisible());
            QCOMPARE(nav->Layout().Rows(), 1);
            QCOMPARE(nav->Layout().Columns(), 3);
            QCOMPARE(nav->geometry().bottom(), f.window->height() - 1);
            QCOMPARE(nav->height(), 107); // 480 x 0.2222, rounded
            QCOMPARE(f.window->View()->height(), 640 - 107);
            // Speed, distance to waypoint, course: and a change of pane is kept.
            QCOMPARE(nav->Layout().Type(2), 3);
            nav->Layout().SetType(2, 7, f.settings);
            // Wide: a column of three rows at the right.
            f.window->resize(800, 480);
            QCOMPARE(nav->Layout().Rows(), 3);
            QCOMPARE(nav->Layout().Columns(), 1);
            QCOMPARE(nav->width(), 200);
            QCOMPARE(f.window->View()->width(), 600);
            // The strip's own layout is never stored.
            QCOMPARE(f.settings.GetInt("Digital PanelMapView", "屏幕行", -1), -1);

            QVERIFY(f.window->HandleCommand(cmd::kHideNavigationWindow));
            QVERIFY(!nav->isVisible());
            QCOMPARE(f.window->View()->width(), 800);
            QCOMPARE(f.settings.GetInt("地图", "显示导航窗口", -1), 0);
            f.settings.SetInt("地图", "显示导航窗口", 1);
            MemorySettingsStore kept = f.settings;
            f.window.reset();
            // A restart with the same settings shows the strip and the chosen pane.
            auto host = std::make_unique<MapPageParts>();
            MapPageParts* parts = host.get();
            MapWnd again(
                kept, [] { return GpsFix{}; }, std::move(host));
            again.resize(480, 640);
            again.show();
            QVERIFY(parts->NavStrip()->isVisible());
            QCOMPARE(parts->NavStrip()->Layout().Type(2), 7);
        }
    }

    void theDemosPlaceIsNotStoredAfterAReceiverTakesOver()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        f.window->SaveOnExit(); // the user's last place
        f.window->SetDemo(true);
        f.Step(ProjectPoint(kStart, 50, 90));
        f.window->SetDemo(false);                    // before the receiver's first fix
        QVERIFY(!f.window->Courses().IsFollowing()); // the demo's course with it
        f.window.reset();
        QCOMPARE(f.settings.GetInt("地图", "当前位置经度", 0), kStart.lon);
    }

    void aCourseTheUserFollowsOutlivesTheDemo()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        Course mine{"mine", CourseKind::Track, {{46.55, 7.98}, {46.56, 7.99}}, {}};
        const int index = f.window->Courses().FollowCourse(mine, false);
        QVERIFY(index >= 0);
        f.window->SetDemo(true);
        QCOMPARE(f.window->Courses().Courses().FollowedIndex(), index);
        f.window->SetDemo(false);
        QCOMPARE(f.window->Courses().Courses().FollowedIndex(), index);
    }

    void everyGgaOfABurstReachesTheTrack()
    {
        // Several GGAs decoded before the window runs (a fast replay): each
        // one's fix is handled, not only the newest.
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        NmeaParser parser;
        QtNotificationSink sink(f.window.get());
        parser.SetSink(&sink);
        f.window->SetFixHistory([&parser](uint64_t after, std::vector<GpsFix>& out) {
            return parser.FixesSince(after, out);
        });
        // The receiver's date first: no point is recorded before it.
        std::string burst =
            test::NmeaSentence("GPRMC,085959,A,4633.0000,N,00758.8000,E,0.0,0.0,081226,,");
        for (int i = 0; i < 12; ++i) {
            char body[96];
            std::snprintf(body, sizeof body,
                          "GPGGA,0900%02d,4633.%03d0,N,00758.8000,E,1,07,1.0,1500.0,M,,M,,", i,
                          30 * i);
            burst += test::NmeaSentence(body);
        }
        parser.Feed(burst.data(), burst.size());
        QTRY_COMPARE(f.window->Track().Count(), uint16_t{12});
        QCoreApplication::processEvents();
        QCOMPARE(f.window->Track().Count(), uint16_t{12});
        QCOMPARE(f.window->Profile().Sample(11), 1500.0f); // one sample a fix
        QCOMPARE(f.window->Profile().Sample(12), 0.0f);
    }

    void aRoadMapIsDrawnAndADamagedOneSaysWhyOnce()
    {
        QTemporaryDir dir;
        RoadMapWriter writer;
        std::vector<RoadPoint> street;
        for (int i = -5; i <= 5; ++i) {
            const GeoPoint g = ProjectPoint(kStart, 0.05 * i, 90);
            street.push_back({g.lat, g.lon});
        }
        writer.AddWay(5, street);
        const std::string bytes = writer.Bytes();
        const QString good = dir.path() + "/good.map", cut = dir.path() + "/cut.map";
        for (auto [path, size] : {std::pair{good, bytes.size()}, {cut, bytes.size() / 2}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes.data(), static_cast<qint64>(size));
        }
        {
            MapWnd::RunOptions run;
            run.roadsFile = good.toStdString();
            MapWindowFixture f(dir.path(), &run);
            QSignalSpy notices(f.window.get(), &MapWnd::Notice);
            f.Step(kStart);
            f.window->View()->Render();
            QVERIFY(!f.window->View()->LastBackground().All<Polylines>().empty());
            QCOMPARE(f.window->RoadsDrawn().NodesDrawn(), uint64_t{11});
            QCoreApplication::processEvents();
            QCOMPARE(notices.count(), 0);
            // The kept picture of the roads follows a change of classes and of view.
            f.window->Roads().SetClassMask(kAllRoadClasses & ~(1u << 5));
            f.window->View()->Render();
            QVERIFY(f.window->View()->LastBackground().All<Polylines>().empty());
            f.window->Roads().SetClassMask(kAllRoadClasses);
            f.Step(ProjectPoint(kStart, 5, 0)); // 5 km north: the street is out of sight
            f.window->View()->Render();
            QVERIFY(f.window->View()->LastBackground().All<Polylines>().empty());
            f.Step(kStart);
            f.window->View()->Render();
            QVERIFY(!f.window->View()->LastBackground().All<Polylines>().empty());
        }
        MapWnd::RunOptions run;
        run.roadsFile = cut.toStdString();
        MapWindowFixture f(dir.path(), &run);
        QSignalSpy notices(f.window.get(), &MapWnd::Notice);
        QTRY_COMPARE(notices.count(), 1);
        QVERIFY(notices[0][0].toString().contains(QStringLiteral("damaged")));
        f.Step(kStart);
        f.window->View()->Render();
        QVERIFY(f.window->View()->LastBackground().All<Polylines>().empty());
        QCoreApplication::processEvents();
        QCOMPARE(notices.count(), 1);
    }
    void aPannedMapWithRoadsShowsTheReturnButtonAndTheCredit()
    {
        // The Monaco map when the peer extract is at hand; the picture goes to
        // HIKEWISE_GALLERY_DIR when it is set (tools/gallery.sh).
        const QString extract = QString::fromStdString(test::PeerDataDir() + "/osm/monaco.osm.pbf");
        REQUIRE_PEER_PATH(extract);
        QTemporaryDir dir;
        const QString map = dir.path() + "/monaco.map";
        QVERIFY(test::RunTool({QStringLiteral("map-import"), extract, map}));
        MapWnd::RunOptions run;
        run.roadsFile = map.toStdString();
        run.zoomIndex = 6;
        MapWindowFixture f(dir.path(), &run);
        f.window->resize(800, 480);
        const GeoPoint monaco = GeoPoint::FromDegrees(43.7376, 7.4240);
        for (int i = 0; i < 30; ++i)
            f.Step(ProjectPoint(monaco, 0.01 * i, 60));
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        MapView* view = f.window->View();
        const QPoint p(view->width() / 2, view->height() / 2);
        QTest::mousePress(view, Qt::LeftButton, {}, p);
        for (int i = 1; i <= 12; ++i) {
            const QPointF at(p + QPoint(-i * 12, -i * 6));
            QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, {});
            QApplication::sendEvent(view, &move);
        }
        QTest::mouseRelease(view, Qt::LeftButton, {}, p + QPoint(-144, -72));
        QVERIFY(f.window->Map().IsPanned());
        view->Render();
        QStringList texts;
        for (const Text* t : view->LastDrawing().All<Text>())
            texts << QString::fromStdString(t->text);
        QVERIFY(texts.contains(QStringLiteral("退出")));
        QVERIFY(texts.contains(QString::fromUtf8(RoadDrawing::kCredit)));
        QVERIFY(f.window->RoadsDrawn().NodesDrawn() > 1000);
        const QByteArray gallery = qgetenv("HIKEWISE_GALLERY_DIR");
        if (!gallery.isEmpty())
            QVERIFY(f.window->grab().save(QString::fromLocal8Bit(gallery) +
                                          "/map-roads-panned-800x480.png"));
    }
};

QTEST_MAIN(MapWindowTest)
#include "test_map_window.moc"
