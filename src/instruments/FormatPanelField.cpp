#include "instruments/FormatPanelField.h"

#include "base/StringTable.h"
#include "base/Translate.h"
#include "base/UtcTime.h"
#include "instruments/PanelField.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr int kStrDays = 934;
constexpr int kMaxDays = 9999;
constexpr double kNmiPerRadian = 3437.7467707849396;
constexpr const char* kNone = "---";

// A number with a fixed count of decimals for the screen: never "nan" or
// "inf".
std::string Number(int decimals, double value, const char* suffix = "")
{
    if (!std::isfinite(value))
        return kNone;
    return FormatString("%.*f%s", decimals, value, suffix);
}

// Speeds and values alike: two decimals below 10, one from 10 on.
std::string TwoOrOneDecimals(double value)
{
    return Number(value >= 10 ? 1 : 2, value);
}

std::string DistanceValue(double value)
{
    return Number(value >= 100 ? 0 : value >= 10 ? 1 : 2, value);
}

// A distance in kilometres in the automatic unit.
void AutoDistance(const UnitFormatter& units, double km, PanelFieldTexts& t, bool signedValue)
{
    double miles = km * units::kMilesPerKm;
    double value = units.AutoDistanceFromMiles(miles);
    t.unit = units.AutoDistanceLabel(miles);
    if (!signedValue) {
        t.value = DistanceValue(value);
        return;
    }
    double size = std::fabs(value);
    t.value = Number(size >= 1000 ? 0 : size >= 10 ? 1 : 2, value);
}

void Grade(double grade, PanelFieldTexts& t)
{
    t.value = Number(1, std::fabs(grade), "%");
    t.unit = grade >= 0 ? Translate("FormatPanelField", "上") : Translate("FormatPanelField", "下");
}

void Altitude(const UnitFormatter& units, double metres, PanelFieldTexts& t)
{
    t.value = Number(1, units.AltitudeFromMetres(metres));
    t.unit = units.AltitudeUnitLabel();
}

// Hour 0 is 12 AM, hour 12 is 12 PM.
int TwelveHour(int hour)
{
    return hour % 12 == 0 ? 12 : hour % 12;
}
const char* AmPm(int hour)
{
    return hour < 12 ? "AM" : "PM";
}

// Whole seconds, clamped so that no conversion overflows.
int64_t WholeSeconds(double seconds)
{
    return static_cast<int64_t>(std::clamp(seconds, 0.0, 1e12));
}

// A length of time: minutes and seconds below an hour, hours and minutes
// below a day, else days.
void Duration(int64_t s, PanelFieldTexts& t)
{
    if (s < 3600) {
        t.unit = "MM:SS";
        t.value = FormatString("%02d:%02d", static_cast<int>(s / 60), static_cast<int>(s % 60));
    } else if (s < 86400) {
        t.unit = "HH:MM";
        t.value =
            FormatString("%02d:%02d", static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60));
    } else {
        t.unit = LoadString(kStrDays);
        t.value = FormatString("%d", static_cast<int>(std::min<int64_t>(s / 86400, kMaxDays)));
    }
}

void Ete(const PanelFieldContext& c, PanelFieldTexts& t)
{
    double ete = c.trip.Ete();
    if (!c.readings.navigating || !c.trip.HasEstimate() || !(ete >= 0)) {
        t.value = t.unit = kNone;
        return;
    }
    Duration(WholeSeconds(ete), t);
}

void TripDuration(const PanelFieldContext& c, PanelFieldTexts& t)
{
    // A clock set back before the start shows a trip of no time.
    Duration(std::max<int64_t>(c.trip.TripDuration(), 0), t);
}

UtcDateTime LocalNow(const PanelFieldContext& c)
{
    return UtcFromSeconds(c.zone.LocalSeconds(c.clock.NowSeconds()));
}

// A time of day in seconds since 1970, in local time.
void ClockTime(const PanelFieldContext& c, double seconds, PanelFieldTexts& t, bool twelveHour)
{
    UtcDateTime at = UtcFromSeconds(c.zone.LocalSeconds(seconds));
    if (twelveHour) {
        t.value = FormatString("%02d:%02d", TwelveHour(at.hour), at.minute);
        t.unit = FormatString("(%s)", AmPm(at.hour));
    } else {
        t.value = FormatString("%02d:%02d", at.hour, at.minute);
        t.unit = "HH:MM";
    }
}

void Eta(const PanelFieldContext& c, PanelFieldTexts& t, bool twelveHour)
{
    if (!c.readings.navigating || !c.trip.HasEstimate()) {
        t.value = t.unit = kNone;
        return;
    }
    ClockTime(c, c.trip.Eta(), t, twelveHour);
}

// The fields of the followed course: "---" until the walker has joined it.
void CourseField(int type, const PanelFieldContext& c, PanelFieldTexts& t)
{
    const std::optional<FollowState>& course = c.readings.course;
    t.value = t.unit = kNone;
    if (!course || !course->joined)
        return;
    switch (type) {
    case kFieldCourseToGo: AutoDistance(c.units, course->toGoM / 1000, t, false); break;
    case kFieldCourseTimeToGo: Duration(WholeSeconds(course->remainingS), t); break;
    case kFieldCourseEta:
        if (std::isfinite(course->etaS))
            ClockTime(c, course->etaS, t, false);
        break;
    case kFieldOffCourse: AutoDistance(c.units, course->xteM / 1000, t, false); break;
    case kFieldCourseAscentToGo:
        if (std::isfinite(course->ascentToGoM))
            Altitude(c.units, course->ascentToGoM, t);
        break;
    default: break;
    }
}

std::string BatteryText(int flag)
{
    switch (flag) {
    case kBatteryHigh: return Translate("FormatPanelField", "电池电量充足");
    case kBatteryLow: return Translate("FormatPanelField", "电池电量地");
    case kBatteryCritical: return Translate("FormatPanelField", "电池电量紧张");
    case kBatteryCharging: return Translate("FormatPanelField", "电池充电中");
    case kBatteryNone: return Translate("FormatPanelField", "电池电量无");
    case kBatteryUnknown: return Translate("FormatPanelField", "未知状态");
    default: return Translate("FormatPanelField", "失败");
    }
}

void Battery(const PanelFieldContext& c, PanelFieldTexts& t)
{
    BatteryState state = c.battery.Read();
    t.value = state.chargePercent == kBatteryChargeUnknown
                  ? std::string(kNone)
                  : FormatString("%d%%", state.chargePercent);
    t.subText = BatteryText(state.flag);
}

// The label's string-table id by field; 0 for an empty label.
constexpr int kLabelIds[kPanelFieldCount] = {
    0,   915, 910, 905, 900, 903, 903, 908, 905, 924, 927, 926, 921, 933, 928, 930, 919, 929,
    911, 912, 913, 901, 922, 923, 931, 932, 917, 916, 918, 902, 925, 940, 941, 942, 943, 944,
};

} // namespace

const char* CompassPoint(double a)
{
    if (a < 22.5)
        return "N";
    if (a < 67.5)
        return "NE";
    if (a < 112.5)
        return "E";
    if (a < 157.5)
        return "SE";
    if (a < 202.5)
        return "S";
    if (a < 247.5)
        return "SW";
    if (a < 292.5)
        return "W";
    if (a < 337.5)
        return "NW";
    return "N";
}

void FormatPanelField(int type, const PanelFieldContext& c, PanelFieldTexts& t)
{
    t = {};
    if (type < 0 || type >= kPanelFieldCount) {
        t.label = t.value = "???";
        t.unit = "??";
        t.subText = FormatString("%d", type);
        return;
    }
    if (int id = kLabelIds[type]; id != 0)
        t.label = LoadString(id);
    const UnitFormatter& units = c.units;
    const TripComputer& trip = c.trip;
    const PanelReadings& r = c.readings;
    switch (static_cast<PanelField>(type)) {
    case kFieldBlank: break;
    case kFieldSpeed:
        t.value = TwoOrOneDecimals(units.SpeedFromKnots(r.speedKnots));
        t.unit = units.SpeedUnitLabel();
        break;
    case kFieldDistanceToWaypoint:
        AutoDistance(units, r.distanceToTargetKm, t, false);
        t.subText = r.targetName;
        break;
    case kFieldCourse: t.value = Number(1, r.courseDegrees); break;
    case kFieldAltitude: {
        double v = units.AltitudeFromMetres(r.altitudeMetres);
        t.value = Number(v < 1000 ? 1 : 0, v);
        t.unit = units.AltitudeUnitLabel();
        break;
    }
    case kFieldBearing:
        t.value = Number(1, r.navigating ? r.bearingToTarget : 0.0, "°");
        t.subText = r.targetName;
        break;
    case kFieldBearingSymbol:
        t.value = r.navigating ? CompassPoint(r.bearingToTarget) : "--";
        t.subText = r.targetName;
        break;
    case kFieldCrossTrackError:
        AutoDistance(units, r.crossTrackError * kNmiPerRadian * units::kKmPerNmi, t, true);
        t.subText = r.targetName;
        break;
    case kFieldCourseSymbol:
        t.value = CompassPoint(r.courseDegrees);
        t.subText = r.targetName;
        break;
    case kFieldOdometer: AutoDistance(units, trip.Odometer(), t, false); break;
    case kFieldEte:
        Ete(c, t);
        t.subText = r.targetName;
        break;
    case kFieldEta:
        Eta(c, t, false);
        t.subText = r.targetName;
        break;
    case kFieldAverageSpeed:
        t.value = TwoOrOneDecimals(units.SpeedFromKnots(trip.AverageSpeed()));
        t.unit = units.SpeedUnitLabel();
        break;
    case kFieldTripDuration: TripDuration(c, t); break;
    case kFieldMaximumAltitude: Altitude(units, trip.MaximumAltitude(), t); break;
    case kFieldMinimumAltitude: Altitude(units, trip.MinimumAltitude(), t); break;
    case kFieldAltitudeDifference:
        Altitude(units, trip.MaximumAltitude() - trip.MinimumAltitude(), t);
        break;
    case kFieldMaximumSpeed:
        t.value = TwoOrOneDecimals(units.SpeedFromKnots(trip.MaximumSpeed()));
        t.unit = units.SpeedUnitLabel();
        break;
    case kFieldGrade: Grade(trip.CurrentGrade(), t); break;
    case kFieldMaximumGrade: Grade(trip.MaximumGrade(), t); break;
    case kFieldMinimumGrade: Grade(trip.MinimumGrade(), t); break;
    case kFieldAverageGrade: Grade(trip.AverageGrade(), t); break;
    case kFieldAverageAscendingGrade: Grade(trip.AverageAscendingGrade(), t); break;
    case kFieldAverageDescendingGrade: Grade(trip.AverageDescendingGrade(), t); break;
    case kFieldTotalAscent: Altitude(units, trip.TotalAscent(), t); break;
    case kFieldTotalDescent: Altitude(units, trip.TotalDescent(), t); break;
    case kFieldTime24: {
        UtcDateTime now = LocalNow(c);
        t.value = FormatString("%02d:%02d", now.hour, now.minute);
        t.subText = FormatString("%02d:%02d:%02d", now.hour, now.minute, now.second);
        break;
    }
    case kFieldTime12: {
        UtcDateTime now = LocalNow(c);
        t.value = FormatString("%02d:%02d", TwelveHour(now.hour), now.minute);
        t.unit = AmPm(now.hour);
        t.subText = FormatString("%02d:%02d:%02d", TwelveHour(now.hour), now.minute, now.second);
        break;
    }
    case kFieldTimeUtc: {
        UtcDateTime now = UtcFromSeconds(c.clock.NowSeconds());
        t.value = FormatString("%02d:%02d", now.hour, now.minute);
        t.subText = FormatString("%02d:%02d:%02d", now.hour, now.minute, now.second);
        break;
    }
    case kFieldBattery: Battery(c, t); break;
    case kFieldCourseToGo:
    case kFieldCourseTimeToGo:
    case kFieldCourseEta:
    case kFieldOffCourse:
    case kFieldCourseAscentToGo: CourseField(type, c, t); break;
    case kFieldEta12:
        Eta(c, t, true);
        t.subText = r.targetName;
        break;
    }
}

} // namespace hw
