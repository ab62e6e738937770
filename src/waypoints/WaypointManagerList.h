#pragma once

#include "geo/GeoPoint.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hw {

class UnitFormatter;
class Waypoint;
class WaypointDatabase;

// The rows of the waypoint list: all waypoints or those near a position,
// passed through the text filter, with their distances, sorted by a column
// kind (stably: equal keys keep the order they had). Rows refer to stored
// waypoints by serial id.
//
// The waypoints in range and their distances are kept, in the order of the
// sorts applied to them, between builds: a change of the filter text alone
// only filters them again, and a text that extends the last one only
// narrows the rows.
class WaypointManagerList {
public:
    enum Mode { kAll = 0, kNearby = 1 };
    struct Query {
        int mode = kNearby;
        double maxDistanceKm = 0; // mode 1
        GeoPoint here;
        bool filterOn = false;
        bool caseSensitive = false;
        std::string text;
        // When not empty, only these waypoints are listed (the ones under a
        // tap), whatever their distance.
        std::vector<int> only;
    };
    struct Row {
        int serial = 0;
        double distanceKm = 0;
        const Waypoint* record = nullptr; // valid while the database's revision holds
        size_t order = 0;                 // place among the waypoints in range
    };

    // Rebuilds the rows from the database and sorts them by the current sort
    // kind. The distances stay in the rows: the stored records may be shared
    // with a copy of the database that another thread reads.
    void Build(WaypointDatabase& db, const Query& query);
    // Sorts by a column kind, ascending; -1 keeps database order.
    void Sort(const WaypointDatabase& db, int kind);
    int SortKind() const { return sortKind_; }

    const std::vector<Row>& Rows() const { return rows_; }
    // The stored record of a row; null when it is no longer stored.
    const Waypoint* Record(const WaypointDatabase& db, const Row& row) const;
    int Count() const { return static_cast<int>(rows_.size()); }

    // Whether a waypoint passes the text filter.
    static bool Passes(const Waypoint& w, const Query& query);
    // The text a column kind shows for a waypoint at a distance.
    static std::string CellText(const Waypoint& w, double distanceKm, int kind,
                                const UnitFormatter& units);
    // "%.01f" from 10 on, else "%.02f", in the automatic distance unit.
    static std::string DistanceText(double km, const UnitFormatter& units);

private:
    // The waypoints the query's mode, distance and position select.
    void Collect(WaypointDatabase& db, const Query& query);
    bool SameSelection(const WaypointDatabase& db, const Query& query) const;
    void SortRows(const WaypointDatabase& db, std::vector<Row>& rows, int kind) const;

    // The waypoints in range, in the order of the sorts since they were
    // collected; rows_ is the ones among them that pass query_'s filter, in
    // the same order.
    std::vector<Row> candidates_;
    bool collected_ = false;
    Query query_;
    std::vector<Row> rows_;
    uint64_t revision_ = 0;
    int sortKind_ = 0;
};

} // namespace hw
