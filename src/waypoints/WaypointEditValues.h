#pragma once

#include "waypoints/Waypoint.h"

#include <array>
#include <cstdint>
#include <string>

namespace hw {

class PositionFormatter;
class UnitFormatter;

// The texts and choices of the edit sheet "编辑路点" for one waypoint, and
// their reading back: what the five pages show, in the user's units and
// position format.
struct WaypointEditValues {
    // The message types in the order the alarm page lists them.
    static constexpr std::array<int, 6> kMessageTypeOrder = {0, 3, 2, 5, 1, 4};

    // "设定"
    std::string name;
    std::string latitudeMask;
    std::string latitudeDigits; // the masked field's editable characters
    int latitudeSouth = 0;      // hemisphere choice: 0 N, 1 S
    std::string longitudeMask;
    std::string longitudeDigits;
    int longitudeWest = 0; // 0 E, 1 W
    std::string altitude;  // "%f" in the altitude unit
    std::string altitudeUnit;
    int icon = 0;
    // "激活路点"
    int active = 0;
    std::string triggerDistance; // "%.02f" in the small distance unit
    std::string smallDistanceUnit;
    std::string soundFile;
    int messageType = 0;
    // "Geocache"
    int geocacheState = 0;
    int useStateIcon = 0;
    int64_t foundTime = 0; // the picker's time: the found time, or now when unset
    std::string url;
    // "注释/描述", "区域注释"
    std::string comment;
    std::string fieldNotes;
    int fieldNotePending = 0;
    int64_t openedAt = 0; // the now the values were made at: a changed state's symbol

    // The values a waypoint shows; now fills the found-time picker of a
    // waypoint never found.
    static WaypointEditValues From(const Waypoint& w, const PositionFormatter& positions,
                                   const UnitFormatter& units, int64_t now);
    // Writes the values back into the waypoint they were made from; fields
    // the sheet does not show, and coordinates left as shown, stay as they
    // are.
    void ApplyTo(Waypoint& w, const PositionFormatter& positions, const UnitFormatter& units) const;
};

// The sheet "编辑多个路点": a default record with the values chosen, and the
// groups marked as changed.
struct MultiEditValues {
    Waypoint values;
    bool symbolChanged = false;
    bool stateChanged = false;
    bool alarmChanged = false;
    int64_t changedAt = 0; // the moment of the change: a changed state's symbol

    // Applies the changed groups to one selected waypoint.
    void ApplyTo(Waypoint& w) const;
};

} // namespace hw
