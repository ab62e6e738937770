#include "waypoints/WaypointManagerList.h"

#include "base/FormatString.h"
#include "base/LocalTime.h"
#include "map/SphericalGeometry.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointTables.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace hw {
namespace {

constexpr double kMilesPerKmExact = 0.621371192237334;

// ASCII letters upper-cased; other bytes (UTF-8 sequences among them) stay.
std::string Upper(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool Contains(const std::string& haystack, const std::string& needle, bool caseSensitive)
{
    if (caseSensitive)
        return haystack.find(needle) != std::string::npos;
    const auto equal = [](char a, char b) {
        const auto up = [](char c) {
            return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        };
        return up(a) == up(b);
    };
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), equal) !=
           haystack.end();
}

// The text a row sorts by under a text kind.
const std::string& SortText(const Waypoint& w, int kind)
{
    static const std::string none;
    switch (kind) {
    case kColumnName: return w.strName;
    case kColumnComment: return w.strComment;
    case kColumnFieldNotes: return w.strFieldNotes;
    default: return none;
    }
}

} // namespace

void WaypointManagerList::Build(WaypointDatabase& db, const Query& query)
{
    rows_.clear();
    const auto consider = [&](const Waypoint& w) {
        const double km = DistanceKmMicro(query.here, {w.nLatitude, w.nLongitude, 0});
        if (query.mode == kNearby && query.only.empty() && km > query.maxDistanceKm)
            return;
        if (!Passes(w, query))
            return;
        rows_.push_back({w.nSerial, km, &w});
    };
    if (!query.only.empty()) {
        for (int serial : query.only)
            if (const Waypoint* w = db.StoredBySerial(serial))
                consider(*w);
    } else if (query.mode == kNearby) {
        // The box of the distance around the position, then the exact test.
        const GeoPoint east = ProjectPoint(query.here, query.maxDistanceKm, 90);
        const GeoPoint north = ProjectPoint(query.here, query.maxDistanceKm, 0);
        const int32_t dLon = std::abs(east.lon - query.here.lon);
        const int32_t dLat = std::abs(north.lat - query.here.lat);
        db.BeginArea({query.here.lat - dLat, query.here.lon - dLon, 0},
                     {query.here.lat + dLat, query.here.lon + dLon, 0});
        for (int cell = db.NextCell(); cell >= 0; cell = db.NextCell())
            for (const Waypoint& w : db.Cell(cell))
                consider(w);
    } else {
        db.ForEach(consider);
    }
    revision_ = db.Revision();
    for (const Row& row : rows_)
        db.SetListDistance(*row.record, row.distanceKm);
    Sort(db, sortKind_);
}

const Waypoint* WaypointManagerList::Record(const WaypointDatabase& db, const Row& row) const
{
    // The database changed since the list was built: look the record up.
    return db.Revision() == revision_ ? row.record : db.StoredBySerial(row.serial);
}

void WaypointManagerList::Sort(const WaypointDatabase& db, int kind)
{
    sortKind_ = kind;
    if (kind < 0 || rows_.empty())
        return;
    // Rows whose waypoint is gone leave the list.
    std::erase_if(rows_, [&](const Row& row) { return Record(db, row) == nullptr; });
    std::vector<const Waypoint*> records;
    records.reserve(rows_.size());
    for (const Row& row : rows_)
        records.push_back(Record(db, row));
    std::vector<size_t> order(rows_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const auto sortBy = [&](auto less) { std::stable_sort(order.begin(), order.end(), less); };
    switch (kind) {
    case kColumnDistance:
        sortBy([&](size_t a, size_t b) { return rows_[a].distanceKm < rows_[b].distanceKm; });
        break;
    case kColumnTimeFound:
        sortBy([&](size_t a, size_t b) {
            return records[a]->timeGeochacheFound < records[b]->timeGeochacheFound;
        });
        break;
    default: {
        // Texts compare upper-cased; the keys are made once, not per comparison.
        std::vector<std::string> keys;
        keys.reserve(rows_.size());
        for (const Waypoint* w : records)
            keys.push_back(Upper(kind == kColumnSymbol ? ShownTableName(SymbolName(w->icon))
                                                       : SortText(*w, kind)));
        sortBy([&](size_t a, size_t b) { return keys[a] < keys[b]; });
        break;
    }
    }
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (size_t i : order)
        sorted.push_back(rows_[i]);
    rows_ = std::move(sorted);
}

bool WaypointManagerList::Passes(const Waypoint& w, const Query& query)
{
    if (!query.filterOn || query.text.empty())
        return true;
    return Contains(w.strName, query.text, query.caseSensitive) ||
           Contains(w.strFieldNotes, query.text, query.caseSensitive) ||
           Contains(w.strComment, query.text, query.caseSensitive);
}

std::string WaypointManagerList::DistanceText(double km, const UnitFormatter& units)
{
    const double miles = km * kMilesPerKmExact;
    const double shown = units.AutoDistanceFromMiles(miles);
    return FormatString(shown >= 10 ? "%.01f" : "%.02f", shown) + " " +
           units.AutoDistanceLabel(miles);
}

std::string WaypointManagerList::CellText(const Waypoint& w, double distanceKm, int kind,
                                          const UnitFormatter& units)
{
    switch (kind) {
    case kColumnName: return w.strName;
    case kColumnDistance: return DistanceText(distanceKm, units);
    case kColumnSymbol: return ShownTableName(SymbolName(w.icon));
    case kColumnComment: return w.strComment;
    case kColumnFieldNotes: return w.strFieldNotes;
    case kColumnTimeFound: {
        // A cache never found shows nothing rather than the first second of 1970.
        if (w.timeGeochacheFound == 0)
            return {};
        const std::tm t = LocalCalendar(w.timeGeochacheFound);
        return FormatString("%04d %02d/%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                            t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    }
    default: return "错误 - UNKNOWN FIELD";
    }
}

} // namespace hw
