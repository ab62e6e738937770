#include "waypoints/WaypointManagerList.h"

#include "base/FormatString.h"
#include "base/LocalTime.h"
#include "geo/SphericalGeometry.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointTables.h"

#include <algorithm>
#include <numeric>

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

// The place of each symbol's upper-cased name, as the list shows it (in the
// interface language), in the sorted names: symbols sort by it without
// comparing texts.
std::vector<int> SymbolRanks()
{
    std::vector<std::string> names;
    for (int i = 0; i < kSymbolCount; ++i)
        names.push_back(Upper(ShownTableName(SymbolName(i))));
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> ranks;
    for (const std::string& name : names)
        ranks.push_back(static_cast<int>(std::lower_bound(sorted.begin(), sorted.end(), name) -
                                         sorted.begin()));
    return ranks;
}

int SymbolRank(const std::vector<int>& ranks, int icon)
{
    return ranks[static_cast<size_t>(icon >= 0 && icon < kSymbolCount ? icon : 0)];
}

bool PassesAll(const WaypointManagerList::Query& q)
{
    return !q.filterOn || q.text.empty();
}

// Whatever passes `next` passed `last`.
bool Narrows(const WaypointManagerList::Query& last, const WaypointManagerList::Query& next)
{
    return PassesAll(last) || (!PassesAll(next) && next.caseSensitive == last.caseSensitive &&
                               next.text.find(last.text) != std::string::npos);
}

} // namespace

bool WaypointManagerList::SameSelection(const WaypointDatabase& db, const Query& query) const
{
    return collected_ && db.Revision() == revision_ && query.mode == query_.mode &&
           query.maxDistanceKm == query_.maxDistanceKm && query.here.lat == query_.here.lat &&
           query.here.lon == query_.here.lon && query.only == query_.only;
}

void WaypointManagerList::Collect(WaypointDatabase& db, const Query& query)
{
    candidates_.clear();
    const auto consider = [&](const Waypoint& w) {
        const double km = DistanceKmMicro(query.here, {w.nLatitude, w.nLongitude, 0});
        if (query.mode == kNearby && query.only.empty() && km > query.maxDistanceKm)
            return;
        candidates_.push_back({w.nSerial, km, &w, candidates_.size()});
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
    collected_ = true;
    if (sortKind_ >= 0)
        SortRows(db, candidates_, sortKind_);
}

void WaypointManagerList::Build(WaypointDatabase& db, const Query& query)
{
    const bool same = SameSelection(db, query);
    if (!same)
        Collect(db, query);
    if (same && Narrows(query_, query)) {
        std::erase_if(rows_, [&](const Row& row) { return !Passes(*row.record, query); });
    } else {
        rows_.clear();
        for (const Row& row : candidates_)
            if (Passes(*row.record, query))
                rows_.push_back(row);
    }
    query_ = query;
}

const Waypoint* WaypointManagerList::Record(const WaypointDatabase& db, const Row& row) const
{
    // The database changed since the list was built: look the record up.
    return db.Revision() == revision_ ? row.record : db.StoredBySerial(row.serial);
}

void WaypointManagerList::Sort(const WaypointDatabase& db, int kind)
{
    sortKind_ = kind;
    if (kind < 0)
        return;
    if (db.Revision() != revision_) {
        // Rows whose waypoint is gone leave the list; the next build
        // collects afresh.
        std::erase_if(rows_, [&](const Row& row) { return Record(db, row) == nullptr; });
        collected_ = false;
        SortRows(db, rows_, kind);
        return;
    }
    // The candidates are sorted, and the rows taken from them in their new
    // order: the same order as sorting the rows themselves.
    std::vector<bool> listed(candidates_.size(), false);
    for (const Row& row : rows_)
        listed[row.order] = true;
    SortRows(db, candidates_, kind);
    rows_.clear();
    for (const Row& row : candidates_)
        if (listed[row.order])
            rows_.push_back(row);
}

void WaypointManagerList::SortRows(const WaypointDatabase& db, std::vector<Row>& rows,
                                   int kind) const
{
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const auto sortBy = [&](const auto& keys) {
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    };
    switch (kind) {
    case kColumnDistance: {
        std::vector<double> keys;
        keys.reserve(rows.size());
        for (const Row& row : rows)
            keys.push_back(row.distanceKm);
        sortBy(keys);
        break;
    }
    case kColumnTimeFound:
    case kColumnSymbol: {
        std::vector<int64_t> keys;
        keys.reserve(rows.size());
        const std::vector<int> ranks = kind == kColumnSymbol ? SymbolRanks() : std::vector<int>();
        for (const Row& row : rows) {
            const Waypoint* w = Record(db, row);
            keys.push_back(kind == kColumnSymbol ? SymbolRank(ranks, w->icon)
                                                 : w->timeGeochacheFound);
        }
        sortBy(keys);
        break;
    }
    default: {
        // Texts compare upper-cased; the keys are made once, not per comparison.
        std::vector<std::string> keys;
        keys.reserve(rows.size());
        for (const Row& row : rows)
            keys.push_back(Upper(SortText(*Record(db, row), kind)));
        sortBy(keys);
        break;
    }
    }
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.push_back(rows[i]);
    rows = std::move(sorted);
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
