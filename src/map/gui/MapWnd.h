#pragma once

#include "base/Clock.h"
#include "gps/GpsFix.h"
#include "instruments/AltitudeProfile.h"
#include "instruments/BatteryStatus.h"
#include "instruments/TimeZoneBias.h"
#include "instruments/TripComputer.h"
#include "map/MapModel.h"
#include "map/MapWindowModel.h"
#include "map/Navigation.h"
#include "map/TrackLog.h"
#include "waypoints/PositionAverager.h"
#include "waypoints/WaypointDatabase.h"

#include <QTimer>
#include <QWidget>

#include <functional>

namespace hw {

class SettingsStore;

// The map page "MapWnd": owns the map model, the track, the trip computer,
// the altitude profile, the waypoints and the navigation, and turns every GPS
// update into their new state, so that the other pages read live values even
// while the map is not shown.
class MapWnd : public QWidget {
    Q_OBJECT
public:
    using FixSource = std::function<GpsFix()>;
    using DataLostSource = std::function<bool()>;
    static constexpr int kTimerMs = 1000;

    MapWnd(SettingsStore& settings, FixSource fix, QWidget* parent = nullptr);

    // The serial link's data-lost flag, read by the one-second timer.
    void SetDataLostSource(DataLostSource source) { dataLost_ = std::move(source); }

    // Runs the fix handling for the current fix, as a WM_GPS_GGA does.
    void OnGpsUpdate();

    MapWindowModel& Model() { return model_; }
    TripComputer& Trip() { return trip_; }
    const TripComputer& Trip() const { return trip_; }
    const Navigation& Nav() const { return navigation_; }
    Navigation& Nav() { return navigation_; }
    MapModel& Map() { return map_; }
    TrackLog& Track() { return track_; }
    AltitudeProfile& Profile() { return profile_; }
    WaypointDatabase& Waypoints() { return waypoints_; }
    const Clock& SystemTime() const { return clock_; }
    const BatteryStatus& Battery() const { return battery_; }
    const TimeZoneBias& Zone() const { return zone_; }
    GpsFix CurrentFix() const { return fix_ ? fix_() : GpsFix{}; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyRepaint(const MapWindowModel::Repaint& repaint);

    SettingsStore& settings_;
    FixSource fix_;
    DataLostSource dataLost_;
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
    QTimer timer_;
};

} // namespace hw
