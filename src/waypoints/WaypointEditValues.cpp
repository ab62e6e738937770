#include "waypoints/WaypointEditValues.h"

#include "base/FormatString.h"
#include "units/NumberText.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/PicEditModel.h"
#include "waypoints/WaypointSymbol.h"

#include <cmath>
#include <limits>

namespace hw {
namespace {

// The sheet shows feet only under the feet setting; any other value shows
// and reads metres, so that an unknown setting cannot rewrite altitudes.
bool AltitudeInFeet(const UnitFormatter& units)
{
    return units.AltitudeSetting() == 0;
}

// A masked field's digits with the blanks of unfilled positions as "0".
std::string FilledDigits(std::string digits)
{
    if (digits.size() > 255)
        digits.resize(255);
    for (char& c : digits)
        if (c == ' ')
            c = '0';
    return digits;
}

int32_t SignedMicrodegrees(int64_t magnitude, bool negative)
{
    const int64_t limit = std::numeric_limits<int32_t>::max();
    const int64_t m = magnitude > limit ? limit : magnitude;
    return static_cast<int32_t>(negative ? -m : m);
}

// What a masked field set up with the mask and the entry text hands back:
// the characters of its editable positions.
std::string FieldDigits(const std::string& mask, const std::string& entry)
{
    PicEditModel field(mask);
    field.SetText(entry);
    return field.GetText();
}

} // namespace

WaypointEditValues WaypointEditValues::From(const Waypoint& w, const PositionFormatter& positions,
                                            const UnitFormatter& units, int64_t now)
{
    WaypointEditValues v;
    v.openedAt = now;
    v.name = w.strName;
    const double lat = w.nLatitude * 0.000001;
    const double lon = w.nLongitude * 0.000001;
    v.latitudeMask = positions.LatitudeEntryMask();
    v.latitudeDigits = FieldDigits(v.latitudeMask, positions.LatitudeEntryText(lat));
    v.latitudeSouth = w.nLatitude < 0 ? 1 : 0;
    v.longitudeMask = positions.LongitudeEntryMask();
    v.longitudeDigits = FieldDigits(v.longitudeMask, positions.LongitudeEntryText(lon));
    v.longitudeWest = w.nLongitude < 0 ? 1 : 0;
    const bool feet = AltitudeInFeet(units);
    v.altitude =
        FormatString("%f", feet ? units.AltitudeFromMetres(w.fAltitude) : double(w.fAltitude));
    const int altitudeSetting = units.AltitudeSetting();
    v.altitudeUnit = altitudeSetting == 0 || altitudeSetting == 1 ? units.AltitudeUnitLabel() : "m";
    v.icon = w.icon;
    v.active = w.bActiveWaypoint;
    v.triggerDistance =
        FormatString("%.02f", units.SmallDistanceFromMetres(w.dActiveWPDistance * 1000));
    v.smallDistanceUnit = units.SmallDistanceUnitLabel();
    v.soundFile = w.strSoundFile;
    v.messageType = w.nActiveWaypointMessageType;
    v.geocacheState = w.nGeocacheState;
    v.useStateIcon = w.bUseGeocacheStateForIconID;
    v.foundTime = w.timeGeochacheFound != 0 ? w.timeGeochacheFound : now;
    v.url = w.strURL;
    v.comment = w.strComment;
    v.fieldNotes = w.strFieldNotes;
    v.fieldNotePending = w.geocache.bFieldNotePending;
    return v;
}

void WaypointEditValues::ApplyTo(Waypoint& w, const PositionFormatter& positions,
                                 const UnitFormatter& units) const
{
    w.strName = name;
    // A coordinate shown and confirmed as it was keeps its exact value: the
    // field's resolution would otherwise move it on every edit.
    const WaypointEditValues shown = From(w, positions, units, 0);
    if (latitudeDigits != shown.latitudeDigits || latitudeSouth != shown.latitudeSouth)
        w.nLatitude = SignedMicrodegrees(
            positions.ParseCoordinateDigits(FilledDigits(latitudeDigits)), latitudeSouth == 1);
    if (longitudeDigits != shown.longitudeDigits || longitudeWest != shown.longitudeWest)
        w.nLongitude = SignedMicrodegrees(
            positions.ParseCoordinateDigits(FilledDigits(longitudeDigits)), longitudeWest == 1);
    double metres = ParseRealPrefix(altitude);
    if (AltitudeInFeet(units))
        metres *= units::kMetresPerFoot;
    w.fAltitude = static_cast<float>(metres);
    w.icon = icon;
    w.bActiveWaypoint = active ? 1 : 0;
    w.dActiveWPDistance = units.MetresFromSmallDistance(ParseRealPrefix(triggerDistance)) * 0.001;
    w.strSoundFile = soundFile;
    w.nActiveWaypointMessageType = messageType;
    const bool stateChanged =
        w.nGeocacheState != geocacheState || w.bUseGeocacheStateForIconID != (useStateIcon ? 1 : 0);
    w.nGeocacheState = geocacheState;
    w.bUseGeocacheStateForIconID = useStateIcon ? 1 : 0;
    if (stateChanged)
        WaypointSymbol::KeepStateSymbol(w, openedAt);
    w.timeGeochacheFound = static_cast<int32_t>(foundTime);
    w.strURL = url;
    w.strComment = comment;
    w.strFieldNotes = fieldNotes;
    w.geocache.bFieldNotePending = fieldNotePending ? 1 : 0;
}

void MultiEditValues::ApplyTo(Waypoint& w) const
{
    if (symbolChanged)
        w.icon = values.icon;
    if (stateChanged) {
        w.nGeocacheState = values.nGeocacheState;
        w.bUseGeocacheStateForIconID = values.bUseGeocacheStateForIconID;
        WaypointSymbol::KeepStateSymbol(w, changedAt);
    }
    if (alarmChanged) {
        w.bActiveWaypoint = values.bActiveWaypoint;
        w.dActiveWPDistance = values.dActiveWPDistance;
        w.strSoundFile = values.strSoundFile;
        w.nActiveWaypointMessageType = values.nActiveWaypointMessageType;
    }
}

} // namespace hw
