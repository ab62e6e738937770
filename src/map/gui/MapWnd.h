#pragma once

#include "base/BackgroundFileWriter.h"
#include "base/Clock.h"
#include "base/CommandTarget.h"
#include "base/FileBinding.h"
#include "basemap/RoadDrawing.h"
#include "basemap/RoadLayer.h"
#include "gps/GpsFix.h"
#include "instruments/AltitudeProfile.h"
#include "instruments/BatteryStatus.h"
#include "instruments/TimeZoneBias.h"
#include "instruments/TripComputer.h"
#include "map/MapDemo.h"
#include "map/MapModel.h"
#include "map/MapSelection.h"
#include "map/MapWindowModel.h"
#include "map/Navigation.h"
#include "map/gui/MapWndHost.h"
#include "terrain/TerrainDrawing.h"
#include "terrain/TerrainLayer.h"
#include "track/TrackAutosave.h"
#include "track/TrackLog.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/PositionAverager.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointDatabaseCommands.h"
#include "widgets/NotificationEvent.h"
#include "widgets/SavesOnExit.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QMenu;

namespace hw {

class CourseCommands;
class GeocacheCommands;
class MapFileCommands;
class MapView;
class RouteCommands;
class SettingsStore;
class UserDialogs;
class WaypointImportCommand;
class WaypointManagerHost;

// The map page "MapWnd": owns the map model, the track, the trip computer,
// the altitude profile, the waypoints and the navigation, and turns every GPS
// update into their new state, so that the other pages read live values even
// while the map is not shown. Hosts the map view, the navigation strip, the
// altitude profile and the message window, draws the road map, runs the map commands and the
// stylus, loads the waypoint database and the track at creation and saves the track at exit.
class MapWnd : public QWidget, public CommandTarget, public SavesOnExit {
    Q_OBJECT
public:
    using FixSource = std::function<GpsFix()>;
    using DataLostSource = std::function<bool()>;
    static constexpr int kTimerMs = 1000;
    static constexpr int kMessageMs = 60000;
    static constexpr int kMapTab = 3;

    // Files and choices given for one run only (nothing is stored).
    struct RunOptions {
        std::optional<std::string> databaseFile;
        std::optional<std::string> trackFile;
        std::optional<std::string> gotoName;
        std::optional<std::string> followFile; // its first course followed, not kept
        std::optional<int> zoomIndex;
        std::optional<bool> northUp;
        std::optional<std::string> roadsFile;   // the road map in place of the setting's
        std::optional<std::string> terrainFile; // the terrain in place of the setting's
        // Waypoint files imported once the window runs, as the import
        // command would; quiet: the summary goes to standard output.
        std::vector<std::string> importFiles;
        bool quietImport = false;
    };
    static void SetRunOptions(const RunOptions& options);
    // The interval of the periodic track save.
    static int AutosaveIntervalMs();

    // `host` makes the instrument and waypoint windows the page shows.
    MapWnd(SettingsStore& settings, FixSource fix, std::unique_ptr<MapWndHost> host,
           QWidget* parent = nullptr);
    ~MapWnd() override;

    // The serial link's data-lost flag, read by the one-second timer.
    void SetDataLostSource(DataLostSource source) { dataLost_ = std::move(source); }

    // The fix after each GGA since a number (the parser's FixesSince). With
    // it every GGA reaches the fix handling, however many arrive at once.
    using FixHistorySource = std::function<uint64_t(uint64_t after, std::vector<GpsFix>& out)>;
    void SetFixHistory(FixHistorySource source) { history_ = std::move(source); }

    // Runs the fix handling for the current fix, as a WM_GPS_GGA does.
    void OnGpsUpdate();
    // Runs the fix handling for one fix.
    void OnGpsFix(const GpsFix& fix);

    MapWindowModel& Model() { return model_; }
    TripComputer& Trip() { return trip_; }
    const TripComputer& Trip() const { return trip_; }
    const Navigation& Nav() const { return navigation_; }
    Navigation& Nav() { return navigation_; }
    MapModel& Map() { return map_; }
    TrackLog& Track() { return track_; }
    // The periodic save of the track and its writer's thread; a save of the
    // track by other means waits for the writer first (SettleTrackSaves),
    // so that an older copy cannot land after it.
    TrackAutosave& Autosave() { return autosave_; }
    void SettleTrackSaves() { trackWriter_.Wait(); }
    // The thread that writes the waypoint database after each change.
    BackgroundFileWriter& DatabaseWriter() { return databaseWriter_; }
    // A background save of the database to path ended (on the UI thread).
    void DatabaseSaveEnded(const std::string& path,
                           const WaypointDatabaseCommands::BackgroundSave& save);
    // While the bundled demo plays, its walk is held in memory only: no
    // track file is written and no last position stored. When it ends, the
    // track of the file comes back in place of the demo's.
    void SetDemo(bool demo);
    bool Demo() const { return demo_; }
    // The demo's points dropped for the file's track.
    void DropDemoTrack();
    AltitudeProfile& Profile() { return profile_; }
    // The windows the host made for the page: altitude profile, navigation
    // strip, message window.
    QWidget* ProfileWindow() const { return profileWnd_; }
    QWidget* NavWindow() const { return navWnd_; }
    QWidget* Messages() const { return msgWnd_; }
    WaypointDatabase& Waypoints() { return waypoints_; }
    const Clock& SystemTime() const { return clock_; }
    const BatteryStatus& Battery() const { return battery_; }
    const TimeZoneBias& Zone() const { return zone_; }
    GpsFix CurrentFix() const { return fix_ ? fix_() : GpsFix{}; }

    MapView* View() const { return view_; }
    MapWndHost& Host() { return *host_; }
    PositionAverager& Averager() { return averager_; }
    const PositionFormatter& Positions() const { return positions_; }
    MapSelection& Selection() { return selection_; }
    RoadLayer& Roads() { return roads_; }
    const RoadDrawing& RoadsDrawn() const { return roadDrawing_; }
    TerrainLayer& Terrain() { return terrain_; }
    const TerrainDrawing& TerrainDrawn() const { return terrainDrawing_; }
    std::string TrackPath() const { return trackFile_->Path(); }
    std::string DatabasePath() const { return databaseFile_->Path(); }
    // The files the database and the track are bound to: the settings', or
    // the run's when the command line named them.
    FileBinding& DatabaseFile() { return *databaseFile_; }
    FileBinding& TrackFile() { return *trackFile_; }
    SettingsStore& Settings() { return settings_; }
    const UnitFormatter& Units() const { return units_; }
    // Saves the waypoint database to its file beside the UI thread, with the
    // recovery question when that fails; true when saved or on its way.
    bool SaveDatabase();
    // Opens the edit sheet "编辑路点" on a proposed new waypoint and adds what
    // the user confirms (a taken name reopens the sheet with the message),
    // then saves the database. The serial id; 0 when cancelled.
    int MarkWaypoint(Waypoint proposed);
    // Edits a stored waypoint in the sheet from the given page and saves the
    // database when it changed; true when it changed.
    bool EditStoredWaypoint(int serial, int startPage);
    // The questions and file choosers of the map's commands; tests give
    // their own answers.
    UserDialogs& Dialogs() { return *dialogs_; }
    void SetDialogs(UserDialogs* dialogs);
    WaypointImportCommand& Import() { return *import_; }
    GeocacheCommands& Geocaching() { return *geocaching_; }
    RouteCommands& Routes() { return *routes_; }
    // Where the stylus last went down.
    ScreenPoint LastTap() const { return lastTap_; }
    void RedrawMap();
    // The selection as one waypoint: directly, or chosen from a list after
    // the question; 0 when none.
    int ResolveSelection();
    // Starts a goto to the waypoint of that name; false when there is none.
    bool GotoNamed(const std::string& name);
    // The map's dialogs by name, for pictures: "map-properties" (and
    // "map-properties-roads", "-terrain" and "-route" at those pages), "plan-waypoint",
    // "waypoint-list"; null for another name.
    QDialog* MakeDialog(const QString& name);
    // The averaging status window's pop-up menu, for pictures.
    QMenu* MakeAveragingMenu(QWidget* parent);
    // The pop-up menu "IDR_MAP_POPUP", with its items enabled and checked.
    QMenu* BuildPopupMenu(QWidget* parent);

    // The waypoint manager's view of this window.
    WaypointManagerHost& ManagerHost();

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;
    void SaveOnExit() override;

    // Chooses a waypoint from the list (restricted to `only` when it is not
    // empty); 0 when none was chosen. Tests replace it.
    using WaypointChooser = std::function<int(const std::vector<int>& only)>;
    void SetWaypointChooser(WaypointChooser chooser) { chooser_ = std::move(chooser); }
    // Asks a yes/no question; tests replace it.
    using Question = std::function<bool(const QString& text)>;
    void SetQuestion(Question ask) { ask_ = std::move(ask); }
    // Shows a message (the arrival, errors); tests replace it.
    using Message = std::function<void(const QString& text)>;
    void SetMessage(Message show) { message_ = std::move(show); }
    // Shows a message once the present fix handling is over: the box runs
    // an event loop, which delivers the next fixes.
    void PostMessage(const QString& text);
    bool Ask(const QString& question);
    void ShowError(const QString& text);
    // The courses: the menu "路线", adding and following a course.
    CourseCommands& Courses() { return *courses_; }

signals:
    // A message for the status bar (a road map that cannot be read).
    void Notice(const QString& text);
    // After the fix handling of each fix, so that other pages sample what
    // this fix left (the navigation's cross-track error among it).
    void FixHandled(const GpsFix& fix);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadFiles();
    // The road and terrain files of the run or of the settings.
    void LoadLayers();
    void LayOut();
    void ApplyRepaint(const MapWindowModel::Repaint& repaint);
    void OnGgaNotice();
    void CreateFileCommands();
    bool QueryMapCommand(int id, CommandStatus& status) const;
    void FinishAveraging();
    void OnProximityAlarm();
    void OnPressed(ScreenPoint p);
    void OnTapped(ScreenPoint p);
    void OnContextMenu(ScreenPoint p);
    int ChooseWaypoint(const std::vector<int>& only);
    // A new waypoint under the next automatic name, saved with the database.
    void AddWaypoint(Waypoint w);
    void MarkWaypointAt(const GeoPoint& p);
    void PlanWaypoint();
    void ShowWaypointOnMap();
    // Centres the map on the waypoint and shows the map page.
    void CentreOnWaypoint(int serial);
    // Edit, delete and new waypoint from the menu, and the manager.
    void RunWaypointCommand(int id);
    friend class MapWaypointManagerHost;
    void DeleteSelected();
    void OpenProperties();
    void SetNorthUp(bool on);

    SettingsStore& settings_;
    FixSource fix_;
    DataLostSource dataLost_;
    FixHistorySource history_;
    uint64_t lastFix_ = 0; // the number of the last fix of the history handled
    std::vector<GpsFix> newFixes_;
    QtNotificationSink sink_{this};
    SystemClock clock_;
    SysfsBatteryStatus battery_;
    SystemTimeZoneBias zone_;
    MapModel map_;
    TrackLog track_;
    TripComputer trip_{clock_};
    AltitudeProfile profile_;
    WaypointDatabase waypoints_;
    PositionAverager averager_;
    Navigation navigation_;
    MapWindowModel model_;
    UnitFormatter units_;
    PositionFormatter positions_;
    MapSelection selection_;
    RoadLayer roads_;
    RoadDrawing roadDrawing_{roads_};
    TerrainLayer terrain_;
    TerrainDrawing terrainDrawing_{terrain_};
    MapDemo::Own ownLayers_;
    MapDemo mapDemo_{roads_, terrain_};
    ScreenPoint lastTap_;
    std::unique_ptr<FileBinding> trackFile_;
    std::unique_ptr<FileBinding> databaseFile_;
    std::unique_ptr<UserDialogs> ownDialogs_;
    UserDialogs* dialogs_ = nullptr;
    std::unique_ptr<MapFileCommands> files_;
    std::unique_ptr<GeocacheCommands> geocaching_;
    std::unique_ptr<CourseCommands> courses_;
    std::unique_ptr<RouteCommands> routes_;
    WaypointImportCommand* import_ = nullptr;
    std::unique_ptr<MapWndHost> host_;
    bool demo_ = false;
    int demoCourse_ = -1; // the demo's course in the list while the demo follows it
    QWidget* averageWnd_ = nullptr;
    std::optional<std::string> pendingGoto_;
    MapView* view_ = nullptr;
    QWidget* navWnd_ = nullptr;
    QWidget* profileWnd_ = nullptr;
    QWidget* msgWnd_ = nullptr;
    QTimer timer_;
    BackgroundFileWriter trackWriter_;
    BackgroundFileWriter databaseWriter_;
    TrackAutosave autosave_{track_, trackWriter_};
    QTimer autosaveTimer_;
    WaypointChooser chooser_;
    Question ask_;
    Message message_;
    std::unique_ptr<WaypointManagerHost> managerHost_;
};

} // namespace hw
