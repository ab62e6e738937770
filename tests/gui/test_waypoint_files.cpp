// The map window's file, import and geocaching commands as a user drives
// them: the answers to the file choosers and questions are given in advance,
// the CSV sheet is filled in where it opens, and every result is read back
// from the files on disk.
#include "ModalDriver.h"
#include "ScriptedUser.h"
#include "base/CommandIds.h"
#include "base/MemorySettingsStore.h"
#include "core/TestFiles.h"
#include "gps/NmeaParser.h"
#include "map/gui/GeocacheCommands.h"
#include "map/gui/MapWnd.h"
#include "map/gui/WaypointImportCommand.h"
#include "shell/gui/CMainFrame.h"
#include "shell/gui/MapPageParts.h"
#include "shell/gui/TabContainer.h"
#include "track/TrackLog.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/gui/CEditWaypointPropPage5.h"
#include "waypoints/gui/CEditWaypointPropSheet.h"
#include "waypoints/gui/CImportCSVPropSheet.h"
#include "waypoints/gui/WPAverageStatusWnd.h"
#include "widgets/UserDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>
#include <memory>

using namespace hw;
using test::ScriptedUser;

namespace {

QString Peer(const char* name)
{
    return QString::fromStdString(test::PeerDataDir() + "/gpx/") + QLatin1String(name);
}

// Skips the rest of a test when the peer files are missing; fails instead
// where they are required (CI).
#define REQUIRE_PEER_FILE(name)                                                                    \
    do {                                                                                           \
        if (!QFile::exists(Peer(name))) {                                                          \
            if (qgetenv("HIKEWISE_REQUIRE_PEER_DATA") == "1")                                      \
                QFAIL("peer data missing");                                                        \
            QSKIP("peer data missing");                                                            \
        }                                                                                          \
    } while (0)

class Fixture {
public:
    explicit Fixture(const QString& dir, std::optional<std::string> database = std::nullopt)
    {
        MapWnd::RunOptions run;
        run.trackFile = (dir + "/walk.trk").toStdString();
        run.databaseFile = database ? *database : (dir + "/points.wpt").toStdString();
        MapWnd::SetRunOptions(run);
        auto host = std::make_unique<MapPageParts>();
        parts = host.get();
        window = std::make_unique<MapWnd>(
            settings, [this] { return parser.Snapshot(); }, std::move(host));
        window->SetDialogs(&user);
        window->SetMessage([this](const QString& text) { user.told << text; });
        window->resize(480, 640);
        window->show();
    }
    ~Fixture() { MapWnd::SetRunOptions({}); }

    // Runs the import command and waits until its summary has been shown.
    bool ImportThroughCommand(const QStringList& files)
    {
        user.files.push_back(files);
        QSignalSpy done(&window->Import(), &WaypointImportCommand::Finished);
        window->HandleCommand(cmd::kImportWaypoints);
        return done.wait(20000);
    }
    WaypointDatabase SavedDatabase() const
    {
        WaypointDatabase db;
        LoadWaypointDatabase(db, window->DatabasePath());
        return db;
    }
    const Waypoint* Named(const WaypointDatabase& db, const std::string& name) const
    {
        const Waypoint* found = nullptr;
        db.ForEach([&](const Waypoint& w) {
            if (!found && w.strName == name)
                found = &w;
        });
        return found;
    }
    void FeedLog(const QString& path, const std::function<void(const GpsFix&)>& afterGga)
    {
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        while (!log.atEnd()) {
            const QByteArray line = log.readLine();
            parser.Feed(line.constData(), static_cast<size_t>(line.size()));
            if (line.startsWith("$GPGGA")) {
                window->OnGpsUpdate();
                afterGga(parser.Snapshot());
            }
        }
    }

    MemorySettingsStore settings;
    NmeaParser parser;
    ScriptedUser user;
    std::unique_ptr<MapWnd> window;
    MapPageParts* parts = nullptr; // the window's
};

// The main window over a database and a track in a folder, its map
// window's questions answered by a scripted user.
class FrameFixture {
public:
    explicit FrameFixture(const QString& dir) : database((dir + "/points.wpt").toStdString())
    {
        MapWnd::RunOptions run;
        run.databaseFile = database;
        run.trackFile = (dir + "/walk.trk").toStdString();
        MapWnd::SetRunOptions(run);
        CMainFrame::Options options;
        options.skipFirstRun = true;
        frame = std::make_unique<CMainFrame>(settings, options);
        map = frame->Tabs()->MapWindow();
        map->SetDialogs(&user);
        frame->show();
    }
    ~FrameFixture() { MapWnd::SetRunOptions({}); }

    std::string database;
    MemorySettingsStore settings;
    ScriptedUser user;
    std::unique_ptr<CMainFrame> frame;
    MapWnd* map = nullptr;
};

// Receives the pages the program opens in the desktop's browser.
class PageCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void openPage(const QUrl& url) { opened << url; }
};

} // namespace

class WaypointFilesTest : public QObject {
    Q_OBJECT
private slots:
    void aPocketQueryImportedThroughTheCommandIsSummarisedAndSaved()
    {
        REQUIRE_PEER_FILE("geocaching.gpx");
        REQUIRE_PEER_FILE("GC7FA4.gpx");
        // What the importer itself makes of the two files.
        WaypointDatabase expected;
        const ImportResult a = ImportGpx(expected, Peer("geocaching.gpx").toStdString(), false);
        const ImportResult b = ImportGpx(expected, Peer("GC7FA4.gpx").toStdString(), false);
        QVERIFY(a.added > 1 && b.added == 1);

        QTemporaryDir dir;
        Fixture f(dir.path());
        QVERIFY(f.ImportThroughCommand({Peer("geocaching.gpx"), Peer("GC7FA4.gpx")}));
        ImportResult sum;
        sum.added = a.added + b.added;
        QCOMPARE(f.user.told, QStringList{QString::fromStdString(ImportSummaryText(sum))});
        QCOMPARE(f.user.toldIcons.front(), QMessageBox::Question);
        QVERIFY(!f.window->Model().Paused());
        QCOMPARE(f.window->Waypoints().Count(), sum.added);
        QVERIFY(!f.window->Waypoints().IsModified());
        // The file holds exactly what was imported, cache details included.
        const WaypointDatabase saved = f.SavedDatabase();
        QCOMPARE(saved.Count(), sum.added);
        expected.ForEach([&](const Waypoint& w) {
            const Waypoint* s = f.Named(saved, w.strName);
            QVERIFY2(s, w.strName.c_str());
            QCOMPARE(s->nLatitude, w.nLatitude);
            QCOMPARE(s->geocache.strPlacedBy, w.geocache.strPlacedBy);
            QCOMPARE(s->geocache.strLongDescription, w.geocache.strLongDescription);
        });

        // Again in replace mode: nothing new, every cache replaced.
        f.settings.SetInt("设置", "Waypoint Inport Mode", 1);
        f.user.told.clear();
        QVERIFY(f.ImportThroughCommand({Peer("geocaching.gpx"), Peer("GC7FA4.gpx")}));
        ImportResult again;
        again.replaced = sum.added;
        QCOMPARE(f.user.told, QStringList{QString::fromStdString(ImportSummaryText(again))});
        QCOMPARE(f.SavedDatabase().Count(), sum.added);
    }

    void aCsvWithLatitudeFirstAndAHeaderLineImportsThroughItsSheet()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath("cameras.csv");
        QFile out(csv);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("latitude,longitude,name\r\n47.25,-122.5,\"Cam 1\"\r\n-33.9,151.2,Harbour\r\n");
        out.close();

        Fixture f(dir.path());
        test::OnNextModal<CImportCSVPropSheet>([](CImportCSVPropSheet* sheet) {
            QCOMPARE(sheet->windowTitle(), QString::fromUtf8("CSV 导入设定"));
            QCOMPARE(sheet->Pages()->tabText(0), QString::fromUtf8("CSV 设定"));
            QCOMPARE(sheet->Pages()->tabText(1), QString::fromUtf8("路点设定"));
            sheet->Order()->setCurrentIndex(1); // "纬度、经度、注释"
            sheet->SkipFirstLine()->setChecked(true);
            sheet->accept();
        });
        QVERIFY(f.ImportThroughCommand({csv}));
        ImportResult two;
        two.added = 2;
        QCOMPARE(f.user.told, QStringList{QString::fromStdString(ImportSummaryText(two))});
        const WaypointDatabase saved = f.SavedDatabase();
        QCOMPARE(saved.Count(), 2);
        const Waypoint* cam = f.Named(saved, "Cam 1");
        QVERIFY(cam);
        QCOMPARE(cam->nLatitude, 47250000);
        QCOMPARE(cam->nLongitude, -122500000);
        QCOMPARE(cam->icon, 55); // the sheet's symbol
        QCOMPARE(cam->bActiveWaypoint, 1);
        QVERIFY(f.Named(saved, "Harbour"));

        // Cancelling the sheet imports nothing and says so.
        test::OnNextModal<CImportCSVPropSheet>([](CImportCSVPropSheet* sheet) { sheet->reject(); });
        f.user.told.clear();
        QVERIFY(f.ImportThroughCommand({csv}));
        QCOMPARE(f.user.told, QStringList{QString::fromStdString(ImportSummaryText({}))});
        QCOMPARE(f.SavedDatabase().Count(), 2);
    }

    void aBrokenFileShowsExpatsMessageAndKeepsWhatCameBefore()
    {
        QTemporaryDir dir;
        const QString gpx = dir.filePath("broken.gpx");
        QFile out(gpx);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("<?xml version=\"1.0\"?>\n<gpx version=\"1.0\">\n"
                  "<wpt lat=\"46.5\" lon=\"7.9\"><name>First</name></wpt>\n"
                  "<wpt lat=\"46.6\" lon=\"7.8\"><name>Second</wpt>\n</gpx>\n");
        out.close();
        Fixture f(dir.path());
        QVERIFY(f.ImportThroughCommand({gpx, dir.filePath("missing.gpx"), dir.filePath("a.txt")}));
        QCOMPARE(f.user.told.size(), 4);
        QVERIFY2(f.user.told[0].startsWith(QLatin1String("XML Parse Error: ")) &&
                     f.user.told[0].endsWith(QLatin1String(" at line 4")),
                 qPrintable(f.user.told[0]));
        QVERIFY(f.user.told[1].contains(QLatin1String("missing.gpx")));
        QCOMPARE(f.user.told[2], QString::fromUtf8("错误 - 不支持的路点文件"));
        QCOMPARE(f.user.toldIcons[0], QMessageBox::Critical);
        ImportResult one;
        one.added = 1;
        QCOMPARE(f.user.told[3], QString::fromStdString(ImportSummaryText(one)));
        QVERIFY(f.Named(f.SavedDatabase(), "First"));
    }

    void foundThenFieldNotesExportMarksTheCacheLogged()
    {
        QTemporaryDir dir;
        Fixture f(dir.path());
        Waypoint cache;
        cache.strName = "GC1234";
        cache.nType = 1;
        cache.nLatitude = 46550000;
        cache.nLongitude = 7980000;
        const int serial = f.window->Waypoints().Add(cache);
        f.window->Selection().Serials() = {serial};
        // Yes: the edit sheet opens at "区域注释", where the note is typed.
        int page = -1;
        test::OnNextModal<CEditWaypointPropSheet>([&](CEditWaypointPropSheet* sheet) {
            page = sheet->Tabs()->currentIndex();
            sheet->FieldNotes()->Notes()->setPlainText(QStringLiteral("TFTC, \"dry\""));
            sheet->accept();
        });
        f.user.answers = {true};
        f.window->HandleCommand(cmd::kGeocacheFound);
        QCOMPARE(f.user.asked,
                 QStringList{QString::fromUtf8("Cache状态设置为\"已找到\".是否上传此记录?")});
        QCOMPARE(page, 4);
        const Waypoint* found = f.Named(f.SavedDatabase(), "GC1234");
        QVERIFY(found);
        QCOMPARE(found->nGeocacheState, 1);
        QCOMPARE(found->geocache.bFieldNotePending, 1);
        CommandStatus status;
        QVERIFY(f.window->QueryCommand(cmd::kGeocacheFound, status));
        QVERIFY(status.checked);

        const QString visits = dir.filePath("geocache_visits.txt");
        f.user.files.push_back({visits});
        f.user.answers = {true}; // mark the found caches as logged
        f.window->HandleCommand(cmd::kExportGeocacheVisits);
        QFile file(visits);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("\xEF\xBB\xBFGC1234,"));
        QVERIFY2(text.endsWith(",Found it,\"TFTC, \"\"dry\"\"\"\r\n"), text.constData());
        const Waypoint* logged = f.Named(f.SavedDatabase(), "GC1234");
        QVERIFY(logged);
        QCOMPARE(logged->nGeocacheState, 5);
        QCOMPARE(logged->geocache.bFieldNotePending, 0);

        // Found and logged already: "已找到" changes nothing and asks nothing.
        f.user.asked.clear();
        f.window->HandleCommand(cmd::kGeocacheFound);
        QVERIFY(f.user.asked.isEmpty());
        // An export to a folder that does not exist says so.
        f.user.files.push_back({dir.filePath("no/such/folder/visits.txt")});
        f.window->HandleCommand(cmd::kExportGeocacheVisits);
        QCOMPARE(f.user.told.back(), QString::fromUtf8("无法创建导出文件.操作取消."));
    }

    void theGeocachePageOpensInTheBrowserOrSaysWhyNot()
    {
        QTemporaryDir dir;
        Fixture f(dir.path());
        Waypoint cache;
        cache.strName = "GC77";
        cache.geocache.strCacheName = "Hidden spring";
        cache.geocache.strPlacedBy = "someone";
        f.window->Selection().Serials() = {f.window->Waypoints().Add(cache)};
        PageCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "openPage");
        f.window->HandleCommand(cmd::kShowGeocacheInfo);
        QCOMPARE(browser.opened.size(), 1);
        QFile page(browser.opened.front().toLocalFile());
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("Hidden spring"));

        // Templates missing from the folder "AppDir" names.
        f.settings.SetText("设置", "AppDir", dir.filePath("nowhere").toStdString());
        f.window->HandleCommand(cmd::kShowGeocacheInfo);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(browser.opened.size(), 1);
        QCOMPARE(f.user.told.back(), QString::fromUtf8("错误\n无法显示 Geocache 信息"));
    }

    void averagingOverAReplayGivesAWaypointWithinTheSpreadOfTheFixes()
    {
        QTemporaryDir dir;
        Fixture f(dir.path());
        CommandStatus status;
        QVERIFY(f.window->QueryCommand(cmd::kAverageStop, status));
        QVERIFY(!status.enabled);
        f.window->HandleCommand(cmd::kAverageStart);
        QVERIFY(f.window->QueryCommand(cmd::kAverageStart, status));
        QVERIFY(!status.enabled);
        QTRY_VERIFY(f.parts->Averaging()->isVisible());
        double minLat = 90, maxLat = -90, minLon = 180, maxLon = -180;
        int fixes = 0;
        f.FeedLog(QStringLiteral(HIKEWISE_SOURCE_DIR "/tests/gui/data/short.nmea"),
                  [&](const GpsFix& fix) {
                      if (!fix.HasFix())
                          return;
                      ++fixes;
                      minLat = std::min(minLat, fix.ggaLatitude);
                      maxLat = std::max(maxLat, fix.ggaLatitude);
                      minLon = std::min(minLon, fix.ggaLongitude);
                      maxLon = std::max(maxLon, fix.ggaLongitude);
                  });
        QVERIFY(fixes > 2);
        QVERIFY2(f.parts->Averaging()->DeviationText().endsWith(
                     QStringLiteral("Samples:\t%1").arg(fixes)),
                 qPrintable(f.parts->Averaging()->DeviationText()));
        QVERIFY(f.parts->Averaging()->PositionText().startsWith(QLatin1String("Avg Lat:\t")));

        // Finished from the status window's own pop-up menu; the edit sheet
        // opens on the averaged waypoint and OK adds it.
        QString sheetName;
        test::OnNextModal<CEditWaypointPropSheet>([&](CEditWaypointPropSheet* sheet) {
            sheetName = QString::fromStdString(sheet->Edited().strName);
            sheet->accept();
        });
        std::unique_ptr<QMenu> menu(f.parts->Averaging()->BuildPopupMenu(nullptr));
        QCOMPARE(menu->actions().size(), 3);
        QCOMPARE(menu->actions()[1]->text(), QString::fromUtf8("取消平均"));
        QVERIFY(menu->actions()[0]->isEnabled());
        QCOMPARE(menu->actions()[0]->text(), QString::fromUtf8("停止／完成"));
        menu->actions()[0]->trigger();
        QVERIFY(!f.parts->Averaging()->isVisible());
        QCOMPARE(sheetName, QStringLiteral("WPT 00000"));
        const WaypointDatabase saved = f.SavedDatabase();
        QCOMPARE(saved.Count(), 1);
        const Waypoint* w = f.Named(saved, "WPT 00000");
        QVERIFY(w);
        QVERIFY(w->nLatitude >= static_cast<int32_t>(minLat * 1e6) - 1 &&
                w->nLatitude <= static_cast<int32_t>(maxLat * 1e6) + 1);
        QVERIFY(w->nLongitude >= static_cast<int32_t>(minLon * 1e6) - 1 &&
                w->nLongitude <= static_cast<int32_t>(maxLon * 1e6) + 1);
        QVERIFY(minLat < maxLat); // the fixes do spread

        // Cancelled averaging adds nothing.
        f.window->HandleCommand(cmd::kAverageStart);
        f.FeedLog(QStringLiteral(HIKEWISE_SOURCE_DIR "/tests/gui/data/short.nmea"),
                  [](const GpsFix&) {});
        f.window->HandleCommand(cmd::kAverageCancel);
        QCOMPARE(f.SavedDatabase().Count(), 1);
        QCOMPARE(f.window->Waypoints().Count(), 1);
    }

    void openingATrackFileRestoresItsPointsAndKeepsTheOldTrack()
    {
        QTemporaryDir dir;
        TrackLog other;
        for (int i = 0; i < 30; ++i)
            other.AddPoint({46500000 + i * 100, 7900000, 1200.0f + i, 0, 1700000000 + i});
        QCOMPARE(other.Save(dir.filePath("other.trk").toStdString()), 1);

        Fixture f(dir.path());
        f.window->Track().AddPoint({46000000, 7000000, 500.0f, 0, 1700000000});
        f.user.files.push_back({dir.filePath("other.trk")});
        f.window->HandleCommand(cmd::kOpenTrackFile);
        QCOMPARE(f.window->Track().Count(), uint16_t{30});
        QCOMPARE(f.window->Track().At(29).lat, 46500000 + 29 * 100);
        QCOMPARE(f.window->TrackPath(), dir.filePath("other.trk").toStdString());
        TrackLog before;
        QCOMPARE(before.Load(dir.filePath("walk.trk").toStdString()), 1);
        QCOMPARE(before.Count(), uint16_t{1});

        // A file that is no track leaves the log and its file as they were.
        QFile junk(dir.filePath("junk.trk"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.close();
        QVERIFY(QFile::setPermissions(dir.filePath("junk.trk"), {}));
        f.user.files.push_back({dir.filePath("junk.trk")});
        f.window->HandleCommand(cmd::kOpenTrackFile);
        if (f.user.told.isEmpty()) {
            QFile::setPermissions(dir.filePath("junk.trk"), QFile::ReadOwner | QFile::WriteOwner);
            QSKIP("running as root: an unreadable file reads (run as nobody too)");
        }
        QCOMPARE(f.window->Track().Count(), uint16_t{30});
        QCOMPARE(f.window->TrackPath(), dir.filePath("other.trk").toStdString());
    }

    void newOverAnExistingFileAsksBeforeReplacingIt()
    {
        QTemporaryDir dir;
        Fixture f(dir.path());
        Waypoint w;
        w.strName = "Kept";
        f.window->Waypoints().Add(w);
        QVERIFY(f.window->SaveDatabase());
        QFile other(dir.filePath("other.wpt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("someone's file");
        other.close();

        // No: nothing changes.
        f.user.files.push_back({dir.filePath("other.wpt")});
        f.user.answers = {false};
        f.window->HandleCommand(cmd::kNewWaypointDatabase);
        QCOMPARE(f.user.asked.size(), 1);
        QVERIFY(f.user.asked[0].contains(dir.filePath("other.wpt")));
        QVERIFY(QFile::exists(dir.filePath("other.wpt")));
        QCOMPARE(f.window->Waypoints().Count(), 1);
        QCOMPARE(f.window->DatabasePath(), dir.filePath("points.wpt").toStdString());
        // Yes: an empty database on the new file.
        f.user.files.push_back({dir.filePath("other.wpt")});
        f.user.answers = {true};
        f.window->HandleCommand(cmd::kNewWaypointDatabase);
        QCOMPARE(f.window->Waypoints().Count(), 0);
        QCOMPARE(f.window->DatabasePath(), dir.filePath("other.wpt").toStdString());
        QVERIFY(f.Named(f.SavedDatabase(), "Kept") == nullptr);

        // The track: the same question; the points go on into the new file.
        f.window->Track().AddPoint({46000000, 7000000, 500.0f, 0, 1700000000});
        QFile oldTrack(dir.filePath("old.trk"));
        QVERIFY(oldTrack.open(QIODevice::WriteOnly));
        oldTrack.write("x");
        oldTrack.close();
        f.user.files.push_back({dir.filePath("old.trk")});
        f.user.answers = {false};
        f.window->HandleCommand(cmd::kNewTrackFile);
        QCOMPARE(f.user.asked.size(), 3);
        QCOMPARE(QFileInfo(dir.filePath("old.trk")).size(), qint64{1});
        f.user.files.push_back({dir.filePath("old.trk")});
        f.user.answers = {true};
        f.window->HandleCommand(cmd::kNewTrackFile);
        QVERIFY(!QFile::exists(dir.filePath("old.trk")));
        QCOMPARE(f.window->Track().Count(), uint16_t{1});
        f.window->SaveOnExit();
        TrackLog saved;
        QCOMPARE(saved.Load(dir.filePath("old.trk").toStdString()), 1);
        QCOMPARE(saved.Count(), uint16_t{1});
    }

    void aDatabaseThatCannotBeWrittenAsksTheRecoveryQuestionAndLosesNothing()
    {
        QTemporaryDir dir;
        // A folder that is a file: no one can write beneath it, root neither.
        QFile blocker(dir.filePath("card"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Fixture f(dir.path(), dir.filePath("card/points.wpt").toStdString());

        // No: the change stays in memory, marked modified.
        f.user.answers = {false};
        test::OnNextModal<CEditWaypointPropSheet>(
            [](CEditWaypointPropSheet* sheet) { sheet->accept(); });
        f.window->HandleCommand(cmd::kMarkWaypoint);
        QCOMPARE(f.user.asked.size(), 1);
        QCOMPARE(f.user.asked[0], QString::fromUtf8(kSaveFailedQuestionText));
        QCOMPARE(f.window->Waypoints().Count(), 1);
        QVERIFY(f.window->Waypoints().IsModified());

        // An import: the question again; yes, and a new file holds it all.
        REQUIRE_PEER_FILE("geocaching.gpx");
        f.user.answers = {true};
        f.user.files.push_back({Peer("geocaching.gpx")}); // the import
        f.user.files.push_back({dir.filePath("rescued.wpt")});
        QSignalSpy done(&f.window->Import(), &WaypointImportCommand::Finished);
        f.window->HandleCommand(cmd::kImportWaypoints);
        QVERIFY(done.wait(20000));
        QCOMPARE(f.user.asked.size(), 2);
        QVERIFY(!f.window->Waypoints().IsModified());
        QCOMPARE(f.window->DatabasePath(), dir.filePath("rescued.wpt").toStdString());
        const WaypointDatabase saved = f.SavedDatabase();
        QCOMPARE(saved.Count(), f.window->Waypoints().Count());
        QVERIFY(f.Named(saved, "WPT 00000")); // the mark made before
    }

    void foundAndNotFoundOnTwoWaypointsAskWhichOne()
    {
        QTemporaryDir dir;
        Fixture f(dir.path());
        Waypoint a;
        a.strName = "GC1";
        a.nType = 1;
        a.nLatitude = 46550000;
        a.nLongitude = 7980000;
        a.nGeocacheState = 1; // found
        Waypoint b = a;
        b.strName = "GC2";
        b.nLongitude += 20;
        b.nGeocacheState = 3;
        const int first = f.window->Waypoints().Add(a);
        const int second = f.window->Waypoints().Add(b);
        f.window->Selection().Serials() = {first, second};
        std::vector<int> offered;
        f.window->SetWaypointChooser([&](const std::vector<int>& only) {
            offered = only;
            return second;
        });
        // Yes to the choice, No to the field notes.
        f.user.answers = {true, false};
        f.window->HandleCommand(cmd::kGeocacheFound);
        QCOMPARE(f.user.asked.value(0),
                 QString::fromUtf8("在这个地点有超过一个路点.你想要从列表中选择这个路点吗?"));
        QVERIFY(offered == (std::vector<int>{first, second}));
        QCOMPARE(f.Named(f.SavedDatabase(), "GC2")->nGeocacheState, 1);
        QCOMPARE(f.Named(f.SavedDatabase(), "GC1")->nGeocacheState, 1);

        f.window->SetWaypointChooser([&](const std::vector<int>&) { return first; });
        f.user.answers = {true};
        f.window->HandleCommand(cmd::kGeocacheNotFound);
        QCOMPARE(f.Named(f.SavedDatabase(), "GC1")->nGeocacheState, 0);
        QCOMPARE(f.Named(f.SavedDatabase(), "GC2")->nGeocacheState, 1);
        // No to the choice: nothing changes.
        f.user.answers = {false};
        f.window->HandleCommand(cmd::kGeocacheFound);
        QCOMPARE(f.Named(f.SavedDatabase(), "GC1")->nGeocacheState, 0);
    }

    void duringAnImportOnlyTheDatabaseCommandsAreOff()
    {
        QTemporaryDir dir;
        REQUIRE_PEER_FILE("geocaching.gpx");
        FrameFixture f(dir.path());
        CMainFrame& frame = *f.frame;
        MapWnd* map = f.map;
        QSignalSpy done(&map->Import(), &WaypointImportCommand::Finished);
        QVERIFY(map->Import().Import({Peer("geocaching.gpx")}, false, true));
        // The import's end comes through the event loop: until then it runs.
        QVERIFY(map->Import().Running());
        const auto enabled = [&frame](int id) {
            CommandStatus status;
            return frame.QueryAnyCommand(id, status) && status.enabled;
        };
        for (int id : {cmd::kMarkWaypoint, cmd::kDeleteThisWaypoint, cmd::kWaypointManager,
                       cmd::kGotoWaypoint, cmd::kImportWaypoints, cmd::kOpenWaypointDatabase})
            QVERIFY2(!enabled(id), qPrintable(QString::number(id)));
        for (int id : {cmd::kTabWindows, cmd::kThemeNight, cmd::kZoomIn, cmd::kNorthUp,
                       cmd::kExportTrackGpx, cmd::kClearTrack})
            QVERIFY2(enabled(id), qPrintable(QString::number(id)));
        const bool strip = frame.Tabs()->TabStripVisible();
        frame.RunCommand(cmd::kTabWindows);
        QCOMPARE(frame.Tabs()->TabStripVisible(), !strip);
        const int zoom = map->Map().ZoomIndex();
        frame.RunCommand(cmd::kZoomIn);
        QCOMPARE(map->Map().ZoomIndex(), zoom - 1);
        frame.RunCommand(cmd::kMarkWaypoint); // swallowed: no sheet opens
        QVERIFY(done.wait(20000));
        QVERIFY(enabled(cmd::kMarkWaypoint));
    }

    void filesDroppedOnTheWindowAreImportedAndTheMenuOffersTheCommands()
    {
        QTemporaryDir dir;
        const QString gpx = dir.filePath("dropped.gpx");
        QFile out(gpx);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("<gpx><wpt lat=\"46.5\" lon=\"7.9\"><name>Dropped</name></wpt></gpx>");
        out.close();
        FrameFixture f(dir.path());
        CMainFrame& frame = *f.frame;
        MapWnd* map = f.map;
        // Every file command of the menus is there and enabled.
        for (int id : {cmd::kImportWaypoints, cmd::kExportWaypoints, cmd::kExportGeocacheVisits,
                       cmd::kOpenWaypointDatabase, cmd::kNewWaypointDatabase, cmd::kOpenTrackFile,
                       cmd::kNewTrackFile, cmd::kExportTrackCsv, cmd::kExportTrackKml,
                       cmd::kExportTrackGpx, cmd::kAverageStart}) {
            CommandStatus status;
            QVERIFY2(frame.QueryAnyCommand(id, status) && status.enabled,
                     qPrintable(QString::number(id)));
        }

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(gpx), QUrl::fromLocalFile(dir.filePath("notes.txt"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&frame, &enter);
        QVERIFY(enter.isAccepted());
        QSignalSpy done(&map->Import(), &WaypointImportCommand::Finished);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&frame, &drop);
        QVERIFY(done.wait(20000));
        QCOMPARE(done.front().at(0).toInt(), 1);
        WaypointDatabase saved;
        QCOMPARE(LoadWaypointDatabase(saved, f.database.c_str()), 1);
        QVERIFY(saved.NameExists(std::string_view("Dropped")));

        // Nothing importable: the drop is refused.
        QMimeData text;
        text.setUrls({QUrl::fromLocalFile(dir.filePath("notes.txt"))});
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, {});
        refused.setAccepted(false);
        QApplication::sendEvent(&frame, &refused);
        QVERIFY(!refused.isAccepted());
    }

private:
    static constexpr const char* kSaveFailedQuestionText =
        "不能够写入路点数据库文件. 你想要指定一个新的文件以保存这个数据库吗?如果选择否,"
        "当前的路点数据库将不会被保存.可能原因:1. 内存卡被移走. 2. 路点目录被删除.";
};

QTEST_MAIN(WaypointFilesTest)
#include "test_waypoint_files.moc"
