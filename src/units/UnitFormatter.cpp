#include "units/UnitFormatter.h"

#include "base/StringTable.h"

#include <cmath>
#include <cstdio>

namespace hw {

using namespace units;

namespace {
enum Label {
    kFt = 510,
    kKm = 511,
    kKmh = 512,
    kKt = 513,
    kM = 514,
    kMph = 515,
    kNmi = 516,
    kMi = 519,
    kX100FtPerMin = 520,
    kFtPerS = 521,
    kMPerS = 523,
};
} // namespace

int UnitFormatter::DistanceSpeedSetting() const
{
    return settings_.GetInt(section::kSettings, unit_setting::kDistanceSpeed, 0);
}

int UnitFormatter::AltitudeSetting() const
{
    return settings_.GetInt(section::kSettings, unit_setting::kAltitude, 0);
}

double UnitFormatter::SpeedFromKnots(double knots) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return knots * kMphPerKnot;
    case 1: return knots;
    case 2: return knots * kKmPerNmi;
    default: return 0;
    }
}

double UnitFormatter::SpeedFactor() const
{
    switch (DistanceSpeedSetting()) {
    case 0: return kMphPerKnot;
    case 1: return 1.0;
    default: return kKmPerNmi;
    }
}

std::string UnitFormatter::SpeedUnitLabel() const
{
    switch (DistanceSpeedSetting()) {
    case 0: return LoadString(kMph);
    case 1: return LoadString(kKt);
    case 2: return LoadString(kKmh);
    default: return {};
    }
}

double UnitFormatter::AltitudeFromMetres(double metres) const
{
    switch (AltitudeSetting()) {
    case 0: return metres * kFeetPerMetre;
    case 1: return metres;
    default: return -1.0;
    }
}

std::string UnitFormatter::AltitudeUnitLabel() const
{
    switch (AltitudeSetting()) {
    case 0: return LoadString(kFt);
    case 1: return LoadString(kM);
    default: return "err";
    }
}

double UnitFormatter::AltitudeFactorAndLabel(std::string& label) const
{
    label.clear();
    switch (AltitudeSetting()) {
    case 0: label = LoadString(kFt); return kFeetPerMetre;
    case 1: label = LoadString(kM); return 1.0;
    default: label = "err"; return 1.0;
    }
}

std::string UnitFormatter::AltitudeText(double metres) const
{
    double value = AltitudeFromMetres(metres);
    std::string label = AltitudeUnitLabel();
    return FormatString("%-8.02f %s     ", value, label.c_str());
}

double UnitFormatter::VerticalSpeedFromMetresPerMinute(double metresPerMinute) const
{
    switch (AltitudeSetting()) {
    case 0: return metresPerMinute * kFeetPerMetre;
    case 1: return metresPerMinute * kOneSixtieth;
    default: return -1.0;
    }
}

std::string UnitFormatter::VerticalSpeedUnitLabel() const
{
    switch (AltitudeSetting()) {
    case 0: return LoadString(kX100FtPerMin);
    case 1: return LoadString(kMPerS);
    default: return "err";
    }
}

double UnitFormatter::PlotVerticalSpeedFactorAndLabel(std::string& label) const
{
    switch (AltitudeSetting()) {
    case 0: label = LoadString(kFtPerS); return kFeetPerSecondPerMetrePerMinute;
    case 1: label = LoadString(kMPerS); return kOneSixtieth;
    default: return -1.0;
    }
}

double UnitFormatter::AccelerationFactorAndLabel(std::string& label) const
{
    switch (DistanceSpeedSetting()) {
    case 0: label = "ft/s/s"; return kFeetPerMetre;
    case 1:
    case 2: label = "m/s/s"; return 1.0;
    default: return 0.0;
    }
}

double UnitFormatter::LargeDistanceFromMiles(double miles) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return miles;
    case 1: return miles * kNmiPerMile;
    case 2: return miles * kKmPerMile;
    default: return miles;
    }
}

double UnitFormatter::SmallDistanceFromMiles(double miles) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return miles * kFeetPerMile;
    case 1: return miles * kNmiPerMile;
    case 2: return miles * kMetresPerMile;
    default: return miles;
    }
}

double UnitFormatter::SmallDistanceFactor() const
{
    switch (DistanceSpeedSetting()) {
    case 0: return kFeetPerMile;
    case 1: return kNmiPerMile;
    case 2: return kMetresPerMile;
    default: return 1.0;
    }
}

double UnitFormatter::AutoDistanceFromMiles(double miles) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return std::fabs(miles) >= 0.25 ? miles : miles * kFeetPerMile;
    case 1: return miles * kNmiPerMile;
    case 2: {
        double km = miles * kKmPerMile;
        return std::fabs(km) >= 1.0 ? km : miles * kMetresPerMile;
    }
    default: return 0;
    }
}

std::string UnitFormatter::AutoDistanceLabel(double miles) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return LoadString(std::fabs(miles) >= 0.25 ? kMi : kFt);
    case 1: return LoadString(kNmi);
    case 2: return LoadString(std::fabs(miles * kKmPerMile) >= 1.0 ? kKm : kM);
    default: return {};
    }
}

std::string UnitFormatter::LargeDistanceUnitLabel() const
{
    switch (DistanceSpeedSetting()) {
    case 0: return LoadString(kMi);
    case 1: return LoadString(kNmi);
    case 2: return LoadString(kKm);
    default: return {};
    }
}

std::string UnitFormatter::SmallDistanceUnitLabel() const
{
    switch (DistanceSpeedSetting()) {
    case 0: return LoadString(kFt);
    case 1: return LoadString(kNmi);
    case 2: return LoadString(kM);
    default: return "NA";
    }
}

double UnitFormatter::LargeDistanceFromKm(double km) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return km * kMilesPerKm;
    case 1: return km * kNmiPerKm;
    default: return km;
    }
}

double UnitFormatter::KmFromLargeDistance(double value) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return value * kKmPerMile;
    case 1: return value * kKmPerNmi;
    default: return value;
    }
}

double UnitFormatter::SmallDistanceFromMetres(double metres) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return metres * kFeetPerMetre;
    case 1: return metres * kNmiPerMetre;
    case 2: return metres;
    default: return 0;
    }
}

double UnitFormatter::MetresFromSmallDistance(double value) const
{
    switch (DistanceSpeedSetting()) {
    case 0: return value * kMetresPerFoot;
    case 1: return value * kMetresPerNmi;
    case 2: return value;
    default: return 0;
    }
}

} // namespace hw
