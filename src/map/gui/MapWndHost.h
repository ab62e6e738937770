#pragma once

#include "base/DrawList.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportJob.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QDialog;
class QMenu;
class QPainter;
class QRect;
class QWidget;

namespace hw {

class CourseManagerHost;
class MapWnd;
class Waypoint;
class WaypointDatabase;
class WaypointManagerHost;
class WaypointSheet;

// The windows and dialogs of the instruments and the waypoints that the map
// page shows: the program's shell makes and runs them for the map window, so
// that the map knows none of their classes.
class MapWndHost {
public:
    virtual ~MapWndHost() = default;

    // The child windows, made once while the map window is built, with it as
    // their parent: the navigation strip "NavWnd", the altitude profile,
    // the averaging status window (hidden); and the message window
    // (hidden), which may pop up over more than the map.
    virtual QWidget* MakeNavStrip(MapWnd& map) = 0;
    virtual QWidget* MakeProfile(MapWnd& map) = 0;
    virtual QWidget* MakeAveraging(MapWnd& map) = 0;
    virtual QWidget* MakeMessages(MapWnd& map) = 0;
    // The navigation strip as one row of three panes or one column.
    virtual void ArrangeNavStrip(bool asRow) = 0;
    // "更换窗格" on the pane last pressed.
    virtual void ChangePressedPane() = 0;
    // The waypoint message window, shown for the display time; an alarm
    // waits its turn while another message is shown.
    virtual void ShowMessage(const Waypoint& w, const QString& title, int messageType,
                             int displayMs, bool alarm) = 0;
    // The averaging status window's pop-up menu.
    virtual QMenu* MakeAveragingMenu(QWidget* parent) = 0;
    // Draws runs of waypoint symbol cells, each centred on its point.
    using SymbolPainter = std::function<void(QPainter&, std::span<const BitmapCell>)>;
    virtual SymbolPainter Symbols() = 0;

    // Chooses a waypoint from the list (restricted to `only` unless empty);
    // 0 when none was chosen.
    virtual int ChooseWaypoint(MapWnd& map, const std::vector<int>& only, const QString& title) = 0;
    // The edit sheet "编辑路点"; errors go to `showError`.
    virtual std::unique_ptr<WaypointSheet>
    MakeWaypointSheet(MapWnd& map, std::function<void(const QString&)> showError) = 0;
    // Runs the waypoint manager over the map's database.
    virtual void RunWaypointManager(MapWnd& map, WaypointManagerHost& host,
                                    std::function<bool(const QString&)> ask,
                                    std::function<void(const QString&)> message) = 0;
    // Runs the course manager "路线管理" over the map's courses.
    virtual void RunCourseManager(MapWnd& map, CourseManagerHost& host) = 0;
    // The CSV import sheet; nothing when cancelled.
    virtual std::optional<CsvImportSettings> AskCsvSettings(MapWnd& map) = 0;
    // Runs an import off the UI thread over a copy of `db` and saves it to
    // `savePath`; `done` gets the imported copy and the result on the UI
    // thread. One at a time.
    using ImportDone =
        std::function<void(WaypointDatabase& imported, const WaypointImportJob::Result& result)>;
    virtual void StartImport(MapWnd& map, const WaypointDatabase& db, WaypointImportJob job,
                             std::string savePath, ImportDone done) = 0;
    virtual bool ImportRunning() const = 0;
    // The waypoint dialogs by name, for pictures ("waypoint-list",
    // "waypoint-manager", "edit-multiple", "edit-waypoint[-N]",
    // "csv-import[-waypoints]", "import-progress", "course-manager"); null
    // for another name.
    virtual QDialog* MakeDialog(MapWnd& map, const QString& name) = 0;
};

} // namespace hw
