#include "waypoints/WaypointEditing.h"

#include "waypoints/WaypointDatabase.h"

namespace hw {

bool WaypointEditing::EditStored(WaypointDatabase& db, int serial, int startPage,
                                 WaypointSheet& sheet)
{
    Waypoint edited;
    if (!db.FindBySerial(serial, edited))
        return false;
    const Waypoint original = edited;
    while (sheet.Edit(edited, startPage)) {
        if (edited.SameContent(original))
            return false;
        // In place, so that the waypoint keeps its serial id and a list that
        // shows it stays valid; a taken name leaves the stored record as it was.
        const int result = db.ReplaceBySerial(serial, edited);
        if (result > 0)
            return true;
        if (result < 0)
            sheet.ShowCannotAdd();
        else
            sheet.ShowDuplicateName();
    }
    return false;
}

int WaypointEditing::AddNew(WaypointDatabase& db, Waypoint proposed, WaypointSheet& sheet)
{
    while (sheet.Edit(proposed, kPageSettings)) {
        const int serial = db.Add(proposed);
        if (serial > 0)
            return serial;
        if (serial < 0)
            sheet.ShowCannotAdd();
        else
            sheet.ShowDuplicateName();
    }
    return 0;
}

} // namespace hw
