#include "map/gui/CourseCommands.h"

#include "base/CommandIds.h"
#include "course/CourseFile.h"
#include "map/CourseLayer.h"
#include "map/gui/MapWnd.h"
#include "map/gui/MapWndHost.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointImportJob.h"
#include "widgets/AppPaths.h"
#include "widgets/ProgressWindow.h"
#include "widgets/UserDialogs.h"

#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace hw {
namespace {

constexpr const char* kCourseFilter = QT_TRANSLATE_NOOP(
    "hw::CourseCommands", "GPX, KML 和轨迹文件|*.gpx;*.kml;*.trk|所有文件 (*.*)|*.*||");
// The progress bar shows once reading has taken this long.
constexpr int kProgressAfterMs = 300;
constexpr int kProgressTickMs = 100;

std::string CoursesFolder()
{
    return (AppPaths::DocumentsDir() + QStringLiteral("/Hikewise/Courses")).toStdString();
}

} // namespace

CourseCommands::CourseCommands(MapWnd& map)
    : QObject(&map), map_(map),
      courses_(CourseStore(CoursesFolder()), &map.Terrain().File(), map.Nav(), map.Settings())
{
}

CourseCommands::~CourseCommands() = default;

void CourseCommands::LoadFolder()
{
    for (const std::string& problem : courses_.Load())
        emit map_.Notice(QString::fromStdString(problem));
}

int CourseCommands::AddCourse(const Course& course, bool keep, std::string* error)
{
    std::string message;
    const int index = courses_.Add(course, keep, message);
    if (error)
        *error = message;
    map_.RedrawMap();
    return index;
}

bool CourseCommands::Follow(size_t index, bool reversed)
{
    if (!courses_.Follow(index, reversed))
        return false;
    chosen_ = static_cast<int>(index);
    map_.RedrawMap();
    return true;
}

int CourseCommands::FollowCourse(const Course& course, bool reversed, bool keep, std::string* error)
{
    const int index = AddCourse(course, keep, error);
    if (index >= 0)
        Follow(static_cast<size_t>(index), reversed);
    return index;
}

void CourseCommands::StopFollowing()
{
    courses_.Stop();
    map_.RedrawMap();
}

void CourseCommands::OpenFile(const QString& path, bool follow, bool quiet)
{
    if (running_ || path.isEmpty())
        return;
    running_ = true;
    struct Job {
        ImportProgressCounter progress;
        CourseFile file;
    };
    auto job = std::make_shared<Job>();
    const std::string file = QFile::encodeName(path).toStdString();
    QThread* thread =
        QThread::create([job, file] { job->file = ReadCourseFile(file, &job->progress); });
    // A large file shows a bar while it is read.
    auto* ticker = new QTimer(this);
    auto* progress = new ProgressWindow(&map_);
    progress->SetText(QFileInfo(path).fileName());
    ticker->setInterval(kProgressTickMs);
    auto* elapsed = new int(0);
    connect(ticker, &QTimer::timeout, progress, [progress, job, elapsed, quiet] {
        *elapsed += kProgressTickMs;
        if (*elapsed >= kProgressAfterMs && !quiet && !progress->isVisible())
            progress->ShowOver();
        progress->SetPerMille(job->progress.PerMille());
    });
    connect(thread, &QThread::finished, this, [=, this] {
        ticker->stop();
        ticker->deleteLater();
        progress->deleteLater();
        delete elapsed;
        thread->deleteLater();
        running_ = false;
        const CourseFile& read = job->file;
        QString problem;
        if (read.status == CourseFile::Status::NoCourse)
            problem = tr("%1 中没有轨迹或路线.").arg(path);
        else if (read.status != CourseFile::Status::Ok)
            problem = tr("无法打开路线文件 %1:\n%2").arg(path, QString::fromStdString(read.error));
        const size_t first = courses_.List().Entries().size();
        std::string error;
        if (problem.isEmpty() && !courses_.List().AddFrom(read, error))
            problem = tr("无法保存路线: %1").arg(QString::fromStdString(error));
        courses_.Touch();
        if (!problem.isEmpty()) {
            if (quiet)
                std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
            else
                map_.ShowError(problem);
        } else if (follow) {
            Follow(first, false);
        }
        map_.RedrawMap();
        emit Opened(problem.isEmpty());
    });
    ticker->start();
    thread->start();
}

void CourseCommands::FollowRunFile(const std::string& path)
{
    const CourseFile file = ReadCourseFile(path);
    if (file.status != CourseFile::Status::Ok) {
        std::fprintf(stderr, "hikewise: --follow %s: %s\n", path.c_str(), file.error.c_str());
        const QString problem = QString::fromStdString(file.error);
        QMetaObject::invokeMethod(
            &map_, [this, problem] { emit map_.Notice(problem); }, Qt::QueuedConnection);
        return;
    }
    FollowCourse(file.courses.front(), false, false);
}

bool CourseCommands::MayHoldCourses(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("gpx") || suffix == QLatin1String("kml") ||
           suffix == QLatin1String("trk");
}

int CourseCommands::CourseAt(int x, int y) const
{
    return CourseLayer::HitTest(CourseLayer::Lines(courses_), map_.Map().Viewport(), {x, y});
}

void CourseCommands::OnFix(const GpsFix& fix)
{
    const bool following = IsFollowing();
    const std::string name = following ? courses_.Follower()->Profile().GetCourse().name : "";
    for (const CourseMessage& m : courses_.OnFix(fix, map_.Units())) {
        const QString text = QString::fromStdString(m.text);
        emit Told(text);
        if (m.kind == CourseEvent::Kind::Arrived) {
            map_.PostMessage(text); // as a waypoint's arrival
            continue;
        }
        // The message window, with the alarm sound when the walker strays.
        Waypoint w;
        w.strName = name;
        w.nLatitude = GeoPoint::FromDegrees(m.toward.lat);
        w.nLongitude = GeoPoint::FromDegrees(m.toward.lon);
        if (m.kind != CourseEvent::Kind::OffCourse)
            w.strSoundFile.clear();
        map_.Host().ShowMessage(w, text, 0, MapWnd::kMessageMs,
                                m.kind == CourseEvent::Kind::OffCourse);
    }
    if (following)
        map_.RedrawMap();
}

void CourseCommands::RunManager() {}

bool CourseCommands::HandleCommand(int id)
{
    using namespace cmd;
    switch (id) {
    case kOpenCourse:
        OpenFile(map_.Dialogs().OpenFile(&map_, {tr("打开路线"), kCourseFilter,
                                                 QString::fromStdString(CoursesFolder()), QString(),
                                                 false}));
        return true;
    case kCourseManager: RunManager(); return true;
    case kFollowCourse:
    case kFollowCourseReversed:
    case kFollowThisCourse:
        if (chosen_ >= 0)
            Follow(static_cast<size_t>(chosen_), id == kFollowCourseReversed);
        return true;
    case kStopFollowing: StopFollowing(); return true;
    case kHideThisCourse:
        if (chosen_ >= 0 && static_cast<size_t>(chosen_) < courses_.List().Entries().size()) {
            courses_.List().SetShown(static_cast<size_t>(chosen_), false);
            courses_.Touch();
            map_.RedrawMap();
        }
        return true;
    default: return false;
    }
}

bool CourseCommands::QueryCommand(int id, CommandStatus& status) const
{
    using namespace cmd;
    const bool chosen =
        chosen_ >= 0 && static_cast<size_t>(chosen_) < courses_.List().Entries().size();
    switch (id) {
    case kOpenCourse: status = {!running_, false}; return true;
    case kCourseManager: status = {true, false}; return true;
    case kFollowCourse:
    case kFollowCourseReversed:
    case kFollowThisCourse:
    case kHideThisCourse: status = {chosen, false}; return true;
    case kStopFollowing: status = {IsFollowing(), false}; return true;
    default: return false;
    }
}

} // namespace hw
