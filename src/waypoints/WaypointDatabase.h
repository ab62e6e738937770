#pragma once

#include "base/FileGuard.h"
#include "geo/GeoPoint.h"
#include "waypoints/CellArea.h"
#include "waypoints/Waypoint.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hw {

// All waypoints of the program in a 200 x 200 grid of 0.1 degree cells that
// repeats every 20 degrees, with serial ids, a modified flag and the
// navigation target slot.
//
// Whole-database order is cells 0..39,999, and insertion order in a cell.
// A stored record's symbol, state and message indices always name entries
// of their tables (an index outside is stored as 0).
//
// Cells are shared with snapshots and copies, and copied only when one of
// them changes: a snapshot for a save costs a pointer per cell, and the
// records it holds stay as they were while the database changes on.
class WaypointDatabase {
public:
    // A cell's records. A deque: a record, about a kilobyte, is never moved
    // when the cell grows, so that a large import does not copy its cells
    // over and over.
    using CellList = std::deque<Waypoint>;

    static constexpr int kCellCount = CellArea::kCellCount;

    // The records as they were at one moment, in whole-database order; safe
    // to read on another thread while the database changes.
    class Snapshot {
    public:
        Snapshot() = default;
        Snapshot(const Snapshot&) = default;
        Snapshot(Snapshot&&) noexcept = default;
        Snapshot& operator=(const Snapshot&) = default;
        Snapshot& operator=(Snapshot&&) noexcept = default;
        // Tells the thread sanitizer that the cells are let go after every
        // read of them (see MutableCell).
        ~Snapshot();

        int Count() const { return count_; }
        // The database's change stamp when it was taken (MarkSaved).
        uint64_t Stamp() const { return stamp_; }
        // The file the database belongs to.
        const std::shared_ptr<FileGuard>& File() const { return file_; }
        template <typename Visit> void ForEach(Visit&& visit) const
        {
            for (const std::shared_ptr<const CellList>& cell : cells_)
                if (cell)
                    for (const Waypoint& w : *cell)
                        visit(w);
        }

    private:
        friend class WaypointDatabase;
        std::vector<std::shared_ptr<const CellList>> cells_;
        int count_ = 0;
        uint64_t stamp_ = 0;
        std::shared_ptr<FileGuard> file_;
    };

    WaypointDatabase();

    // Stores a copy under the next serial id and returns that id; 0 when a
    // stored waypoint has the same name; -1 when the position lies outside
    // the grid.
    int Add(const Waypoint& waypoint);
    // As Add, without the name check (loaders take names as a file has them).
    int AddUnchecked(const Waypoint& waypoint);
    int AddUnchecked(Waypoint&& waypoint);
    // As AddUnchecked, for a record just read from the database file: it
    // keeps its place in the file (Waypoint::file).
    int AddLoaded(Waypoint&& waypoint);
    // Overwrites the first stored waypoint (database order) with that name,
    // keeping its serial id; the record moves to the cell of its new
    // position. Returns the serial id, 0 when no name matches, -1 when the
    // new position lies outside the grid (nothing changes).
    int ReplaceByName(const Waypoint& waypoint);
    // Overwrites the waypoint with that serial id (an edit, which may rename
    // it). Returns the serial id; 0 when the serial is unknown or it is
    // renamed to a name another waypoint has; -1 when the position lies
    // outside the grid.
    int ReplaceBySerial(int serial, const Waypoint& waypoint);
    // Copies the stored waypoint out with all its texts (WithTexts); a
    // default record when there is none.
    bool FindBySerial(int serial, Waypoint& out) const;
    // The stored record, or nullptr. Valid until the next change. Its long
    // geocache texts may still be in the file (Waypoint::WithTexts).
    const Waypoint* StoredBySerial(int serial) const;
    bool NameExists(const Waypoint& waypoint) const { return NameExists(waypoint.strName); }
    bool NameExists(std::string_view name) const;
    // 1 when found and removed, 0 otherwise.
    int DeleteBySerial(int serial);
    // The first of "WPT 00000", "WPT 00001", ... that no waypoint uses.
    std::string NewAutomaticName() const;
    // Empties every cell; serial ids keep counting.
    void Clear();

    int Count() const { return count_; }
    // Modified until a save of the very state it is in has succeeded.
    bool IsModified() const { return changeStamp_ != savedStamp_; }
    void SetModified(bool modified);
    // Changes with every change of the records, and is never the same for
    // two states of any database of the process.
    uint64_t ChangeStamp() const { return changeStamp_; }
    // A save of the state of that stamp reached the disk: the database is
    // no longer modified, unless it has changed since.
    void MarkSaved(uint64_t stamp);
    // The file the database was loaded from or last saved to, as it was
    // then; copies share it.
    FileGuard& File() const { return *file_; }
    // The database now belongs to the file at path, as identity tells (none:
    // there was no file); copies made before keep the file they had.
    void BindFile(const std::string& path, const std::optional<FileIdentity>& identity);

    // The grid.
    static int CellIndex(int32_t lat, int32_t lon) { return CellArea::CellIndex(lat, lon); }
    const CellList& Cell(int index) const
    {
        const std::shared_ptr<CellList>& cell = cells_[static_cast<size_t>(index)];
        return cell ? *cell : EmptyCell();
    }
    // Walks the cells covering the box between two corners: NextCell returns
    // each cell index once, then -1. A cell also holds waypoints 20 degrees
    // away: callers filter by position.
    void BeginArea(const GeoPoint& corner1, const GeoPoint& corner2)
    {
        area_.Begin(corner1, corner2);
    }
    int NextCell() { return area_.Next(); }
    // Visits every waypoint in whole-database order.
    template <typename Visit> void ForEach(Visit&& visit) const
    {
        for (const std::shared_ptr<CellList>& cell : cells_)
            if (cell)
                for (const Waypoint& w : *cell)
                    visit(w);
    }
    Snapshot TakeSnapshot() const;
    // Counts the changes that may move stored records: a pointer to a
    // record stays valid while the revision is the same.
    uint64_t Revision() const { return revision_; }

    // The proximity alarm at a position: the first waypoint with an enabled
    // alarm that the position has newly entered is marked as fired, copied
    // out, and 1 returned; a waypoint re-arms once the position has left its
    // radius. Looks only within 0.001 degree of the position.
    int CheckProximity(const GeoPoint& position, Waypoint& out);

    // The navigation target slot.
    void SetTarget(const Waypoint& waypoint, const GeoPoint& start);
    // 0 also resets the target to a default record with an empty name.
    void SetTargetActive(int active);
    int IsTargetActive() const { return targetActive_; }
    const Waypoint& Target() const { return target_; }
    const GeoPoint& TargetStart() const { return targetStart_; }
    // Counts the gotos started, the same target again included.
    uint64_t TargetsSet() const { return targetsSet_; }
    void SetTargetArrived(int arrived) { target_.bArrived = arrived; }

private:
    struct Location {
        int cell = -1;
        size_t index = 0;
    };
    static const CellList& EmptyCell();
    // The cell to change: copied first while a snapshot or copy shares it.
    CellList& MutableCell(int index);
    Location Locate(int serial) const;
    int Store(Waypoint&& waypoint, int cell, bool loaded);
    void Unindex(const Waypoint& stored);
    void Erase(const Location& at);
    int FirstSerialNamed(std::string_view name) const;
    int MoveInto(const Location& at, const Waypoint& waypoint, int cell);
    void SetCellOfSerial(int serial, int cell);
    void Changed();

    std::vector<std::shared_ptr<CellList>> cells_; // empty cells hold none
    int count_ = 0;
    int nextSerial_ = 1;
    uint64_t changeStamp_ = 0;
    uint64_t savedStamp_ = 0;
    uint64_t revision_ = 0;
    std::shared_ptr<FileGuard> file_ = std::make_shared<FileGuard>();
    // serial -> cell (-1: none; serials are given in order and never
    // again), and name -> serials, so that lookups do not walk the grid
    std::vector<int> cellOfSerial_;
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, std::vector<int>, NameHash, std::equal_to<>> serialsByName_;

    int targetActive_ = 0;
    Waypoint target_;
    GeoPoint targetStart_;
    uint64_t targetsSet_ = 0;

    CellArea area_;
};

} // namespace hw
