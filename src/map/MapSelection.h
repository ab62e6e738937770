#pragma once

#include <cstddef>
#include <vector>

namespace hw {

class WaypointDatabase;

// The waypoints under the last tap on the map, by serial: the commands on
// "this" waypoint act on it, and are disabled while it is empty.
class MapSelection {
public:
    void Clear() { serials_.clear(); }
    std::vector<int>& Serials() { return serials_; }
    const std::vector<int>& Serials() const { return serials_; }
    bool Empty() const { return serials_.empty(); }
    size_t Count() const { return serials_.size(); }
    // More than one waypoint: the user is asked to choose from a list.
    bool NeedsChoice() const { return serials_.size() > 1; }
    // "已找到" is checked when the one selected waypoint's geocache state is
    // found (1) or found and logged (5).
    bool FoundChecked(const WaypointDatabase& db) const;
    // Drops serials no longer in the database (after a delete).
    void Prune(const WaypointDatabase& db);

private:
    std::vector<int> serials_;
};

} // namespace hw
