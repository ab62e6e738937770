#pragma once

#include "waypoints/Waypoint.h"

namespace hw {

class WaypointDatabase;

// The edit sheet as the editing commands see it: it edits a waypoint in
// place and says whether the user confirmed, and it tells the user that a
// name is taken.
class WaypointSheet {
public:
    virtual ~WaypointSheet() = default;
    // Opens the sheet on w with the given page first; true on OK, when w
    // holds the edited values.
    virtual bool Edit(Waypoint& w, int startPage) = 0;
    // "错误 - 路点名字重复。请为此路点选择一个不同的名字."
    virtual void ShowDuplicateName() = 0;
    // "错误 - 不能够增加路点.": the database cannot hold the position.
    virtual void ShowCannotAdd() = 0;
};

// The pages of the edit sheet, in tab order.
enum WaypointSheetPage {
    kPageSettings = 0,
    kPageAlarm = 1,
    kPageGeocache = 2,
    kPageComment = 3,
    kPageFieldNotes = 4,
};

// Editing stored and new waypoints through the sheet, with the name check:
// a name another waypoint has (or a position outside the grid) is refused
// and the sheet reopens on what the user typed, until the user picks a free
// name or cancels.
class WaypointEditing {
public:
    // Edits the stored waypoint; true when it changed. Cancel changes nothing.
    static bool EditStored(WaypointDatabase& db, int serial, int startPage, WaypointSheet& sheet);
    // Opens the sheet on a proposed new waypoint and adds what the user
    // confirmed: its serial id; 0 when cancelled. A position the database
    // cannot hold is refused and the sheet reopens, as for a taken name.
    static int AddNew(WaypointDatabase& db, Waypoint proposed, WaypointSheet& sheet);
};

} // namespace hw
