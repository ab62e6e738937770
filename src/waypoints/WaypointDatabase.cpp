#include "waypoints/WaypointDatabase.h"

#include "base/FormatString.h"
#include "geo/SphericalGeometry.h"
#include "waypoints/WaypointTables.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace hw {
namespace {

Waypoint EmptyTarget()
{
    Waypoint w;
    w.strName.clear();
    return w;
}

// Symbol, state and message indices name table entries everywhere the
// record is shown: a value from a damaged or hostile file becomes 0.
void KeepIndicesInTables(Waypoint& w)
{
    if (w.icon < 0 || w.icon >= kSymbolCount)
        w.icon = 0;
    if (w.nGeocacheState < 0 || w.nGeocacheState >= kGeocacheStateCount)
        w.nGeocacheState = 0;
    if (w.nActiveWaypointMessageType < 0 ||
        w.nActiveWaypointMessageType >= kActiveWaypointMessageTypeCount)
        w.nActiveWaypointMessageType = 0;
}

// Stamps of states, unique in the process: a save told late never takes one
// database's state for another's.
uint64_t NextStamp()
{
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

WaypointDatabase::WaypointDatabase()
    : cells_(kCellCount), changeStamp_(NextStamp()), savedStamp_(changeStamp_),
      target_(EmptyTarget())
{
}

WaypointDatabase::Snapshot::~Snapshot()
{
#if defined(__SANITIZE_THREAD__)
    for (const std::shared_ptr<const CellList>& cell : cells_)
        if (cell)
            __tsan_release(const_cast<CellList*>(cell.get()));
#endif
}

void WaypointDatabase::SetModified(bool modified)
{
    savedStamp_ = modified ? 0 : changeStamp_;
}

void WaypointDatabase::MarkSaved(uint64_t stamp)
{
    if (stamp == changeStamp_)
        savedStamp_ = stamp;
}

void WaypointDatabase::BindFile(const std::string& path,
                                const std::optional<FileIdentity>& identity)
{
    file_ = std::make_shared<FileGuard>();
    file_->Bind(path, identity);
}

void WaypointDatabase::Changed()
{
    changeStamp_ = NextStamp();
    ++revision_;
}

int WaypointDatabase::Add(const Waypoint& waypoint)
{
    if (NameExists(waypoint.strName))
        return 0;
    return AddUnchecked(waypoint);
}

int WaypointDatabase::AddUnchecked(const Waypoint& waypoint)
{
    int cell = CellIndex(waypoint.nLatitude, waypoint.nLongitude);
    if (cell < 0)
        return -1;
    return Store(Waypoint(waypoint), cell, false);
}

int WaypointDatabase::AddUnchecked(Waypoint&& waypoint)
{
    int cell = CellIndex(waypoint.nLatitude, waypoint.nLongitude);
    if (cell < 0)
        return -1;
    return Store(std::move(waypoint), cell, false);
}

int WaypointDatabase::AddLoaded(Waypoint&& waypoint)
{
    int cell = CellIndex(waypoint.nLatitude, waypoint.nLongitude);
    if (cell < 0)
        return -1;
    return Store(std::move(waypoint), cell, true);
}

const WaypointDatabase::CellList& WaypointDatabase::EmptyCell()
{
    static const CellList empty;
    return empty;
}

WaypointDatabase::CellList& WaypointDatabase::MutableCell(int index)
{
    std::shared_ptr<CellList>& cell = cells_[static_cast<size_t>(index)];
    if (!cell)
        cell = std::make_shared<CellList>();
    else if (cell.use_count() > 1)
        cell = std::make_shared<CellList>(*cell);
    else {
        // The last snapshot that shared the cell was let go, perhaps on the
        // writer's thread: its reads of the cell come before these writes.
#if defined(__SANITIZE_THREAD__)
        __tsan_acquire(cell.get());
#else
        std::atomic_thread_fence(std::memory_order_acquire);
#endif
    }
    return *cell;
}

WaypointDatabase::Snapshot WaypointDatabase::TakeSnapshot() const
{
    Snapshot s;
    s.cells_.reserve(cells_.size());
    for (const std::shared_ptr<CellList>& cell : cells_)
        s.cells_.push_back(cell);
    s.count_ = count_;
    s.stamp_ = changeStamp_;
    s.file_ = file_;
    return s;
}

int WaypointDatabase::Store(Waypoint&& waypoint, int cell, bool loaded)
{
    CellList& list = MutableCell(cell);
    list.push_back(std::move(waypoint));
    Waypoint& stored = list.back();
    KeepIndicesInTables(stored);
    if (!loaded)
        stored.file.asInFile = false;
    stored.nSerial = nextSerial_++;
    SetCellOfSerial(stored.nSerial, cell);
    serialsByName_[stored.strName].push_back(stored.nSerial);
    ++count_;
    Changed();
    return stored.nSerial;
}

WaypointDatabase::Location WaypointDatabase::Locate(int serial) const
{
    if (serial <= 0 || static_cast<size_t>(serial) >= cellOfSerial_.size())
        return {};
    const int cell = cellOfSerial_[static_cast<size_t>(serial)];
    if (cell < 0)
        return {};
    const CellList& list = Cell(cell);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].nSerial == serial)
            return {cell, i};
    return {};
}

void WaypointDatabase::Unindex(const Waypoint& stored)
{
    SetCellOfSerial(stored.nSerial, -1);
    auto it = serialsByName_.find(stored.strName);
    if (it == serialsByName_.end())
        return;
    std::erase(it->second, stored.nSerial);
    if (it->second.empty())
        serialsByName_.erase(it);
}

void WaypointDatabase::SetCellOfSerial(int serial, int cell)
{
    const size_t at = static_cast<size_t>(serial);
    if (at >= cellOfSerial_.size())
        cellOfSerial_.resize(std::max(at + 1, 2 * cellOfSerial_.size()), -1);
    cellOfSerial_[at] = cell;
}

void WaypointDatabase::Erase(const Location& at)
{
    CellList& list = MutableCell(at.cell);
    Unindex(list[at.index]);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(at.index));
    --count_;
}

int WaypointDatabase::FirstSerialNamed(std::string_view name) const
{
    auto it = serialsByName_.find(name);
    if (it == serialsByName_.end())
        return 0;
    // Several records may share a name when a file held them so: the first
    // in database order wins.
    int best = 0;
    Location bestAt;
    for (int serial : it->second) {
        Location at = Locate(serial);
        if (best == 0 || at.cell < bestAt.cell ||
            (at.cell == bestAt.cell && at.index < bestAt.index)) {
            best = serial;
            bestAt = at;
        }
    }
    return best;
}

int WaypointDatabase::MoveInto(const Location& at, const Waypoint& waypoint, int cell)
{
    CellList& list = MutableCell(at.cell);
    int serial = list[at.index].nSerial;
    Unindex(list[at.index]);
    Waypoint* stored = nullptr;
    if (cell == at.cell) {
        // Same cell: overwrite in place, keeping the insertion order.
        stored = &list[at.index];
        *stored = waypoint;
    } else {
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(at.index));
        CellList& target = MutableCell(cell);
        target.push_back(waypoint);
        stored = &target.back();
    }
    stored->nSerial = serial;
    stored->file.asInFile = false;
    KeepIndicesInTables(*stored);
    SetCellOfSerial(serial, cell);
    serialsByName_[waypoint.strName].push_back(serial);
    Changed();
    return serial;
}

int WaypointDatabase::ReplaceByName(const Waypoint& waypoint)
{
    int serial = FirstSerialNamed(waypoint.strName);
    if (serial == 0)
        return 0;
    int cell = CellIndex(waypoint.nLatitude, waypoint.nLongitude);
    if (cell < 0)
        return -1;
    return MoveInto(Locate(serial), waypoint, cell);
}

int WaypointDatabase::ReplaceBySerial(int serial, const Waypoint& waypoint)
{
    Location at = Locate(serial);
    if (at.cell < 0)
        return 0;
    // A record keeps its name even when a loaded file repeats it; only a
    // rename onto another record's name is refused.
    const Waypoint& stored = Cell(at.cell)[at.index];
    auto named = serialsByName_.find(waypoint.strName);
    if (waypoint.strName != stored.strName && named != serialsByName_.end() &&
        std::any_of(named->second.begin(), named->second.end(),
                    [serial](int other) { return other != serial; }))
        return 0;
    int cell = CellIndex(waypoint.nLatitude, waypoint.nLongitude);
    if (cell < 0)
        return -1;
    return MoveInto(at, waypoint, cell);
}

bool WaypointDatabase::FindBySerial(int serial, Waypoint& out) const
{
    const Waypoint* stored = StoredBySerial(serial);
    out = stored ? stored->WithTexts() : Waypoint();
    return stored != nullptr;
}

const Waypoint* WaypointDatabase::StoredBySerial(int serial) const
{
    Location at = Locate(serial);
    if (at.cell < 0)
        return nullptr;
    return &Cell(at.cell)[at.index];
}

bool WaypointDatabase::NameExists(std::string_view name) const
{
    return serialsByName_.find(name) != serialsByName_.end();
}

int WaypointDatabase::DeleteBySerial(int serial)
{
    Location at = Locate(serial);
    if (at.cell < 0)
        return 0;
    Erase(at);
    Changed();
    return 1;
}

std::string WaypointDatabase::NewAutomaticName() const
{
    for (int n = 0;; ++n) {
        std::string name = FormatString("WPT %05d", n);
        if (!NameExists(name))
            return name;
    }
}

void WaypointDatabase::Clear()
{
    if (count_ == 0)
        return;
    for (std::shared_ptr<CellList>& cell : cells_)
        cell.reset();
    const bool modified = IsModified();
    Changed();
    SetModified(modified);
    cellOfSerial_.clear();
    serialsByName_.clear();
    count_ = 0;
}

int WaypointDatabase::CheckProximity(const GeoPoint& position, Waypoint& out)
{
    constexpr int32_t kReach = 1000;
    // A walk of its own, so that an alarm check never disturbs a caller's
    // area walk.
    CellArea area;
    area.Begin({position.lat - kReach, position.lon - kReach, 0},
               {position.lat + kReach, position.lon + kReach, 0});
    for (int cell = area.Next(); cell >= 0; cell = area.Next()) {
        // The fired flag is a runtime field, set in place: snapshots never
        // read it.
        const std::shared_ptr<CellList>& list = cells_[static_cast<size_t>(cell)];
        if (!list)
            continue;
        for (Waypoint& w : *list) {
            if (w.bActiveWaypoint != 1)
                continue;
            double km = DistanceKmMicro({w.nLatitude, w.nLongitude, 0}, position);
            if (!(km <= w.dActiveWPDistance)) {
                w.bAlarmTriggered = 0;
            } else if (w.bAlarmTriggered == 0) {
                w.bAlarmTriggered = 1;
                out = w;
                return 1;
            }
        }
    }
    return 0;
}

void WaypointDatabase::SetTarget(const Waypoint& waypoint, const GeoPoint& start)
{
    target_ = waypoint;
    target_.bArrived = 0;
    targetStart_ = start;
    ++targetsSet_;
}

void WaypointDatabase::SetTargetActive(int active)
{
    targetActive_ = active;
    if (active == 0)
        target_ = EmptyTarget();
}

} // namespace hw
