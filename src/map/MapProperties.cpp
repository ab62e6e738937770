#include "map/MapProperties.h"

#include "base/DecimalSetting.h"
#include "base/FormatString.h"
#include "base/SettingsStore.h"
#include "basemap/RoadLayer.h"
#include "instruments/TripComputer.h"
#include "map/CourseFollowing.h"
#include "map/MapModel.h"
#include "map/MapWindowModel.h"
#include "map/Navigation.h"
#include "terrain/TerrainLayer.h"
#include "track/TrackLog.h"
#include "units/NumberText.h"
#include "units/UnitFormatter.h"
#include "waypoints/PositionAverager.h"

#include <algorithm>

namespace hw {

MapProperties MapProperties::Read(const Parts& parts, const SettingsStore& settings)
{
    MapProperties v;
    v.northUp = parts.map.NorthUp();
    v.arrivalRadiusKm = parts.navigation.ArrivalRadiusKm();
    v.showNavigation = parts.window.ShowNavigation();
    v.showAltitude = parts.window.ShowAltitude();
    v.largeWaypoints = parts.map.LargeWaypoints();
    v.largePositionIcon = parts.map.PositionIconSize() != 4.0;
    v.limitAveraging = settings.GetInt(section::kMap, averaging_setting::kThresholdEnabled, 1) != 0;
    v.hdopThreshold = settings.GetInt(section::kMap, averaging_setting::kThreshold, 50) * 0.1;
    v.filterEnabled = parts.track.FilterEnabled() != 0;
    v.filterThresholdKm = parts.track.FilterThreshold();
    v.useGpsCourse = parts.navigation.UseGpsCourse() != 0;
    v.courseThresholdKm = parts.track.CourseThreshold();
    if (parts.roads) {
        v.roadClasses = parts.roads->ClassMask();
        v.areaClasses = parts.roads->AreaMask();
        v.lineClasses = parts.roads->LineMask();
        v.pointClasses = parts.roads->PointMask();
    }
    if (parts.terrain) {
        v.terrainShading = parts.terrain->Shading();
        v.terrainContours = parts.terrain->Contours();
        v.terrainStrength = parts.terrain->Strength();
    }
    v.route = RouteSettings::Read(settings);
    const FollowSettings follow = ReadFollowSettings(settings, v.arrivalRadiusKm);
    v.coursePace = follow.paceFactor;
    v.offCourseM = follow.offCourseM;
    return v;
}

std::string MapProperties::ArrivalText(const UnitFormatter& units) const
{
    return FormatString("%f", units.SmallDistanceFromMetres(arrivalRadiusKm * 1000));
}

std::string MapProperties::HdopText() const
{
    return FormatString("%.01f", hdopThreshold);
}

std::string MapProperties::MetresText(double km)
{
    return FormatString("%G", km * 1000);
}

double MapProperties::ArrivalKmFromText(const std::string& text, const UnitFormatter& units)
{
    return units.MetresFromSmallDistance(ParseRealPrefix(text)) * 0.001;
}

double MapProperties::HdopFromText(const std::string& text)
{
    return ParseRealPrefix(text);
}

std::optional<double> MapProperties::ThresholdKmFromText(const std::string& text)
{
    const double metres = ParseRealPrefix(text);
    if (!(metres > 0))
        return std::nullopt;
    return metres * 0.001;
}

void MapProperties::Apply(const Parts& parts, SettingsStore& settings) const
{
    parts.map.SetNorthUp(northUp);
    parts.navigation.SetArrivalRadiusKm(arrivalRadiusKm);
    parts.window.SetShowNavigation(showNavigation);
    parts.window.SetShowAltitude(showAltitude);
    parts.track.SetFilter(filterEnabled ? 1 : 0);
    parts.trip.SetPositionFilter(filterEnabled ? 1 : 0);
    parts.map.SetLargeWaypoints(largeWaypoints);
    parts.map.SetPositionIconSize(largePositionIcon ? 8.0 : 4.0);
    parts.track.SetFilterThreshold(std::min(filterThresholdKm, kFilterCapKm));
    parts.track.SetCourseThreshold(courseThresholdKm);
    parts.navigation.SetUseGpsCourse(useGpsCourse ? 1 : 0, parts.track);
    if (parts.roads) {
        parts.roads->SetClassMask(roadClasses);
        parts.roads->SetTopoMasks(areaClasses, lineClasses, pointClasses);
    }
    if (parts.terrain)
        parts.terrain->Set(terrainShading, terrainContours, terrainStrength);
    if (parts.courses) {
        parts.courses->List().SetPaceFactor(coursePace);
        parts.courses->Touch();
    }

    const char* map = section::kMap;
    SetDecimalSetting(settings, map, navigation_setting::kArrivalDistance, arrivalRadiusKm);
    SetDecimalSetting(settings, map, track_setting::kFilterThreshold, filterThresholdKm);
    SetDecimalSetting(settings, map, track_setting::kCourseThreshold, courseThresholdKm);
    settings.SetInt(map, averaging_setting::kThresholdEnabled, limitAveraging ? 1 : 0);
    settings.SetInt(map, averaging_setting::kThreshold, static_cast<int>(hdopThreshold * 10));
    settings.SetInt(map, map_setting::kNorthUp, northUp ? 1 : 0);
    settings.SetInt(map, map_setting::kShowNavigation, showNavigation ? 1 : 0);
    settings.SetInt(map, map_setting::kShowAltitude, showAltitude ? 1 : 0);
    settings.SetInt(map, map_setting::kLargeWaypoints, largeWaypoints ? 1 : 0);
    settings.SetInt(map, map_setting::kLargePositionIcon, largePositionIcon ? 1 : 0);
    settings.SetInt(map, track_setting::kFilterEnabled, filterEnabled ? 1 : 0);
    settings.SetInt(map, track_setting::kUseGpsCourse, useGpsCourse ? 1 : 0);
    if (parts.roads)
        parts.roads->StoreClassMask(settings);
    if (parts.terrain)
        parts.terrain->StoreSettings(settings);
    route.Write(settings);
    SetDecimalSetting(settings, course_setting::kSection, course_setting::kCoursePace, coursePace);
    SetDecimalSetting(settings, course_setting::kSection, course_setting::kOffCourseDistance,
                      offCourseM);
}

} // namespace hw
