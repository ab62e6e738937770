#include "map/MapWindowModel.h"

#include "base/SettingsStore.h"
#include "gps/GpsFix.h"
#include "instruments/AltitudeProfile.h"
#include "instruments/TripComputer.h"
#include "map/MapModel.h"
#include "map/Navigation.h"
#include "track/TrackLog.h"
#include "waypoints/PositionAverager.h"
#include "waypoints/WaypointDatabase.h"

namespace hw {

MapWindowModel::MapWindowModel(const Parts& parts) : parts_(parts), recorder_(parts.track) {}

void MapWindowModel::LoadSettings(const SettingsStore& settings)
{
    const std::string map = section::kMap;
    parts_.track.ApplySettings(settings);
    parts_.navigation.ApplySettings(settings, parts_.track);
    parts_.trip.SetPositionFilter(settings.GetInt(map, track_setting::kFilterEnabled, 1));
    showNavigation_ = settings.GetInt(map, map_setting::kShowNavigation, 1) != 0;
    showAltitude_ = settings.GetInt(map, map_setting::kShowAltitude, 0) != 0;
    MapModel& m = parts_.map;
    m.SetNorthUp(settings.GetInt(map, map_setting::kNorthUp, 0) != 0);
    m.SetLargeWaypoints(settings.GetInt(map, map_setting::kLargeWaypoints, 0) != 0);
    m.SetPositionIconSize(settings.GetInt(map, map_setting::kLargePositionIcon, 0) == 1 ? 8.0
                                                                                        : 4.0);
    LoadPosition(settings);
    m.SetFixIndicatorOn(true);
}

void MapWindowModel::LoadPosition(const SettingsStore& settings)
{
    const std::string map = section::kMap;
    parts_.map.SetCurrentPosition(
        {settings.GetInt(map, map_setting::kLatitude, map_setting::kDefaultLatitude),
         settings.GetInt(map, map_setting::kLongitude, map_setting::kDefaultLongitude), 0});
}

void MapWindowModel::StorePosition(SettingsStore& settings) const
{
    const GeoPoint& p = parts_.map.CurrentPosition();
    settings.SetInt(section::kMap, map_setting::kLatitude, p.lat);
    settings.SetInt(section::kMap, map_setting::kLongitude, p.lon);
}

MapWindowModel::Repaint MapWindowModel::OnGpsUpdate(const GpsFix& fix, bool visible)
{
    if (paused_)
        return {};
    WaypointDatabase& waypoints = parts_.waypoints;
    MapModel& map = parts_.map;
    if (waypoints.TargetsSet() != targetsSet_) {
        targetsSet_ = waypoints.TargetsSet();
        parts_.trip.NewTarget();
    }
    double timeOfDay = fix.ggaMinute * 60 + fix.ggaHour * 3600 + fix.ggaSeconds;
    parts_.trip.Update(timeOfDay, waypoints.Target(), fix.ggaLatitude, fix.ggaLongitude,
                       fix.HasFix() ? 1 : 0, waypoints.IsTargetActive(), fix.speed, fix.altitude);

    if (fix.HasFix()) {
        PositionAverager& averager = parts_.averager;
        if (averager.IsActive() &&
            averager.AddFix(fix.ggaLatitude, fix.ggaLongitude, fix.altitude, fix.ggaHdop))
            map.SetAveraging(MapModel::AveragingMarker{averager.AveragedPosition(),
                                                       averager.DeviationDistanceKm()});
    }
    if (std::optional<TrackPoint> point = recorder_.OnGpsUpdate(fix)) {
        Navigation& navigation = parts_.navigation;
        map.SetCurrentPosition({point->lat, point->lon, fix.altitude});
        navigation.UpdateCourse(navigation.PassedCourse(fix.course), parts_.track);
        parts_.profile.Push(fix.altitude);
        navigation.CheckProximity();
        navigation.CheckArrival();
    }

    map.SetFixBars(fix.SatellitesUsedAll() - 1);
    map.SetPositionIconColour(MapModel::IconColourForQuality(fix.fixQuality));
    if (!visible)
        return {};
    return {showNavigation_, true, showAltitude_};
}

MapWindowModel::Repaint MapWindowModel::OnTimer(bool visible, bool dataLost)
{
    if (dataLost)
        recorder_.MarkGap();
    if (!visible)
        return {};
    return {showNavigation_, true, false};
}

void MapWindowModel::OnViewTimer()
{
    if (paused_)
        return;
    parts_.navigation.CheckArrival();
    parts_.navigation.CheckProximity();
}

void MapWindowModel::StartAveraging()
{
    parts_.averager.Start();
}

void MapWindowModel::CancelAveraging()
{
    parts_.averager.Cancel();
    parts_.map.SetAveraging(std::nullopt);
}

Waypoint MapWindowModel::FinishAveraging()
{
    Waypoint w = parts_.averager.Finish(parts_.waypoints);
    parts_.map.SetAveraging(std::nullopt);
    return w;
}

bool MapWindowModel::Averaging() const
{
    return parts_.averager.IsActive();
}

MapWindowLayout::Result MapWindowModel::Layout(int width, int height, int smallLineHeight) const
{
    return MapWindowLayout::Compute(
        {width, height, showNavigation_, showAltitude_, Averaging(), smallLineHeight});
}

} // namespace hw
