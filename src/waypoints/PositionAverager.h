#pragma once

#include "base/SettingsStore.h"
#include "geo/GeoPoint.h"
#include "waypoints/Waypoint.h"

#include <string>

namespace hw {

class PositionFormatter;
class UnitFormatter;
class WaypointDatabase;

// Averaging settings (section "地图").
namespace averaging_setting {
inline constexpr const char* kThresholdEnabled = "启用路点平均阈值"; // 0/1, default 1
inline constexpr const char* kThreshold = "路点平均阈值";            // HDOP x 10, default 50
} // namespace averaging_setting

// The running mean and spread of one quantity.
struct AverageAccumulator {
    double sum = 0;
    int count = 0;
    double mean = 0;
    double sumSquares = 0; // of each value's distance from the mean after it
    double deviation = 0;

    void Add(double x);
};

// Averages the fixes taken while the receiver stays in one place into a more
// precise waypoint. Fixes with a poor HDOP are left out when the threshold
// is enabled.
class PositionAverager {
public:
    explicit PositionAverager(const SettingsStore& settings) : settings_(settings) {}

    // Begins from empty accumulators.
    void Start();
    // One fix (degrees, degrees, metres); returns whether it was averaged.
    // Fixes outside Start and Finish or Cancel are not.
    bool AddFix(double latitude, double longitude, double altitude, double hdop);
    // Ends averaging: a default record at the averaged position, named by the
    // database's next automatic name, for the editor to complete.
    Waypoint Finish(const WaypointDatabase& database);
    void Cancel() { active_ = false; }
    bool IsActive() const { return active_; }

    // The averaged position, and the position one deviation north-east of it.
    GeoPoint AveragedPosition() const;
    GeoPoint OffsetPosition() const;
    // Kilometres between the two.
    double DeviationDistanceKm() const { return deviationKm_; }
    int Samples() const { return latitude_.count; }
    const AverageAccumulator& Latitude() const { return latitude_; }
    const AverageAccumulator& Longitude() const { return longitude_; }
    const AverageAccumulator& Altitude() const { return altitude_; }

    // The status window's two blocks of text.
    std::string PositionStatusText(const PositionFormatter& positions,
                                   const UnitFormatter& units) const;
    std::string DeviationStatusText(const UnitFormatter& units) const;

private:
    const SettingsStore& settings_;
    AverageAccumulator latitude_;
    AverageAccumulator longitude_;
    AverageAccumulator altitude_;
    double deviationKm_ = 0;
    bool active_ = false;
};

} // namespace hw
