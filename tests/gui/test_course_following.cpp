#include "MapWindowFixture.h"
#include "base/CommandIds.h"
#include "course/CourseFile.h"
#include "course/gui/CourseManagerDialog.h"
#include "instruments/FormatPanelField.h"
#include "instruments/PanelField.h"
#include "map/CourseLayer.h"
#include "map/gui/CourseCommands.h"
#include "map/gui/MapView.h"
#include "widgets/UserDialogs.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace hw;
using namespace hw::test;

namespace {

// The file chooser answers with one file.
struct ChosenFile : UserDialogs {
    QString file, saveAs;
    bool yes = false;
    QStringList told;
    QString OpenFile(QWidget*, const FileChoice&) override { return file; }
    QString SaveFile(QWidget*, const FileChoice&) override { return saveAs; }
    bool Ask(QWidget*, const QString&, QMessageBox::Icon) override { return yes; }
    void Tell(QWidget*, const QString& text, QMessageBox::Icon) override { told << text; }
};

int PixelsOf(const QImage& image, Colour c)
{
    const QRgb want = qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == want;
    return n;
}

} // namespace

class CourseFollowingTest : public QObject {
    Q_OBJECT
private slots:
    // A walk recorded by the receiver simulator, exported as GPX by the
    // tool, opened with "打开路线...", followed with "跟随路线" from its
    // middle with an excursion 150 m off, to its end.
    void FollowsAnOpenedCourseFromTheMiddleWithAnExcursion()
    {
        QTemporaryDir dir;
        qputenv("HOME", dir.path().toUtf8()); // the courses folder under it
        const QString bin = QStringLiteral(HIKEWISE_BIN_DIR);
        const QString route =
            QStringLiteral(HIKEWISE_SOURCE_DIR "/tools/nmea-sim/routes/ridge-walk.txt");
        const QString gpx = dir.filePath("ridge.gpx");
        if (!QFile::exists(bin + "/hikewise-nmea-sim") || !QFile::exists(route))
            QSKIP("the receiver simulator or its route is not at hand");
        QCOMPARE(
            QProcess::execute(bin + "/hikewise-nmea-sim", {"--route", route, "--seed", "3",
                                                           "--output", dir.filePath("w.nmea")}),
            0);
        QCOMPARE(QProcess::execute(bin + "/hikewise-tool",
                                   {"nmea-track", dir.filePath("w.nmea"), dir.filePath("w.trk")}),
                 0);
        QCOMPARE(QProcess::execute(bin + "/hikewise-tool",
                                   {"trk-export", "gpx", dir.filePath("w.trk"), gpx}),
                 0);
        const CourseFile file = ReadCourseFile(gpx.toStdString());
        QVERIFY2(file.status == CourseFile::Status::Ok, file.error.c_str());
        const std::vector<CoursePoint>& points = file.courses[0].points;

        MapWindowFixture f(dir.path());
        f.window->resize(480, 800);
        f.settings.SetInt("地图", "North Up", 1);
        ChosenFile chooser;
        chooser.file = gpx;
        f.window->SetDialogs(&chooser);
        CourseCommands& courses = f.window->Courses();
        QSignalSpy opened(&courses, &CourseCommands::Opened);
        QStringList told;
        QObject::connect(&courses, &CourseCommands::Told, [&told](const QString& t) { told << t; });
        f.window->HandleCommand(cmd::kOpenCourse);
        QVERIFY(opened.wait(10000));
        QCOMPARE(opened.first().first().toBool(), true);
        QCOMPARE(QDir(dir.filePath("Documents/Hikewise/Courses")).entryList(QDir::Files).size(), 1);
        f.window->HandleCommand(cmd::kFollowCourse);
        QVERIFY(courses.IsFollowing());

        // From the middle, 150 m east for ten fixes a third of the way on.
        const size_t middle = points.size() / 2, away = middle + points.size() / 6;
        const double east = 150 / (111195 * std::cos(points[away].lat * M_PI / 180));
        QString toGo;
        for (size_t i = middle; i < points.size() && courses.IsFollowing(); ++i) {
            for (int step = 0; step < (i == away ? 10 : 1); ++step)
                f.Step(GeoPoint::FromDegrees(points[i].lat,
                                             points[i].lon + (i == away && step < 8 ? east : 0)));
            if (i == away + 20) { // back on course: the fields and the map
                PanelFieldTexts t;
                const PanelReadings r = PanelReadings::From(f.walker.fix, f.window->Nav());
                FormatPanelField(kFieldCourseToGo,
                                 {f.window->Trip(), r, f.window->Units(), f.window->SystemTime(),
                                  f.window->Battery(), f.window->Zone()},
                                 t);
                toGo = QString::fromStdString(t.value);
                QVERIFY(f.window->Nav().IsGotoActive());
                const QImage grab =
                    f.window->View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
                const Colour colour = Rgb(0x1F, 0x6F, 0xE0);
                QVERIFY2(PixelsOf(grab, colour) > 50, "the course ahead is drawn");
                QVERIFY2(PixelsOf(grab, CourseLayer::Paler(colour)) > 50,
                         "the walked part is drawn");
            }
        }
        QVERIFY2(toGo != "---" && toGo.toDouble() > 0, qPrintable(toGo));
        QCOMPARE(told.filter("偏离路线").size(), 1);
        QCOMPARE(told.filter("已回到路线").size(), 1);
        QTRY_COMPARE(f.messages.filter("您已到达").size(), 1);
        QVERIFY(!courses.IsFollowing());
        QVERIFY(!f.window->Nav().IsGotoActive());
    }

    // The manager over two kept courses: rename rewrites the file, export
    // writes a GPX that reads back, delete asks and a "no" keeps the file.
    void ManagerRenamesExportsAndDeletesOnlyWhenConfirmed()
    {
        QTemporaryDir dir;
        qputenv("HOME", dir.path().toUtf8());
        MapWindowFixture f(dir.path());
        Course c;
        for (int i = 0; i < 5; ++i)
            c.points.push_back({46.55 + i * 0.001, 7.98, 1500.0 + i});
        CourseCommands& courses = f.window->Courses();
        for (const char* name : {"North", "South"}) {
            c.name = name;
            QCOMPARE(courses.AddCourse(c, true), name[0] == 'N' ? 0 : 1);
        }
        const QDir folder(dir.filePath("Documents/Hikewise/Courses"));
        ChosenFile answers;
        answers.saveAs = dir.filePath("out.gpx");
        f.window->SetDialogs(&answers);
        CourseManagerDialog manager(courses, f.window->Units(), answers);
        QCOMPARE(manager.Table()->rowCount(), 2);
        manager.Table()->selectRow(1);
        manager.RenameSelected("Ridge");
        QCOMPARE(manager.Table()->item(1, 0)->text(), QString("Ridge"));
        manager.ExportSelected();
        const CourseFile exported = ReadCourseFile(answers.saveAs.toStdString());
        QVERIFY(exported.status == CourseFile::Status::Ok && exported.courses[0].name == "Ridge");
        QCOMPARE(exported.courses[0].points.size(), 5u);
        manager.DeleteSelected(); // answered no
        QCOMPARE(folder.entryList(QDir::Files).size(), 2);
        answers.yes = true;
        manager.DeleteSelected();
        QCOMPARE(folder.entryList(QDir::Files).size(), 1);
        QCOMPARE(manager.Table()->rowCount(), 1);
        manager.FollowSelected(true);
        QVERIFY(courses.IsFollowing() && courses.Courses().Follower()->Reversed());
        QVERIFY(answers.told.isEmpty());
    }
};

QTEST_MAIN(CourseFollowingTest)
#include "test_course_following.moc"
