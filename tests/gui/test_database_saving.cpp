// The waypoint database saved beside the UI thread: a failed save still asks
// the recovery question, and the window does not close before the last
// save is on disk. A failed track save asks its own.
#include "MapWindowFixture.h"

#include "base/CommandIds.h"
#include "geo/SphericalGeometry.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "widgets/UserDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hw;

namespace {

// Says no to every question, and keeps them.
class DecliningUser final : public UserDialogs {
public:
    bool Ask(QWidget*, const QString& text, QMessageBox::Icon) override
    {
        asked << text;
        return false;
    }
    QString OpenFile(QWidget*, const FileChoice&) override { return open; }
    QStringList asked;
    QString open;
};

// Says yes to every question, and gives the files it was told to.
class RecoveringUser final : public UserDialogs {
public:
    bool Ask(QWidget*, const QString& text, QMessageBox::Icon) override
    {
        asked << text;
        return true;
    }
    QString SaveFile(QWidget*, const FileChoice&) override { return saveAs; }
    QString OpenFile(QWidget*, const FileChoice&) override { return open; }
    QStringList asked;
    QString saveAs, open;
};

Waypoint Named(const std::string& name)
{
    Waypoint w;
    w.strName = name;
    w.nLatitude = test::kStart.lat;
    w.nLongitude = test::kStart.lon;
    return w;
}

} // namespace

class DatabaseSavingTest : public QObject {
    Q_OBJECT

private slots:
    void aSaveThatFailsBesideTheWindowAsksTheRecoveryQuestion()
    {
        QTemporaryDir dir;
        // Its folder takes files, but the file's name is a folder's: the
        // save fails only when the new file takes its place.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("points.wpt")));
        test::MapWindowFixture f(dir.path());
        DecliningUser user;
        f.window->SetDialogs(&user);
        WaypointDatabase& db = f.window->Waypoints();
        db.Add(Named("A"));
        QVERIFY(f.window->SaveDatabase()); // on its way
        QTRY_COMPARE(user.asked.size(), 1);
        QVERIFY(user.asked.front().startsWith(QString::fromUtf8("不能够写入路点数据库文件")));
        QVERIFY(db.IsModified()); // declined: kept in memory, still to be saved
        QCOMPARE(db.Count(), 1);
        f.window->SetDialogs(nullptr);
    }

    // "打开..." while the save of a change is on its way and then fails:
    // the question is asked once, before the other database replaces it.
    void openAsksAboutASaveThatFailsOnItsWay()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("points.wpt")));
        WaypointDatabase other;
        other.Add(Named("other"));
        QVERIFY(SaveWaypointDatabase(other, (dir.path() + "/other.wpt").toStdString()) == 1);
        test::MapWindowFixture f(dir.path());
        DecliningUser user;
        user.open = dir.path() + "/other.wpt";
        f.window->SetDialogs(&user);
        f.window->Waypoints().Add(Named("A"));
        QVERIFY(f.window->SaveDatabase()); // on its way, to fail
        f.window->HandleCommand(cmd::kOpenWaypointDatabase);
        QCOMPARE(user.asked.size(), 1);
        QVERIFY(user.asked.front().startsWith(QString::fromUtf8("不能够写入路点数据库文件")));
        QVERIFY(f.window->Waypoints().NameExists(std::string_view("other")));
        QCoreApplication::sendPostedEvents(); // nothing more is asked later
        QCOMPARE(user.asked.size(), 1);
        f.window->SetDialogs(nullptr);
    }

    void aTrackSaveThatFailsAtExitOrBeforeAnotherFileOffersAnotherPlace()
    {
        for (const bool atExit : {true, false}) {
            QTemporaryDir dir;
            // A folder where the file belongs: the save fails, even for root.
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("walk.trk")));
            test::MapWindowFixture f(dir.path());
            RecoveringUser user;
            user.saveAs = dir.path() + "/elsewhere.trk";
            user.open = dir.path() + "/other.trk";
            QVERIFY(TrackLog().Save(user.open.toStdString()) == 1);
            f.window->SetDialogs(&user);
            for (int i = 0; i < 5; ++i)
                f.Step(ProjectPoint(test::kStart, 0.02 * i, 90));
            if (atExit)
                f.window->SaveOnExit();
            else
                QVERIFY(f.window->HandleCommand(cmd::kOpenTrackFile));
            QCOMPARE(user.asked.size(), 1);
            QVERIFY(user.asked[0].startsWith(QString::fromUtf8("不能够写入轨迹文件")));
            TrackLog saved;
            QCOMPARE(saved.Load(user.saveAs.toStdString()), 1);
            QCOMPARE(saved.Count(), uint16_t{5});
            f.window->SetDialogs(nullptr);
        }
    }

    void theLastSaveLandsBeforeTheWindowCloses()
    {
        QTemporaryDir dir;
        test::MapWindowFixture f(dir.path());
        WaypointDatabase& db = f.window->Waypoints();
        for (int i = 0; i < 50; ++i) {
            db.Add(Named("P" + std::to_string(i)));
            QVERIFY(f.window->SaveDatabase());
        }
        f.window->SaveOnExit();
        QVERIFY(!f.window->DatabaseWriter().Pending(f.window->DatabasePath()));
        // Read as another program would: the file as it is now.
        QFile file(QString::fromStdString(f.window->DatabasePath()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("KORVWP\x07"));
        QCOMPARE(static_cast<int>(static_cast<unsigned char>(bytes[7])), 50);
    }
};

QTEST_MAIN(DatabaseSavingTest)
#include "test_database_saving.moc"
