#include "map/gui/CourseCommands.h"

#include "base/CommandIds.h"
#include "course/CourseFile.h"
#include "course/CourseFileScan.h"
#include "map/CourseLayer.h"
#include "map/gui/MapWnd.h"
#include "map/gui/MapWndHost.h"
#include "map/gui/WaypointImportCommand.h"
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

QStringList CourseCommands::OpenCourseFiles(const QStringList& files, bool quiet)
{
    QStringList waypointFiles;
    for (const QString& path : files) {
        const CourseFileScan scan = CourseFileScan::Of(QFile::encodeName(path).toStdString());
        if (scan.waypoints)
            waypointFiles << path;
        if (scan.courses && scan.waypoints &&
            (quiet ||
             !map_.Ask(
                 tr("%1 还含有轨迹或路线.要把它们打开为路线吗?").arg(QFileInfo(path).fileName()))))
            continue;
        if (scan.courses)
            OpenFile(path, false, quiet);
    }
    return waypointFiles;
}

void CourseCommands::OpenFiles(const QStringList& files, bool quiet)
{
    const QStringList waypoints = OpenCourseFiles(files, quiet);
    if (!waypoints.isEmpty())
        map_.Import().Import(waypoints, !quiet, quiet);
}

void CourseCommands::OpenFile(const QString& path, bool follow, bool quiet)
{
    if (path.isEmpty())
        return;
    if (running_) {
        pending_.push_back({path, quiet});
        return;
    }
    running_ = true;
    struct Job {
        ImportProgressCounter progress;
        CourseFile file;
        int elapsedMs = 0; // on the UI thread, by the ticker
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
    connect(ticker, &QTimer::timeout, progress, [progress, job, quiet] {
        job->elapsedMs += kProgressTickMs;
        if (job->elapsedMs >= kProgressAfterMs && !quiet && !progress->isVisible())
            progress->ShowOver();
        progress->SetPerMille(job->progress.PerMille());
    });
    connect(thread, &QThread::finished, this, [=, this] {
        ticker->stop();
        ticker->deleteLater();
        progress->deleteLater();
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
        if (!pending_.empty()) {
            const Pending next = pending_.front();
            pending_.erase(pending_.begin());
            OpenFile(next.path, false, next.quiet);
        }
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
    return CourseFileScan::HoldsOnlyCourses(QFile::encodeName(path).toStdString());
}

int CourseCommands::CourseAt(ScreenPoint p) const
{
    return CourseLayer::HitTest(CourseLayer::Lines(courses_), map_.Map().Viewport(), p);
}

void CourseCommands::OnPressed(ScreenPoint p)
{
    pressed_ = CourseAt(p);
    if (pressed_ >= 0)
        chosen_ = pressed_;
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

bool CourseCommands::RenameCourse(size_t index, const std::string& name, std::string& error)
{
    const bool renamed = courses_.List().Rename(index, name, error);
    courses_.Touch();
    return renamed;
}

bool CourseCommands::RemoveCourse(size_t index, std::string& error)
{
    const bool removed = courses_.Remove(index, error);
    if (removed && chosen_ >= static_cast<int>(index))
        chosen_ = chosen_ == static_cast<int>(index) ? -1 : chosen_ - 1;
    map_.RedrawMap();
    return removed;
}

void CourseCommands::ShowCourse(size_t index, bool shown)
{
    courses_.List().SetShown(index, shown);
    courses_.Touch();
    map_.RedrawMap();
}

void CourseCommands::ShowOnMap(size_t index)
{
    ShowCourse(index, true);
    chosen_ = static_cast<int>(index);
    const CourseBounds b = courses_.List().Entries().at(index).figures.bounds;
    map_.Map().CentreOn(
        GeoPoint::FromDegrees((b.minLat + b.maxLat) / 2, (b.minLon + b.maxLon) / 2));
    map_.RedrawMap();
}

bool CourseCommands::Listed(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < courses_.List().Entries().size();
}

bool CourseCommands::HandleCommand(int id)
{
    using namespace cmd;
    switch (id) {
    case kOpenCourse:
        OpenFile(map_.Dialogs().OpenFile(&map_, {tr("打开路线"), kCourseFilter,
                                                 QString::fromStdString(CoursesFolder()), QString(),
                                                 false}));
        return true;
    case kCourseManager: map_.Host().RunCourseManager(map_, *this); return true;
    case kFollowCourse:
    case kFollowCourseReversed:
        // The course chosen, the only one, or else the manager to choose.
        if (const int target = Listed(chosen_)         ? chosen_
                               : Entries().size() == 1 ? 0
                                                       : -1;
            target >= 0)
            Follow(static_cast<size_t>(target), id == kFollowCourseReversed);
        else
            map_.Host().RunCourseManager(map_, *this);
        return true;
    case kFollowThisCourse:
        if (Listed(pressed_))
            Follow(static_cast<size_t>(pressed_), false);
        return true;
    case kStopFollowing: StopFollowing(); return true;
    case kHideThisCourse:
        if (Listed(pressed_))
            ShowCourse(static_cast<size_t>(pressed_), false);
        return true;
    default: return false;
    }
}

bool CourseCommands::QueryCommand(int id, CommandStatus& status) const
{
    using namespace cmd;
    switch (id) {
    case kOpenCourse: status = {!running_, false}; return true;
    case kCourseManager: status = {true, false}; return true;
    case kFollowCourse:
    case kFollowCourseReversed: status = {!Entries().empty(), false}; return true;
    case kFollowThisCourse:
    case kHideThisCourse: status = {Listed(pressed_), false}; return true;
    case kStopFollowing: status = {IsFollowing(), false}; return true;
    default: return false;
    }
}

} // namespace hw
