#include "map/gui/MapWnd.h"

#include "base/CommandIds.h"
#include "base/FormatString.h"
#include "base/SettingsStore.h"
#include "base/StringTable.h"
#include "base/Translate.h"
#include "base/WindowMessages.h"
#include "geo/SphericalGeometry.h"
#include "map/MapProperties.h"
#include "map/gui/CourseCommands.h"
#include "map/gui/GeocacheCommands.h"
#include "map/gui/LayerFiles.h"
#include "map/gui/MapFileCommands.h"
#include "map/gui/MapMessageBoxes.h"
#include "map/gui/MapPopupMenu.h"
#include "map/gui/MapPropertiesSheet.h"
#include "map/gui/MapView.h"
#include "map/gui/MapWaypointManagerHost.h"
#include "map/gui/PlanWaypointDialog.h"
#include "map/gui/RouteCommands.h"
#include "map/gui/WaypointImportCommand.h"
#include "waypoints/GeocacheVisits.h"
#include "waypoints/WaypointDatabaseCommands.h"
#include "waypoints/WaypointEditing.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointManagerCommands.h"
#include "waypoints/WaypointManagerHost.h"
#include "widgets/AppPaths.h"
#include "widgets/UserDialogs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFontMetrics>
#include <QMenu>
#include <QMessageBox>
#include <QResizeEvent>
#include <QTabWidget>

namespace hw {
namespace {

constexpr const char* kSelectionQuestion =
    QT_TRANSLATE_NOOP("hw::MapWnd", "在这个地点有超过一个路点.你想要从列表中选择这个路点吗?");
constexpr const char* kNearestTitle = QT_TRANSLATE_NOOP("hw::MapWnd", "最近路点");
constexpr const char* kWaypointTitle = QT_TRANSLATE_NOOP("hw::MapWnd", "路点");
constexpr const char* kTrackNotSaved =
    QT_TRANSLATE_NOOP("hw::MapWnd", "无法保存轨迹到 %1, 稍后将再试.");

MapWnd::RunOptions& RunOptionsForProcess()
{
    static MapWnd::RunOptions options;
    return options;
}

} // namespace

int MapWnd::AutosaveIntervalMs()
{
    // HIKEWISE_TRACK_SAVE_MS shortens the interval for the tests that kill
    // the program.
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("HIKEWISE_TRACK_SAVE_MS", &ok);
    return ok && ms > 0 ? ms : TrackAutosave::kIntervalMs;
}

void MapWnd::SetRunOptions(const RunOptions& options)
{
    RunOptionsForProcess() = options;
}

MapWnd::MapWnd(SettingsStore& settings, FixSource fix, std::unique_ptr<MapWndHost> host,
               QWidget* parent)
    : QWidget(parent), settings_(settings), fix_(std::move(fix)), averager_(settings),
      navigation_(waypoints_, map_, &sink_),
      model_({map_, track_, trip_, profile_, waypoints_, averager_, navigation_}), units_(settings),
      positions_(settings), host_(std::move(host))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    model_.LoadSettings(settings_);
    map_.SetDisplayScale(devicePixelRatioF() >= 2 ? 2 : 1);
    map_.SetFixIndicatorOn(true);
    const RunOptions& run = RunOptionsForProcess();
    if (run.northUp)
        map_.SetNorthUp(*run.northUp);
    if (run.zoomIndex)
        map_.SetZoomIndex(*run.zoomIndex);

    view_ = new MapView(map_, track_, waypoints_, units_, this);
    view_->SetRoadLayer(&roadDrawing_);
    view_->SetTerrainLayer(&terrainDrawing_);
    view_->SetMoreWaypoints(&mapDemo_.Caches()); // empty but while the demo plays
    view_->SetSymbolPainter(host_->Symbols());
    navWnd_ = host_->MakeNavStrip(*this);
    profileWnd_ = host_->MakeProfile(*this);
    msgWnd_ = host_->MakeMessages(*this);
    connect(view_, &MapView::Pressed, this, &MapWnd::OnPressed);
    connect(view_, &MapView::Tapped, this, &MapWnd::OnTapped);
    connect(view_, &MapView::ContextMenuRequested, this, &MapWnd::OnContextMenu);
    // The arrival check after every copy of the map, once the paint is over.
    connect(view_, &MapView::Painted, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { navigation_.CheckArrival(); }, Qt::QueuedConnection);
    });
    connect(view_, &MapView::Tick, this, [this] { model_.OnViewTimer(); });
    CreateFileCommands();

    // Shown once the fix handling is over: the box runs an event loop, which
    // delivers the next fixes.
    navigation_.SetArrivalMessage(
        [this](const std::string& text) { PostMessage(QString::fromUtf8(text.c_str())); });

    LoadFiles();
    LoadLayers();
    courses_->LoadFolder(); // after the terrain, which gives the courses' heights
    if (run.followFile)
        courses_->FollowRunFile(*run.followFile);
    view_->SetCourses(&courses_->Courses());
    // The goto of the command line starts at the first fix, so that its leg
    // begins where the walker is.
    if (run.gotoName)
        pendingGoto_ = *run.gotoName;

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this,
            [this] { ApplyRepaint(model_.OnTimer(isVisible(), dataLost_ && dataLost_())); });
    timer_.start();
    // The track reaches its file every minute while it grows, so that a
    // killed program or a power loss costs at most the last minute.
    autosaveTimer_.setInterval(AutosaveIntervalMs());
    connect(&autosaveTimer_, &QTimer::timeout, this, [this] {
        autosave_.Tick(TrackPath());
        if (autosave_.TakeNewFailure()) // kept unsaved and tried again; said once
            emit Notice(tr(kTrackNotSaved).arg(QString::fromStdString(TrackPath())));
    });
    autosave_.MarkSaved(); // the track as loaded is on disk already
    autosaveTimer_.start();
    LayOut();
}

MapWnd::~MapWnd()
{
    databaseWriter_.Wait(); // its outcome is posted to a window still whole
    if (!demo_)
        model_.StorePosition(settings_);
}

void MapWnd::SetDemo(bool demo)
{
    if (demo == demo_)
        return;
    demo_ = demo;
    autosave_.SetEnabled(!demo);
    if (demo) {
        mapDemo_.Start([](const char* name) { return AppPaths::DemoFile(name).toStdString(); },
                       ownLayers_);
        // A course the user follows (--follow) is not taken over by the demo's.
        if (mapDemo_.DemoCourse() && !courses_->IsFollowing())
            demoCourse_ = courses_->FollowCourse(*mapDemo_.DemoCourse(), false);
        RedrawMap();
    } else {
        mapDemo_.Stop();
        if (demoCourse_ >= 0 && courses_->Courses().FollowedIndex() == demoCourse_)
            courses_->StopFollowing();
        demoCourse_ = -1;
        DropDemoTrack();
        model_.LoadPosition(settings_); // the demo's place is not the user's
        RedrawMap();
    }
}

void MapWnd::DropDemoTrack()
{
    SettleTrackSaves();
    track_.Clear();
    const std::string path = TrackPath();
    if (QFile::exists(QString::fromStdString(path)))
        track_.Load(path);
    autosave_.MarkSaved();
}

void MapWnd::CreateFileCommands()
{
    ownDialogs_ = std::make_unique<UserDialogs>();
    dialogs_ = ownDialogs_.get();
    files_ = std::make_unique<MapFileCommands>(*this);
    geocaching_ = std::make_unique<GeocacheCommands>(*this);
    courses_ = std::make_unique<CourseCommands>(*this);
    routes_ = std::make_unique<RouteCommands>(*this);
    geocaching_->SetFieldNotesEditor(
        [this](int serial) { EditStoredWaypoint(serial, kPageFieldNotes); });
    import_ = new WaypointImportCommand(*this);
    averageWnd_ = host_->MakeAveraging(*this);
    const RunOptions& run = RunOptionsForProcess();
    if (!run.importFiles.empty()) {
        QStringList files;
        for (const std::string& f : run.importFiles)
            files << QFile::decodeName(QByteArray::fromStdString(f));
        const bool quiet = run.quietImport;
        // Once the window runs, as the import command would.
        QTimer::singleShot(0, this, [this, files, quiet] { courses_->OpenFiles(files, quiet); });
    }
}

void MapWnd::SetDialogs(UserDialogs* dialogs)
{
    dialogs_ = dialogs ? dialogs : ownDialogs_.get();
}

void MapWnd::LoadFiles()
{
    const RunOptions& run = RunOptionsForProcess();
    const HandheldFolders folders = AppPaths::Folders();
    if (run.databaseFile)
        databaseFile_ = std::make_unique<RunFileBinding>(*run.databaseFile);
    else
        databaseFile_ = std::make_unique<StoredFileBinding>(
            settings_, section::kSettings, kDatabaseFileSetting, kDefaultDatabaseFile, folders);
    if (run.trackFile)
        trackFile_ = std::make_unique<RunFileBinding>(*run.trackFile);
    else
        trackFile_ = std::make_unique<StoredFileBinding>(settings_, section::kSettings,
                                                         track_setting::kTrackFile,
                                                         track_setting::kDefaultTrackFile, folders);
    const std::string database = databaseFile_->Path();
    if (QFile::exists(QString::fromStdString(database)))
        LoadWaypointDatabase(waypoints_, database, nullptr, true, WaypointTexts::Deferred);
    const std::string track = trackFile_->Path();
    if (QFile::exists(QString::fromStdString(track)))
        track_.Load(track);
}

void MapWnd::LoadLayers()
{
    const RunOptions& run = RunOptionsForProcess();
    // Said once, when the window is in place to show it.
    ownLayers_ = LayerFiles::Open(roads_, terrain_, settings_, run.roadsFile, run.terrainFile,
                                  [this](const QString& problem) {
                                      QMetaObject::invokeMethod(
                                          this, [this, problem] { emit Notice(problem); },
                                          Qt::QueuedConnection);
                                  });
}

bool MapWnd::SaveDatabase()
{
    return files_->SaveDatabase();
}

void MapWnd::DatabaseSaveEnded(const std::string& path,
                               const WaypointDatabaseCommands::BackgroundSave& save)
{
    files_->DatabaseSaveEnded(path, save);
}

void MapWnd::SaveOnExit()
{
    // The last database save lands before the program ends; the windows
    // stay live meanwhile, and a change that is not on disk still asks the
    // recovery question.
    files_->SettleDatabaseSaves();
    if (waypoints_.IsModified())
        files_->SaveDatabaseNow();
    if (demo_)
        return; // the demo's walk is not the user's
    files_->SaveTrack();
    model_.StorePosition(settings_);
}

bool MapWnd::GotoNamed(const std::string& name)
{
    bool found = false;
    Waypoint target;
    waypoints_.ForEach([&](const Waypoint& w) {
        if (!found && w.strName == name) {
            target = w;
            found = true;
        }
    });
    if (found) {
        navigation_.StartGoto(target);
        RedrawMap();
    }
    return found;
}

void MapWnd::OnGpsUpdate()
{
    OnGpsFix(CurrentFix());
}

void MapWnd::OnGgaNotice()
{
    if (!history_) {
        OnGpsUpdate();
        return;
    }
    // The fixes of every GGA since the last notice: a notice that finds them
    // handled by an earlier one has nothing left to do.
    newFixes_.clear();
    const uint64_t after = lastFix_;
    lastFix_ = history_(after, newFixes_);
    if (lastFix_ > after && lastFix_ - after > newFixes_.size())
        model_.OnFixesMissed();
    for (const GpsFix& fix : newFixes_)
        OnGpsFix(fix);
}

void MapWnd::OnGpsFix(const GpsFix& fix)
{
    ApplyRepaint(model_.OnGpsUpdate(fix, isVisible()));
    courses_->OnFix(fix);
    if (pendingGoto_ && fix.HasFix()) {
        GotoNamed(*pendingGoto_);
        pendingGoto_.reset();
    }
    emit FixHandled(fix);
}

bool MapWnd::event(QEvent* event)
{
    if (event->type() == NotificationEvent::EventType()) {
        const uint32_t message = static_cast<NotificationEvent*>(event)->Message();
        if (message == WM_GPS_GGA)
            OnGgaNotice();
        else if (message == WM_PROXIMITY_ALARM)
            OnProximityAlarm();
        return true;
    }
    return QWidget::event(event);
}

void MapWnd::OnProximityAlarm()
{
    if (CurrentFix().fixQuality == 0)
        return;
    Waypoint w;
    while (navigation_.TakeAlarm(w))
        host_->ShowMessage(w, tr(kNearestTitle), w.nActiveWaypointMessageType, kMessageMs, true);
}

void MapWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void MapWnd::LayOut()
{
    QFont small(QStringLiteral("Tahoma"));
    small.setPointSize(7);
    const MapWindowLayout::Result r =
        model_.Layout(width(), height(), QFontMetrics(small, this).height());
    const auto place = [](QWidget* w, const ScreenRect& rect) {
        if (rect.Width() <= 0 || rect.Height() <= 0) {
            w->hide();
            return;
        }
        w->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        w->show();
    };
    place(view_, r.map);
    // A strip of three panes across the bottom, or three rows at the right;
    // the strip's own layout is not stored.
    host_->ArrangeNavStrip(r.navigationAsStrip);
    place(navWnd_, r.navigation);
    place(profileWnd_, r.altitude);
    place(averageWnd_, r.averaging);
    if (msgWnd_->isVisible())
        msgWnd_->raise();
}

void MapWnd::ApplyRepaint(const MapWindowModel::Repaint& repaint)
{
    if (repaint.navigation && navWnd_->isVisible())
        navWnd_->update();
    if (repaint.map)
        view_->update();
    if (repaint.profile && profileWnd_->isVisible())
        profileWnd_->update();
    if (averageWnd_->isVisible())
        averageWnd_->update();
}

void MapWnd::RedrawMap()
{
    view_->update();
}

void MapWnd::OnPressed(ScreenPoint p)
{
    lastTap_ = p;
    selection_.Clear();
    map_.HitTest(p, waypoints_, selection_.Serials());
    courses_->OnPressed(p);
}

void MapWnd::OnTapped(ScreenPoint p)
{
    if (map_.ReturnButtonHit(p)) {
        RedrawMap();
        return;
    }
    const int serial = ResolveSelection();
    Waypoint w;
    if (serial > 0 && waypoints_.FindBySerial(serial, w))
        host_->ShowMessage(w, tr(kWaypointTitle), 0, kMessageMs, false);
}

void MapWnd::OnContextMenu(ScreenPoint p)
{
    std::unique_ptr<QMenu> menu(BuildPopupMenu(this));
    menu->exec(view_->mapToGlobal(QPoint(p.x, p.y)));
}

int MapWnd::ChooseWaypoint(const std::vector<int>& only)
{
    if (chooser_)
        return chooser_(only);
    return host_->ChooseWaypoint(*this, only, tr(kWaypointTitle));
}

int MapWnd::ResolveSelection()
{
    if (selection_.Empty())
        return 0;
    if (!selection_.NeedsChoice())
        return selection_.Serials().front();
    return Ask(tr(kSelectionQuestion)) ? ChooseWaypoint(selection_.Serials()) : 0;
}

void MapWnd::PostMessage(const QString& text)
{
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            if (message_)
                message_(text);
            else
                QMessageBox::information(this, QStringLiteral("Hikewise"), text);
        },
        Qt::QueuedConnection);
}

bool MapWnd::Ask(const QString& question)
{
    if (ask_)
        return ask_(question);
    return dialogs_->Ask(this, question, QMessageBox::Question);
}

void MapWnd::ShowError(const QString& text)
{
    if (message_)
        message_(text);
    else
        QMessageBox::critical(this, QStringLiteral("Hikewise"), text);
}

void MapWnd::AddWaypoint(Waypoint w)
{
    w.strName = waypoints_.NewAutomaticName();
    w.timeCreated = static_cast<int32_t>(QDateTime::currentSecsSinceEpoch());
    MarkWaypoint(w);
}

int MapWnd::MarkWaypoint(Waypoint proposed)
{
    const std::unique_ptr<WaypointSheet> sheet =
        host_->MakeWaypointSheet(*this, [this](const QString& t) { ShowError(t); });
    const int serial = WaypointEditing::AddNew(waypoints_, std::move(proposed), *sheet);
    if (serial > 0)
        SaveDatabase();
    RedrawMap();
    return serial;
}

bool MapWnd::EditStoredWaypoint(int serial, int startPage)
{
    const std::unique_ptr<WaypointSheet> sheet =
        host_->MakeWaypointSheet(*this, [this](const QString& t) { ShowError(t); });
    const bool changed = WaypointEditing::EditStored(waypoints_, serial, startPage, *sheet);
    if (changed) {
        SaveDatabase();
        RedrawMap();
    }
    return changed;
}

void MapWnd::MarkWaypointAt(const GeoPoint& p)
{
    Waypoint w;
    w.nLatitude = p.lat;
    w.nLongitude = p.lon;
    w.fAltitude = static_cast<float>(CurrentFix().altitude);
    AddWaypoint(w);
}

void MapWnd::PlanWaypoint()
{
    const int serial = ResolveSelection();
    Waypoint from;
    if (serial <= 0 || !waypoints_.FindBySerial(serial, from))
        return;
    PlanWaypointDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const GeoPoint p = ProjectPoint({from.nLatitude, from.nLongitude, 0}, dialog.DistanceKm(),
                                    dialog.BearingDegrees());
    Waypoint w;
    w.nLatitude = p.lat;
    w.nLongitude = p.lon;
    w.icon = 129; // planned waypoint
    AddWaypoint(w);
}

void MapWnd::ShowWaypointOnMap()
{
    const int serial = ChooseWaypoint({});
    if (serial > 0)
        CentreOnWaypoint(serial);
}

void MapWnd::DeleteSelected()
{
    // As deleting from the manager: the waypoint goes only once confirmed.
    const int serial = ResolveSelection();
    if (serial <= 0 || !Ask(QString::fromStdString(WaypointManagerCommands::DeleteQuestion(1))))
        return;
    waypoints_.DeleteBySerial(serial);
    selection_.Prune(waypoints_);
    SaveDatabase();
    RedrawMap();
}

void MapWnd::FinishAveraging()
{
    if (!model_.Averaging())
        return;
    Waypoint w = model_.FinishAveraging();
    w.timeCreated = static_cast<int32_t>(QDateTime::currentSecsSinceEpoch());
    LayOut(); // the status window goes before the sheet opens
    MarkWaypoint(w);
}

WaypointManagerHost& MapWnd::ManagerHost()
{
    if (!managerHost_)
        managerHost_ = std::make_unique<MapWaypointManagerHost>(*this);
    return *managerHost_;
}

void MapWnd::RunWaypointCommand(int id)
{
    using namespace cmd;
    if (id == kNewWaypoint) {
        MarkWaypointAt(map_.CurrentPosition());
        return;
    }
    if (id == kWaypointManager) {
        host_->RunWaypointManager(*this, ManagerHost(), ask_, message_);
        return;
    }
    const int serial = ChooseWaypoint({});
    if (serial <= 0)
        return;
    if (id == kEditWaypoint) {
        EditStoredWaypoint(serial, kPageSettings);
    } else if (id == kDeleteWaypoint &&
               Ask(QString::fromStdString(WaypointManagerCommands::DeleteQuestion(1)))) {
        waypoints_.DeleteBySerial(serial);
        ManagerHost().DatabaseChanged();
    }
}

void MapWnd::CentreOnWaypoint(int serial)
{
    Waypoint w;
    if (!waypoints_.FindBySerial(serial, w))
        return;
    map_.CentreOn({w.nLatitude, w.nLongitude, 0});
    RedrawMap();
    for (QWidget* up = parentWidget(); up; up = up->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
            tabs->setCurrentWidget(this);
            break;
        }
    }
}

void MapWnd::SetNorthUp(bool on)
{
    map_.SetNorthUp(on);
    settings_.SetInt(section::kMap, map_setting::kNorthUp, on ? 1 : 0);
    RedrawMap();
}

void MapWnd::OpenProperties()
{
    const MapProperties::Parts parts{map_,   track_,  trip_,     navigation_,         model_,
                                     units_, &roads_, &terrain_, &courses_->Courses()};
    MapPropertiesSheet sheet(MapProperties::Read(parts, settings_), units_, this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    sheet.Values().Apply(parts, settings_);
    LayOut();
    RedrawMap();
}

bool MapWnd::HandleCommand(int id)
{
    using namespace cmd;
    // The database is being imported into: nothing may change it meanwhile;
    // the other commands work.
    if (import_->Running() && cmd::ChangesWaypointDatabase(id))
        return true;
    if (files_->HandleCommand(id) || geocaching_->HandleCommand(id) || import_->HandleCommand(id) ||
        courses_->HandleCommand(id) || routes_->HandleCommand(id))
        return true;
    switch (id) {
    case kClearTrack:
        track_.Clear();
        RedrawMap();
        return true;
    case kMarkWaypoint: MarkWaypointAt(map_.CurrentPosition()); return true;
    case kMarkWaypointHere: MarkWaypointAt(map_.ScreenToGeo(lastTap_)); return true;
    case kCentreMapHere:
        map_.PanTo(lastTap_);
        RedrawMap();
        return true;
    case kSetPositionHere:
        map_.SetCurrentPosition(map_.ScreenToGeo(lastTap_));
        RedrawMap();
        return true;
    case kGotoWaypoint: {
        Waypoint w;
        const int serial = ChooseWaypoint({});
        if (serial > 0 && waypoints_.FindBySerial(serial, w)) {
            navigation_.StartGoto(w);
            RedrawMap();
        }
        return true;
    }
    case kGotoThisWaypoint: {
        Waypoint w;
        const int serial = ResolveSelection();
        if (serial > 0 && waypoints_.FindBySerial(serial, w)) {
            navigation_.StartGoto(w);
            RedrawMap();
        }
        return true;
    }
    case kCancelGoto:
        navigation_.CancelGoto();
        RedrawMap();
        return true;
    case kNorthUp: SetNorthUp(true); return true;
    case kCourseUp: SetNorthUp(false); return true;
    case kMapProperties: OpenProperties(); return true;
    case kZoomIn: view_->Zoom(1); return true;
    case kZoomOut: view_->Zoom(-1); return true;
    case kShowWaypointOnMap: ShowWaypointOnMap(); return true;
    case kPlanWaypoint: PlanWaypoint(); return true;
    case kDeleteThisWaypoint: DeleteSelected(); return true;
    case kEditWaypoint:
    case kDeleteWaypoint:
    case kNewWaypoint:
    case kWaypointManager: RunWaypointCommand(id); return true;
    case kEditThisWaypoint: {
        const int serial = ResolveSelection();
        if (serial > 0)
            EditStoredWaypoint(serial, kPageSettings);
        return true;
    }
    case kClearAltitudeChart:
        profile_.Clear();
        profileWnd_->update();
        return true;
    case kHideAltitudeWindow:
        model_.SetShowAltitude(false);
        settings_.SetInt(section::kMap, map_setting::kShowAltitude, 0);
        LayOut();
        return true;
    case kHideNavigationWindow:
        model_.SetShowNavigation(false);
        settings_.SetInt(section::kMap, map_setting::kShowNavigation, 0);
        LayOut();
        return true;
    case kChangePane: host_->ChangePressedPane(); return true;
    case kResetTrip:
        trip_.Reset();
        navWnd_->update();
        return true;
    case kAverageStart:
        model_.StartAveraging();
        averageWnd_->update();
        LayOut();
        return true;
    case kAverageCancel:
        model_.CancelAveraging();
        LayOut();
        RedrawMap();
        return true;
    case kAverageStop: FinishAveraging(); return true;
    default: return false;
    }
}

bool MapWnd::QueryCommand(int id, CommandStatus& status) const
{
    if (!QueryMapCommand(id, status))
        return false;
    if (import_->Running() && cmd::ChangesWaypointDatabase(id))
        status.enabled = false;
    return true;
}

bool MapWnd::QueryMapCommand(int id, CommandStatus& status) const
{
    using namespace cmd;
    if (files_->QueryCommand(id, status) || geocaching_->QueryCommand(id, status) ||
        import_->QueryCommand(id, status) || courses_->QueryCommand(id, status) ||
        routes_->QueryCommand(id, status))
        return true;
    const bool selected = !selection_.Empty();
    switch (id) {
    case kClearTrack:
    case kMarkWaypoint:
    case kMarkWaypointHere:
    case kCentreMapHere:
    case kSetPositionHere:
    case kGotoWaypoint:
    case kMapProperties:
    case kZoomIn:
    case kZoomOut:
    case kShowWaypointOnMap:
    case kClearAltitudeChart:
    case kHideAltitudeWindow:
    case kHideNavigationWindow:
    case kChangePane:
    case kEditWaypoint:
    case kDeleteWaypoint:
    case kNewWaypoint:
    case kWaypointManager: status = {true, false}; return true;
    case kGotoThisWaypoint:
    case kEditThisWaypoint:
    case kPlanWaypoint:
    case kDeleteThisWaypoint: status = {selected, false}; return true;
    case kCancelGoto: status = {navigation_.IsGotoActive() != 0, false}; return true;
    case kNorthUp: status = {true, map_.NorthUp()}; return true;
    case kCourseUp: status = {true, !map_.NorthUp()}; return true;
    case kAverageStart: status = {!model_.Averaging(), false}; return true;
    case kAverageStop:
    case kAverageCancel: status = {model_.Averaging(), false}; return true;
    default: return false;
    }
}

QDialog* MapWnd::MakeDialog(const QString& name)
{
    if (const int page = MapPropertiesSheet::PageOfPicture(name); page >= 0) {
        const MapProperties::Parts parts{map_,   track_,  trip_,     navigation_,         model_,
                                         units_, &roads_, &terrain_, &courses_->Courses()};
        auto* sheet = new MapPropertiesSheet(MapProperties::Read(parts, settings_), units_, this);
        sheet->Pages()->setCurrentIndex(page);
        return sheet;
    }
    if (name == QLatin1String("plan-waypoint"))
        return new PlanWaypointDialog(this);
    if (QDialog* dialog = host_->MakeDialog(*this, name))
        return dialog;
    return MapMessageBoxes::Make(name, waypoints_.Count(), DatabasePath(), this);
}

QMenu* MapWnd::MakeAveragingMenu(QWidget* parent)
{
    return host_->MakeAveragingMenu(parent);
}

QMenu* MapWnd::BuildPopupMenu(QWidget* parent)
{
    QMenu* menu = MapPopupMenu::Build(*this, parent);
    routes_->ExplainUnavailable(*menu);
    return menu;
}

} // namespace hw
