#pragma once

#include "base/FormatString.h"
#include "base/SettingsStore.h"

#include <string>

namespace hw {

// Unit settings, section "设置", all default 0.
namespace unit_setting {
inline constexpr const char* kDistanceSpeed = "距离-速度单位"; // 0 statute, 1 nautical, 2 metric
inline constexpr const char* kAltitude = "AltitudeElevationUnits"; // 0 feet, 1 metres
inline constexpr const char* kPositionFormat = "PositionFormat";   // 0 dm, 1 dms, 2 d
} // namespace unit_setting

enum class DistanceSpeedUnit { Statute = 0, Nautical = 1, Metric = 2 };
enum class AltitudeUnit { Feet = 0, Metres = 1 };

// Conversion from the program's internal units (knots, metres, kilometres,
// statute miles, metres per minute) to the user's units, with the labels.
// Holds no state: every operation reads its setting when it is called, so a
// change in the units dialog shows at the next repaint.
class UnitFormatter {
public:
    explicit UnitFormatter(const SettingsStore& settings) : settings_(settings) {}

    int DistanceSpeedSetting() const;
    int AltitudeSetting() const;

    double SpeedFromKnots(double knots) const;
    double SpeedFactor() const;
    std::string SpeedUnitLabel() const;

    double AltitudeFromMetres(double metres) const;
    std::string AltitudeUnitLabel() const;
    double AltitudeFactorAndLabel(std::string& label) const;
    // The altitude, "%-8.02f %s     ".
    std::string AltitudeText(double metres) const;

    double VerticalSpeedFromMetresPerMinute(double metresPerMinute) const;
    std::string VerticalSpeedUnitLabel() const;
    // Leaves the label as it was when the setting is out of range.
    double PlotVerticalSpeedFactorAndLabel(std::string& label) const;
    double AccelerationFactorAndLabel(std::string& label) const;

    double LargeDistanceFromMiles(double miles) const;
    double SmallDistanceFromMiles(double miles) const;
    double SmallDistanceFactor() const;
    double AutoDistanceFromMiles(double miles) const;
    std::string AutoDistanceLabel(double miles) const;
    std::string LargeDistanceUnitLabel() const;
    std::string SmallDistanceUnitLabel() const;
    double LargeDistanceFromKm(double km) const;
    double KmFromLargeDistance(double value) const;
    double SmallDistanceFromMetres(double metres) const;
    double MetresFromSmallDistance(double value) const;

private:
    const SettingsStore& settings_;
};

namespace units {
inline constexpr double kMphPerKnot = 1.15077944802;
inline constexpr double kKmPerNmi = 1.852;
inline constexpr double kFeetPerMetre = 3.28083989501;
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kFeetPerMile = 5280;
inline constexpr double kNmiPerMile = 0.868976241901;
inline constexpr double kMetresPerMile = 1609.344;
inline constexpr double kKmPerMile = 1.609344;
inline constexpr double kMilesPerKm = 0.621371192237;
inline constexpr double kNmiPerKm = 0.539956803456;
inline constexpr double kNmiPerMetre = 0.000539956803456;
inline constexpr double kMetresPerNmi = 1852;
inline constexpr double kOneSixtieth = 0.016666666666666666;
inline constexpr double kFeetPerSecondPerMetrePerMinute = 0.054680664916833335;
} // namespace units

} // namespace hw
