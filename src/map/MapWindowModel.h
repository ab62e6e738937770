#pragma once

#include "map/MapWindowLayout.h"
#include "track/TrackRecorder.h"
#include "waypoints/Waypoint.h"

#include <cstdint>

namespace hw {

class AltitudeProfile;
class MapModel;
class Navigation;
class PositionAverager;
class SettingsStore;
class TripComputer;
class WaypointDatabase;
struct GpsFix;

// Map window settings, section "地图", that no other part reads.
namespace map_setting {
inline constexpr const char* kNorthUp = "North Up";
inline constexpr const char* kShowNavigation = "显示导航窗口";
inline constexpr const char* kShowAltitude = "查看海拔曲线";
inline constexpr const char* kLargeWaypoints = "使用大号路点";
inline constexpr const char* kLargePositionIcon = "使用大号位置图标";
inline constexpr const char* kLatitude = "当前位置纬度";
inline constexpr const char* kLongitude = "当前位置经度";
inline constexpr int32_t kDefaultLatitude = 33800000;
inline constexpr int32_t kDefaultLongitude = -117800000;
} // namespace map_setting

// The map window's handling of GPS updates and its timer, apart from any
// window: it feeds the trip computer, the track, the map model, the altitude
// profile and the averaging, and says what to repaint.
class MapWindowModel {
public:
    struct Parts {
        MapModel& map;
        TrackLog& track;
        TripComputer& trip;
        AltitudeProfile& profile;
        WaypointDatabase& waypoints;
        PositionAverager& averager;
        Navigation& navigation;
    };
    struct Repaint {
        bool navigation = false;
        bool map = false;
        bool profile = false;
    };
    explicit MapWindowModel(const Parts& parts);

    // Reads the window's switches, the navigation's and the track's
    // settings, and applies the map's drawing settings and start position.
    void LoadSettings(const SettingsStore& settings);
    // The stored position as the current one (the start's, or the user's
    // again once a demo's walk ends).
    void LoadPosition(const SettingsStore& settings);
    // Writes the current position for the next start.
    void StorePosition(SettingsStore& settings) const;

    // While a waypoint import runs, GPS updates and the view's checks are
    // ignored.
    void SetPaused(bool paused) { paused_ = paused; }
    bool Paused() const { return paused_; }

    // One GPS update: the trip computer; with a fix the averaging, the track
    // point, the map's position and course, the altitude profile, and the
    // proximity and arrival checks; then the fix bars and icon colour.
    Repaint OnGpsUpdate(const GpsFix& fix, bool visible);
    // The window's one-second timer; a lost link makes the next point start
    // a segment.
    Repaint OnTimer(bool visible, bool dataLost);
    // Fixes went by unseen (the reader held up past what the parser keeps):
    // the next point starts a segment instead of a line across them.
    void OnFixesMissed() { recorder_.MarkGap(); }
    // The map view's one-second timer: the arrival and proximity checks
    // (none while paused).
    void OnViewTimer();
    bool NextPointStartsSegment() const { return recorder_.NextPointStartsSegment(); }

    // Averaging commands; the map shows the averaged position meanwhile.
    void StartAveraging();
    void CancelAveraging();
    // Ends averaging: the waypoint at the averaged position, for the editor.
    Waypoint FinishAveraging();
    bool Averaging() const;

    bool ShowNavigation() const { return showNavigation_; }
    void SetShowNavigation(bool on) { showNavigation_ = on; }
    bool ShowAltitude() const { return showAltitude_; }
    void SetShowAltitude(bool on) { showAltitude_ = on; }

    MapWindowLayout::Result Layout(int width, int height, int smallLineHeight) const;

private:
    Parts parts_;
    TrackRecorder recorder_;
    uint64_t targetsSet_ = 0; // the gotos the trip computer has seen
    bool paused_ = false;
    bool showNavigation_ = true;
    bool showAltitude_ = false;
};

} // namespace hw
