#include "waypoints/WaypointManagerCommands.h"

#include "base/FormatString.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointEditValues.h"

#include <algorithm>

namespace hw {
namespace {

bool AllStored(const WaypointDatabase& db, const std::vector<int>& serials)
{
    return std::all_of(serials.begin(), serials.end(),
                       [&](int serial) { return db.StoredBySerial(serial) != nullptr; });
}

} // namespace

WaypointManagerCommands::Check WaypointManagerCommands::CheckOne(int selected)
{
    if (selected <= 0)
        return {kNoneSelected, Icon::Error};
    if (selected > 1)
        return {kOnlyOne, Icon::Warning};
    return {};
}

bool WaypointManagerCommands::ApplyMultiEdit(WaypointDatabase& db, const std::vector<int>& serials,
                                             const MultiEditValues& values)
{
    if (!AllStored(db, serials))
        return false;
    for (int serial : serials) {
        Waypoint w;
        db.FindBySerial(serial, w);
        values.ApplyTo(w);
        // By serial: two records may share a name in a loaded file, and the
        // change belongs to the selected one.
        db.ReplaceBySerial(serial, w);
    }
    return true;
}

bool WaypointManagerCommands::DeleteAll(WaypointDatabase& db, const std::vector<int>& serials)
{
    if (!AllStored(db, serials))
        return false;
    for (int serial : serials)
        db.DeleteBySerial(serial);
    return true;
}

std::string WaypointManagerCommands::DeleteQuestion(int count)
{
    return FormatTranslated("WaypointManagerCommands", kDeleteQuestion, count);
}

} // namespace hw
