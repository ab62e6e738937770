// Routes on foot in the real map window over Monaco's walking network: a
// route planned to a pressed point from the pop-up menu, drawn and followed
// as a course and saved as GPX; the planning commands greyed, saying why,
// without a map or on a map file made before the network.
#include "MapWindowFixture.h"
#include "ScriptedUser.h"
#include "base/AtomicFile.h"
#include "base/CommandIds.h"
#include "basemap/RoadMap.h"
#include "core/TestFiles.h"
#include "course/CourseFile.h"
#include "geo/SphericalGeometry.h"
#include "map/gui/CourseCommands.h"
#include "map/gui/MapView.h"
#include "map/gui/RouteCommands.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace hw;
using namespace hw::test;

namespace {

QAction* PopupAction(QMenu& menu, int id)
{
    for (QAction* a : menu.actions())
        if (a->data().toInt() == id)
            return a;
    return nullptr;
}

} // namespace

class RoutePlanningTest : public QObject {
    Q_OBJECT
private slots:
    void aRouteToAPressedPointIsDrawnFollowedAndSaved()
    {
        const QString extract = QString::fromStdString(PeerDataDir() + "/osm/monaco.osm.pbf");
        const QString tile = QString::fromStdString(PeerDataDir() + "/dem/N43E007.hgt");
        REQUIRE_PEER_PATH(extract);
        REQUIRE_PEER_PATH(tile);
        QTemporaryDir dir;
        const QString map = dir.path() + "/monaco.map";
        QVERIFY(RunTool({QStringLiteral("map-import"), extract, map}));
        // With the terrain shown, its heights give the climb.
        const QString dem = dir.path() + "/monaco.dem";
        QVERIFY(RunTool({QStringLiteral("dem-import"), tile, dem}));
        MapWnd::RunOptions run;
        run.roadsFile = map.toStdString();
        run.terrainFile = dem.toStdString();
        run.zoomIndex = 11; // 5 km
        MapWindowFixture f(dir.path(), &run);
        f.window->resize(800, 600);
        ScriptedUser user;
        f.window->SetDialogs(&user);
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        // At the foot of the climb; the press up at La Turbie's footpaths.
        f.Step(GeoPoint::FromDegrees(43.7350, 7.4235));
        const GeoPoint target = GeoPoint::FromDegrees(43.7505, 7.4030);
        MapView* view = f.window->View();
        view->Render();
        const ScreenPoint at = f.window->Map().GeoToScreen(target);
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(at.x, at.y));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(at.x, at.y));

        QSignalSpy finished(&f.window->Routes(), &RouteCommands::Finished);
        QSignalSpy notices(f.window.get(), &MapWnd::Notice);
        std::unique_ptr<QMenu> menu(f.window->BuildPopupMenu(f.window.get()));
        QAction* plan = PopupAction(*menu, cmd::kPlanRouteHere);
        QVERIFY(plan && plan->isEnabled());
        plan->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 60000);
        const RoutePlan& planned = f.window->Routes().LastPlan();
        QCOMPARE(planned.status, RoutePlan::Status::Found);
        const RoutePoint& end = planned.path.back();
        QVERIFY(DistanceKm(end.lat, end.lon, target.LatDegrees(), target.LonDegrees()) < 0.15);
        QVERIFY(planned.figures.lengthM > 3000 && planned.figures.lengthM < 6000);
        QVERIFY2(planned.figures.ascentM > 300,
                 qPrintable(QString::number(planned.figures.ascentM)));
        QVERIFY(!notices.isEmpty());
        QVERIFY(notices.last()[0].toString().startsWith(QStringLiteral("路线 ")));

        // Followed as a course, and drawn in its colour.
        CourseCommands& courses = f.window->Courses();
        QVERIFY(courses.IsFollowing());
        const CourseEntry& entry =
            courses.Courses().List().Entries().at(courses.Courses().FollowedIndex());
        QCOMPARE(entry.stored.course.points.size(), planned.path.size());
        const QImage shot = view->grab().toImage();
        int coloured = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                coloured += (shot.pixel(x, y) & 0xffffffu) == entry.colour;
        QVERIFY2(coloured > 100, qPrintable(QString::number(coloured)));

        // Saved as GPX: the track holds every point of the route.
        const QString gpx = dir.path() + "/turbie.gpx";
        user.files.push_back({gpx});
        f.window->HandleCommand(cmd::kSaveRoute);
        const CourseFile saved = ReadCourseFile(gpx.toStdString());
        QCOMPARE(saved.status, CourseFile::Status::Ok);
        QCOMPARE(saved.courses.size(), 2u); // the route of at most 250 points, the track
        QCOMPARE(saved.courses.back().kind, CourseKind::Track);
        QCOMPARE(saved.courses.back().points.size(), planned.path.size());
        QVERIFY(saved.courses.front().points.size() <= 250);
        QVERIFY(user.told.isEmpty());
    }

    void withoutANetworkThePlanningCommandsAreGreyAndSayWhy()
    {
        QTemporaryDir dir;
        // A map file of the version before the network: one street.
        RoadMapWriter writer;
        writer.AddWay(5, {{43735000, 7423500}, {43736000, 7424500}});
        const QString old = dir.path() + "/old.map";
        QVERIFY(WriteFileAtomically(old.toStdString(), writer.Bytes(RoadMapWriter::kEnglishNames)));
        struct Case {
            std::optional<std::string> roads;
            const char* why;
        };
        const Case cases[] = {
            {std::nullopt, "没有载入地图文件"},
            {old.toStdString(), "地图文件没有步行网络"},
        };
        for (const Case& c : cases) {
            MapWnd::RunOptions run;
            run.roadsFile = c.roads;
            MapWindowFixture f(dir.path(), &run);
            QSignalSpy notices(f.window.get(), &MapWnd::Notice);
            std::unique_ptr<QMenu> menu(f.window->BuildPopupMenu(f.window.get()));
            for (int id : {cmd::kPlanRouteHere, cmd::kPlanRouteToWaypoint}) {
                QAction* a = PopupAction(*menu, id);
                QVERIFY(a && !a->isEnabled());
                QVERIFY2(a->statusTip().contains(QString::fromUtf8(c.why)),
                         qPrintable(a->statusTip()));
            }
            QVERIFY(!notices.isEmpty());
            QVERIFY(notices.last()[0].toString().contains(QString::fromUtf8(c.why)));
            QVERIFY(!f.window->Routes().PlanTo(f.window->Map().CurrentPosition(), "x"));
        }
    }
};

QTEST_MAIN(RoutePlanningTest)
#include "test_route_planning.moc"
