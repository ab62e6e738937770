#pragma once

#include "base/Translate.h"
#include "basemap/RoadMap.h"
#include "route/RouteSettings.h"

#include <optional>
#include <string>

namespace hw {

class CourseFollowing;
class MapModel;
class MapWindowModel;
class Navigation;
class RoadLayer;
class TerrainLayer;
class SettingsStore;
class TrackLog;
class TripComputer;
class UnitFormatter;

// The map properties sheet "地图属性" as values: filled from the present
// state, its entries formatted and read back, and on OK applied to the
// models first and then written to the settings.
class MapProperties {
public:
    static constexpr double kFilterCapKm = 1.0;
    static constexpr const char* kThresholdRefusal =
        HW_TRANSLATE_NOOP("MapProperties", "位置过滤距离阀值必须要大于 0.");

    struct Parts {
        MapModel& map;
        TrackLog& track;
        TripComputer& trip;
        Navigation& navigation;
        MapWindowModel& window;
        const UnitFormatter& units;
        RoadLayer* roads = nullptr;         // the classes shown, when there is a map layer
        TerrainLayer* terrain = nullptr;    // the relief's switches, when there is a terrain layer
        CourseFollowing* courses = nullptr; // the listed courses, whose times take the pace
    };

    // Page "地图".
    bool northUp = true;
    double arrivalRadiusKm = 0.03048;
    bool showNavigation = true;
    bool showAltitude = false;
    bool largeWaypoints = false;
    bool largePositionIcon = false;
    // Page "平均".
    bool limitAveraging = true;
    double hdopThreshold = 5.0;
    // Page "过滤器".
    bool filterEnabled = true;
    double filterThresholdKm = 0.005;
    bool useGpsCourse = true;
    double courseThresholdKm = 0.005;
    // Page "地图数据": the road, area, line and point classes shown, bit n for class n.
    unsigned roadClasses = kAllRoadClasses;
    unsigned areaClasses = kAllAreaClasses;
    unsigned lineClasses = kAllLineClasses;
    unsigned pointClasses = kAllPointClasses;
    // Page "地形": hill shading, contour lines, the shading's strength (0-100).
    bool terrainShading = true;
    bool terrainContours = true;
    int terrainStrength = 50;
    // Page "路线": how routes are planned and courses followed (the pace
    // factor of the walking times, the distance that counts as off course).
    RouteSettings route;
    double coursePace = 1.0;
    double offCourseM = 50;

    static MapProperties Read(const Parts& parts, const SettingsStore& settings);

    // The entries as the sheet shows them.
    std::string ArrivalText(const UnitFormatter& units) const; // small distance, "%f"
    std::string HdopText() const;                              // "%.01f"
    static std::string MetresText(double km);                  // metres, "%G"

    // Reads the arrival entry (small distance units) back into km.
    static double ArrivalKmFromText(const std::string& text, const UnitFormatter& units);
    static double HdopFromText(const std::string& text);
    // A threshold entry in metres: km, or nothing when it is 0 or less (the
    // page then shows kThresholdRefusal and stays open).
    static std::optional<double> ThresholdKmFromText(const std::string& text);

    // OK: the models take the values (the position filter at most 1 km), then
    // every value is written to its setting as entered.
    void Apply(const Parts& parts, SettingsStore& settings) const;
};

} // namespace hw
