#include "map/gui/MapWnd.h"

#include "base/FormatString.h"
#include "base/SettingsStore.h"
#include "base/WindowMessages.h"
#include "instruments/gui/AltProfileWnd.h"
#include "instruments/gui/DigitalPanelGrid.h"
#include "instruments/gui/DigitalPanelMenus.h"
#include "instruments/gui/MsgWnd.h"
#include "map/MapProperties.h"
#include "map/SphericalGeometry.h"
#include "map/gui/MapPropertiesSheet.h"
#include "map/gui/MapView.h"
#include "map/gui/PlanWaypointDialog.h"
#include "map/gui/WaypointPickDialog.h"
#include "shell/CommandIds.h"
#include "shell/gui/AppPaths.h"
#include "waypoints/GeocacheVisits.h"
#include "waypoints/WaypointDatabaseCommands.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/gui/CEditMultipleWPPropSheet.h"
#include "waypoints/gui/CEditWaypointPropSheet.h"
#include "waypoints/gui/WaypointSheetDialog.h"

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
    "在这个地点有超过一个路点.你想要从列表中选择这个路点吗?"; // STR 231
constexpr const char* kNearestTitle = "最近路点";             // STR 232
constexpr const char* kWaypointTitle = "路点";                // STR 251

MapWnd::RunOptions& RunOptionsForProcess()
{
    static MapWnd::RunOptions options;
    return options;
}

QString Q(const char* s)
{
    return QString::fromUtf8(s);
}

// The database file's own dialogues, asked over the map window.
class MapFileDialogs final : public WaypointFileDialogs {
public:
    explicit MapFileDialogs(QWidget* over) : over_(over) {}
    bool AskSaveElsewhere() override
    {
        return QMessageBox::warning(over_, QStringLiteral("Hikewise"), Q(kSaveFailedQuestion),
                                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    std::string ChooseNewFile() override { return {}; }
    std::string ChooseExistingFile(const std::string&) override { return {}; }
    void ShowCannotOpen() override
    {
        QMessageBox::warning(over_, QStringLiteral("Hikewise"), Q(kCannotOpenMessage));
    }
    void SetBusy(bool) override {}

private:
    QWidget* over_;
};

} // namespace

void MapWnd::SetRunOptions(const RunOptions& options)
{
    RunOptionsForProcess() = options;
}

MapWnd::MapWnd(SettingsStore& settings, FixSource fix, QWidget* parent)
    : QWidget(parent), settings_(settings), fix_(std::move(fix)), averager_(settings),
      navigation_(waypoints_, map_, &sink_),
      model_({map_, track_, trip_, profile_, waypoints_, averager_, navigation_}), units_(settings),
      positions_(settings)
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
    CreateNavWindow();
    profileWnd_ = new AltProfileWnd(profile_, units_, this);
    msgWnd_ = new MsgWnd(
        map_, units_, [this] { return CurrentFix().speed; }, this);
    connect(view_, &MapView::Pressed, this, &MapWnd::OnPressed);
    connect(view_, &MapView::Tapped, this, &MapWnd::OnTapped);
    connect(view_, &MapView::ContextMenuRequested, this, &MapWnd::OnContextMenu);
    // The arrival check after every copy of the map, once the paint is over.
    connect(view_, &MapView::Painted, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { navigation_.CheckArrival(); }, Qt::QueuedConnection);
    });
    connect(view_, &MapView::Tick, this, [this] { model_.OnViewTimer(); });
    connect(profileWnd_, &AltProfileWnd::Command, this, [this](int id) { HandleCommand(id); });

    navigation_.SetArrivalMessage([this](const std::string& text) {
        const QString shown = QString::fromUtf8(text.c_str());
        if (message_)
            message_(shown);
        else
            QMessageBox::information(this, QStringLiteral("Hikewise"), shown);
    });

    LoadFiles();
    LoadRoads();
    // The goto of the command line starts at the first fix, so that its leg
    // begins where the walker is.
    if (run.gotoName)
        pendingGoto_ = *run.gotoName;

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this,
            [this] { ApplyRepaint(model_.OnTimer(isVisible(), dataLost_ && dataLost_())); });
    timer_.start();
    LayOut();
}

MapWnd::~MapWnd()
{
    model_.StorePosition(settings_);
}

void MapWnd::LoadFiles()
{
    const RunOptions& run = RunOptionsForProcess();
    const HandheldFolders folders = AppPaths::Folders();
    if (run.databaseFile) {
        databaseForRun_ = true;
        databasePath_ = *run.databaseFile;
        if (QFile::exists(QString::fromStdString(databasePath_)))
            LoadWaypointDatabase(waypoints_, databasePath_);
    } else {
        databasePath_ = MapHandheldPath(
            settings_.GetText(section::kSettings, kDatabaseFileSetting, kDefaultDatabaseFile),
            folders);
        if (QFile::exists(QString::fromStdString(databasePath_)))
            LoadWaypointDatabase(waypoints_, databasePath_);
    }
    trackPath_ =
        run.trackFile
            ? *run.trackFile
            : MapHandheldPath(settings_.GetText(section::kSettings, track_setting::kTrackFile,
                                                track_setting::kDefaultTrackFile),
                              folders);
    if (QFile::exists(QString::fromStdString(trackPath_)))
        track_.Load(trackPath_);
}

void MapWnd::CreateNavWindow()
{
    const PanelSources sources{trip_, navigation_, clock_, battery_, zone_, fix_};
    navWnd_ = new DigitalPanelGrid(sources, settings_, QStringLiteral("MapView"), this);
    navWnd_->setObjectName(QStringLiteral("NavWnd"));
    navWnd_->SetContextMenu(179, &NavWndPopup(), this);
}

void MapWnd::LoadRoads()
{
    roads_.LoadClassMask(settings_);
    const RunOptions& run = RunOptionsForProcess();
    const std::string path =
        RoadLayer::MapPath(settings_, AppPaths::Folders(), run.roadsFile.value_or(""));
    // No map where none was ever chosen is not worth a message.
    const bool chosen =
        run.roadsFile.has_value() ||
        settings_.GetText(section::kMap, map_setting::kRoadMap, map_setting::kDefaultRoadMap) !=
            map_setting::kDefaultRoadMap;
    if (!chosen && !QFile::exists(QString::fromStdString(path)))
        return;
    if (roads_.Open(path))
        return;
    // Said once, when the window is in place to show it.
    const QString problem = QString::fromStdString(roads_.TakeProblem());
    QMetaObject::invokeMethod(
        this, [this, problem] { emit Notice(problem); }, Qt::QueuedConnection);
}

bool MapWnd::SaveDatabase()
{
    if (databaseForRun_)
        return SaveWaypointDatabase(waypoints_, databasePath_) == 1;
    AppPaths::EnsureParentDir(QString::fromStdString(databasePath_));
    MapFileDialogs dialogs(this);
    WaypointDatabaseCommands commands(waypoints_, settings_, dialogs, AppPaths::Folders());
    return commands.SaveCurrent() == 1;
}

void MapWnd::SaveOnExit()
{
    if (trackPath_.empty())
        return;
    AppPaths::EnsureParentDir(QString::fromStdString(trackPath_));
    track_.Save(trackPath_);
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
    lastFix_ = history_(lastFix_, newFixes_);
    for (const GpsFix& fix : newFixes_)
        OnGpsFix(fix);
}

void MapWnd::OnGpsFix(const GpsFix& fix)
{
    ApplyRepaint(model_.OnGpsUpdate(fix, isVisible()));
    if (pendingGoto_ && fix.HasFix()) {
        GotoNamed(*pendingGoto_);
        pendingGoto_.reset();
    }
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
        msgWnd_->Show(w, Q(kNearestTitle), w.nActiveWaypointMessageType, kMessageMs);
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
    if (r.navigationAsStrip)
        navWnd_->SetLayout(1, 3, false);
    else
        navWnd_->SetLayout(3, 1, false);
    place(navWnd_, r.navigation);
    place(profileWnd_, r.altitude);
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
        msgWnd_->Show(w, Q(kWaypointTitle), 0, kMessageMs);
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
    WaypointPickDialog dialog(waypoints_, only, Q("路点"), this);
    return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : 0;
}

int MapWnd::ResolveSelection()
{
    if (selection_.Empty())
        return 0;
    if (!selection_.NeedsChoice())
        return selection_.Serials().front();
    const QString question = Q(kSelectionQuestion);
    const bool yes =
        ask_ ? ask_(question)
             : QMessageBox::question(this, QStringLiteral("Hikewise"), question,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    return yes ? ChooseWaypoint(selection_.Serials()) : 0;
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
    WaypointSheetDialog sheet(positions_, units_, this, [this](const QString& t) { ShowError(t); });
    const int serial = WaypointEditing::AddNew(waypoints_, std::move(proposed), sheet);
    if (serial > 0)
        SaveDatabase();
    RedrawMap();
    return serial;
}

bool MapWnd::EditStoredWaypoint(int serial, int startPage)
{
    WaypointSheetDialog sheet(positions_, units_, this, [this](const QString& t) { ShowError(t); });
    const bool changed = WaypointEditing::EditStored(waypoints_, serial, startPage, sheet);
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
    Waypoint w;
    if (serial <= 0 || !waypoints_.FindBySerial(serial, w))
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

void MapWnd::SetGeocacheState(int state)
{
    if (selection_.Count() != 1)
        return;
    const int serial = selection_.Serials().front();
    const bool changed = state == 1
                             ? LogVisitFound(waypoints_, serial, QDateTime::currentSecsSinceEpoch())
                             : LogVisitNotFound(waypoints_, serial);
    if (changed)
        SaveDatabase();
    RedrawMap();
}

void MapWnd::DeleteSelected()
{
    const int serial = ResolveSelection();
    if (serial <= 0)
        return;
    waypoints_.DeleteBySerial(serial);
    selection_.Prune(waypoints_);
    SaveDatabase();
    RedrawMap();
}

void MapWnd::SetNorthUp(bool on)
{
    map_.SetNorthUp(on);
    settings_.SetInt(section::kMap, map_setting::kNorthUp, on ? 1 : 0);
    RedrawMap();
}

void MapWnd::OpenProperties()
{
    const MapProperties::Parts parts{map_, track_, trip_, navigation_, model_, units_, &roads_};
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
    case kGeocacheFound: SetGeocacheState(1); return true;
    case kGeocacheNotFound: SetGeocacheState(0); return true;
    case kDeleteThisWaypoint: DeleteSelected(); return true;
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
    case kChangePane: navWnd_->ChangePane(navWnd_->PressedCell()); return true;
    case panel_cmd::kResetTrip:
        trip_.Reset();
        navWnd_->update();
        return true;
    case kAverageStart:
        model_.StartAveraging();
        LayOut();
        return true;
    case kAverageCancel:
        model_.CancelAveraging();
        LayOut();
        RedrawMap();
        return true;
    case kAverageStop: {
        Waypoint w = model_.FinishAveraging();
        if (waypoints_.Add(w) > 0)
            SaveDatabase();
        else
            ShowError(Q(WaypointSheetDialog::kCannotAdd));
        LayOut();
        RedrawMap();
        return true;
    }
    default: return false;
    }
}

bool MapWnd::QueryCommand(int id, CommandStatus& status) const
{
    using namespace cmd;
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
    case kChangePane: status = {true, false}; return true;
    case kGotoThisWaypoint:
    case kEditThisWaypoint:
    case kPlanWaypoint:
    case kDeleteThisWaypoint:
    case kGeocacheNotFound: status = {selected, false}; return true;
    case kGeocacheFound: status = {selected, selection_.FoundChecked(waypoints_)}; return true;
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
    if (name == QLatin1String("map-properties") || name == QLatin1String("map-properties-roads")) {
        const MapProperties::Parts parts{map_, track_, trip_, navigation_, model_, units_, &roads_};
        auto* sheet = new MapPropertiesSheet(MapProperties::Read(parts, settings_), units_, this);
        if (name.endsWith(QLatin1String("roads")))
            sheet->Pages()->setCurrentIndex(MapPropertiesSheet::kRoadsPage);
        return sheet;
    }
    if (name == QLatin1String("plan-waypoint"))
        return new PlanWaypointDialog(this);
    if (name == QLatin1String("waypoint-list"))
        return new WaypointPickDialog(waypoints_, {}, Q("路点"), this);
    return MakeWaypointDialog(name);
}

QDialog* MapWnd::MakeWaypointDialog(const QString& name)
{
    if (name == QLatin1String("edit-multiple"))
        return new CEditMultipleWPPropSheet(positions_, units_, this);
    // The edit sheet on the first geocache of the database (or its first
    // waypoint), at the page the name ends with ("edit-waypoint" is the first).
    static const QString kEdit = QStringLiteral("edit-waypoint");
    if (!name.startsWith(kEdit))
        return nullptr;
    bool numbered = false;
    const int page = name.mid(kEdit.size() + 1).toInt(&numbered);
    Waypoint first;
    bool found = false;
    waypoints_.ForEach([&](const Waypoint& w) {
        if (!found && w.nType == kWaypointGeocache) {
            first = w;
            found = true;
        }
    });
    if (!found)
        waypoints_.ForEach([&](const Waypoint& w) {
            if (!found) {
                first = w;
                found = true;
            }
        });
    return new CEditWaypointPropSheet(first, positions_, units_, numbered ? page - 1 : 0,
                                      QDateTime::currentSecsSinceEpoch(), this);
}

QMenu* MapWnd::BuildPopupMenu(QWidget* parent)
{
    using namespace cmd;
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("IDR_MAP_POPUP"));
    const auto add = [this](QMenu* to, int id, const char* text) {
        QAction* action = to->addAction(Q(text));
        CommandStatus status;
        if (!QueryCommand(id, status))
            status.enabled = false; // a command another window carries out
        action->setEnabled(status.enabled);
        if (status.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { HandleCommand(id); });
    };
    add(menu, kGotoThisWaypoint, "前往此路点(&T)...");
    add(menu, kEditThisWaypoint, "编辑此路点(&E)...");
    add(menu, kDeleteThisWaypoint, "删除此路点(&D)...");
    add(menu, kPlanWaypoint, "规划路点...");
    QMenu* geocaching = menu->addMenu(QStringLiteral("Geocaching"));
    add(geocaching, kGeocacheFound, "已找到");
    add(geocaching, kGeocacheNotFound, "未找到");
    geocaching->addSeparator();
    add(geocaching, kShowGeocacheInfo, "显示 Geocache 信息...");
    menu->addSeparator();
    add(menu, kMarkWaypointHere, "在此标记路点(&H)");
    menu->addSeparator();
    add(menu, kCentreMapHere, "以此居中地图(&C)");
    add(menu, kSetPositionHere, "设置当前位置到此");
    menu->addSeparator();
    add(menu, kClearTrack, "清除当前轨迹(&E)");
    QMenu* settings = menu->addMenu(Q("地图设定"));
    add(settings, kNorthUp, "地图正北");
    add(settings, kCourseUp, "航向在上(&C)");
    settings->addSeparator();
    add(settings, kMapProperties, "地图属性(&M)...");
    QMenu* zoom = menu->addMenu(Q("缩放"));
    add(zoom, kZoomIn, "放大");
    add(zoom, kZoomOut, "缩小");
    return menu;
}

} // namespace hw
