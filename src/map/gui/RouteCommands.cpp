#include "map/gui/RouteCommands.h"

#include "base/AtomicFile.h"
#include "base/CommandIds.h"
#include "base/StringTable.h"
#include "map/gui/CourseCommands.h"
#include "map/gui/MapFileCommands.h"
#include "map/gui/MapWnd.h"
#include "route/RouteGpx.h"
#include "route/RoutePlanText.h"
#include "route/RouteSettings.h"
#include "waypoints/GeocacheVisits.h"
#include "widgets/UserDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QProgressDialog>
#include <QThread>

namespace hw {
namespace {

constexpr const char* kPlanning = QT_TRANSLATE_NOOP("hw::RouteCommands", "正在规划路线...");
constexpr const char* kPlannedRoute = QT_TRANSLATE_NOOP("hw::RouteCommands", "规划路线");
constexpr const char* kSaveTitle = QT_TRANSLATE_NOOP("hw::RouteCommands", "保存路线");
constexpr const char* kGpxFilter = "GPX File (*.gpx)|*.gpx|All Files (*.*)|*.*||";

QString Q(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

RouteCommands::RouteCommands(MapWnd& map) : map_(map)
{
    progressDelay_.setSingleShot(true);
    progressDelay_.setInterval(kProgressDelayMs);
    connect(&progressDelay_, &QTimer::timeout, this, &RouteCommands::ShowProgress);
}

RouteCommands::~RouteCommands()
{
    if (thread_) {
        cancel_ = true;
        thread_->wait();
        delete thread_;
    }
    delete progress_;
}

QString RouteCommands::Unavailable() const
{
    return Q(RoutePlanText::LackText(PlanningNetwork::LackOf(map_.Roads().Map())));
}

void RouteCommands::ExplainUnavailable(QMenu& menu)
{
    const QString why = Unavailable();
    if (why.isEmpty())
        return;
    for (QAction* a : menu.actions()) {
        const int id = a->data().toInt();
        if (id == cmd::kPlanRouteHere || id == cmd::kPlanRouteToWaypoint) {
            a->setStatusTip(why);
            a->setToolTip(why);
        }
    }
    emit map_.Notice(why);
}

bool RouteCommands::PlanTo(const GeoPoint& target, const QString& name)
{
    if (Running() || !Unavailable().isEmpty())
        return false;
    // From the last fix; without one from the map's centre, which follows
    // the position unless the map was panned.
    fromCentre_ = !map_.CurrentFix().HasFix();
    const GeoPoint from = fromCentre_ ? map_.Map().Centre() : map_.Map().CurrentPosition();
    const RouteSettings settings = RouteSettings::Read(map_.Settings());
    request_ = {};
    request_.stops = {{from.LatDegrees(), from.LonDegrees()},
                      {target.LatDegrees(), target.LonDegrees()}};
    request_.mode = settings.mode;
    request_.maxDifficulty = settings.maxDifficulty;
    name_ = name;
    cancel_ = false;
    // The network is read by the first search, with the terrain's heights.
    const RoadMap& roads = map_.Roads().Map();
    const std::string terrain =
        map_.Terrain().HasTerrain() ? map_.Terrain().File().Path() : std::string();
    thread_ = QThread::create([this, &roads, terrain] {
        if (!network_.Prepared() && !network_.Prepare(roads, terrain, networkError_))
            return;
        plan_ = network_.Planner().Plan(request_, &cancel_);
    });
    connect(thread_, &QThread::finished, this, &RouteCommands::OnSearchDone);
    networkError_.clear();
    plan_ = {};
    thread_->start();
    progressDelay_.start();
    return true;
}

bool RouteCommands::PlanToWaypoint(int serial)
{
    Waypoint w;
    if (serial <= 0 || !map_.Waypoints().FindBySerial(serial, w))
        return false;
    return PlanTo({w.nLatitude, w.nLongitude, 0}, Q(w.strName));
}

void RouteCommands::ShowProgress()
{
    progress_ = new QProgressDialog(tr(kPlanning), tr("取消"), 0, 0, &map_);
    progress_->setObjectName(QStringLiteral("RouteProgress"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancel_ = true; });
    progress_->show();
}

void RouteCommands::OnSearchDone()
{
    progressDelay_.stop();
    delete progress_;
    thread_->deleteLater();
    thread_ = nullptr;
    const RoutePlanText texts(map_.Units(), map_.Positions());
    if (!networkError_.empty()) {
        map_.Dialogs().Tell(&map_, Q(RoutePlanText::FailureText(networkError_)),
                            QMessageBox::Warning);
    } else if (plan_.status == RoutePlan::Status::NoRoute ||
               plan_.status == RoutePlan::Status::TooFar) {
        map_.Dialogs().Tell(&map_, Q(texts.Outcome(plan_, request_, fromCentre_)),
                            QMessageBox::Information);
    } else {
        if (plan_.status == RoutePlan::Status::Found)
            Follow();
        emit map_.Notice(Q(texts.Outcome(plan_, request_, fromCentre_)));
    }
    emit Finished();
}

void RouteCommands::Follow()
{
    DropPlannedCourse();
    found_ = plan_.path;
    // A planned route is a course of this run, followed from the next fix.
    Course course;
    course.name = name_.toStdString();
    course.kind = CourseKind::Route;
    course.points.reserve(found_.size());
    for (const RoutePoint& p : found_)
        course.points.push_back({p.lat, p.lon, p.height});
    planned_ = map_.Courses().FollowCourse(course, false);
}

void RouteCommands::DropPlannedCourse()
{
    // Only the route planned last stays on the map: it is still listed for
    // this run, unkept, with the points of the route found before.
    CourseFollowing& courses = map_.Courses().Courses();
    const auto& entries = courses.List().Entries();
    if (planned_ < 0 || static_cast<size_t>(planned_) >= entries.size() || found_.empty())
        return;
    const CourseEntry& entry = entries[static_cast<size_t>(planned_)];
    const std::vector<CoursePoint>& points = entry.stored.course.points;
    if (!CourseList::Kept(entry) && points.size() == found_.size() &&
        points.front().lat == found_.front().lat && points.back().lon == found_.back().lon) {
        std::string error;
        courses.Remove(static_cast<size_t>(planned_), error);
    }
    planned_ = -1;
}

void RouteCommands::SaveRoute()
{
    if (found_.empty())
        return;
    const QString path = map_.Dialogs().SaveFile(
        &map_, {tr(kSaveTitle), kGpxFilter,
                QFile::decodeName(QByteArray::fromStdString(
                    MapFileCommands::UntitledBeside(map_.TrackFile().Path()))),
                QStringLiteral("gpx"), true});
    if (path.isEmpty())
        return;
    // Written beside and renamed over: a failed save leaves the old file.
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), RouteGpx(found_)))
        map_.Dialogs().Tell(&map_, Q(LoadString(kIdsCannotCreateVisitsFile)),
                            QMessageBox::Critical);
}

bool RouteCommands::HandleCommand(int id)
{
    switch (id) {
    case cmd::kPlanRouteHere:
        PlanTo(map_.Map().ScreenToGeo(map_.LastTap()), tr(kPlannedRoute));
        return true;
    case cmd::kPlanRouteToWaypoint: PlanToWaypoint(map_.ResolveSelection()); return true;
    case cmd::kSaveRoute: SaveRoute(); return true;
    default: return false;
    }
}

bool RouteCommands::QueryCommand(int id, CommandStatus& status) const
{
    const bool possible = !Running() && Unavailable().isEmpty();
    switch (id) {
    case cmd::kPlanRouteHere: status = {possible, false}; return true;
    case cmd::kPlanRouteToWaypoint:
        status = {possible && !map_.Selection().Empty(), false};
        return true;
    case cmd::kSaveRoute: status = {!found_.empty(), false}; return true;
    default: return false;
    }
}

} // namespace hw
