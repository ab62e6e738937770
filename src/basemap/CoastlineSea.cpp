#include "basemap/CoastlineSea.h"

#include "geo/LineClip.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>

namespace hw {
namespace {

bool Same(const RoadPoint& a, const RoadPoint& b)
{
    return a.lat == b.lat && a.lon == b.lon;
}

uint64_t Key(const RoadPoint& p)
{
    return uint64_t{static_cast<uint32_t>(p.lat)} << 32 | static_cast<uint32_t>(p.lon);
}

// Twice the signed area, positive for an anticlockwise ring (longitude x,
// latitude y).
double SignedArea(const std::vector<RoadPoint>& ring)
{
    double sum = 0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        sum += double(ring[i].lon) * ring[i + 1].lat - double(ring[i + 1].lon) * ring[i].lat;
    return sum;
}

// Where the segment a-b crosses the box's edge going from inside to out
// (or out to in), by Liang-Barsky: the part of a-b inside, if any.
std::optional<std::pair<RoadPoint, RoadPoint>> ClipSegment(const RoadBox& box, RoadPoint a,
                                                           RoadPoint b)
{
    const double dx = double(b.lon) - a.lon, dy = double(b.lat) - a.lat;
    const auto t =
        ClipParameters(a.lon, a.lat, dx, dy, box.minLon, box.minLat, box.maxLon, box.maxLat);
    if (!t)
        return std::nullopt;
    const auto [t0, t1] = *t;
    auto at = [&](double u) {
        return RoadPoint{static_cast<int32_t>(a.lat + dy * u + (dy * u >= 0 ? 0.5 : -0.5)),
                         static_cast<int32_t>(a.lon + dx * u + (dx * u >= 0 ? 0.5 : -0.5))};
    };
    RoadPoint p = t0 > 0 ? at(t0) : a, q = t1 < 1 ? at(t1) : b;
    // Rounding keeps the ends on the box.
    auto clamp = [&](RoadPoint& r) {
        r.lat = std::clamp(r.lat, box.minLat, box.maxLat);
        r.lon = std::clamp(r.lon, box.minLon, box.maxLon);
    };
    clamp(p), clamp(q);
    return std::pair{p, q};
}

// The parts of a coast inside the box.
std::vector<std::vector<RoadPoint>> ClipChain(const RoadBox& box,
                                              const std::vector<RoadPoint>& chain)
{
    std::vector<std::vector<RoadPoint>> parts;
    std::vector<RoadPoint> part;
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
        auto inside = ClipSegment(box, chain[i], chain[i + 1]);
        if (!inside) {
            if (!part.empty())
                parts.push_back(std::move(part)), part.clear();
            continue;
        }
        if (part.empty() || !Same(part.back(), inside->first)) {
            if (!part.empty())
                parts.push_back(std::move(part)), part.clear();
            part.push_back(inside->first);
        }
        part.push_back(inside->second);
        if (!Same(inside->second, chain[i + 1]))
            parts.push_back(std::move(part)), part.clear();
    }
    if (part.size() >= 2)
        parts.push_back(std::move(part));
    std::erase_if(parts, [](const auto& p) { return p.size() < 2; });
    return parts;
}

// The place of a point on the box's edge, measured clockwise from the
// north-west corner: north edge eastward, east edge southward, south edge
// westward, west edge northward.
double Perimeter(const RoadBox& b, const RoadPoint& p)
{
    const double w = double(b.maxLon) - b.minLon, h = double(b.maxLat) - b.minLat;
    if (p.lat == b.maxLat && p.lon < b.maxLon)
        return double(p.lon) - b.minLon;
    if (p.lon == b.maxLon && p.lat > b.minLat)
        return w + (double(b.maxLat) - p.lat);
    if (p.lat == b.minLat && p.lon > b.minLon)
        return w + h + (double(b.maxLon) - p.lon);
    return 2 * w + h + (double(p.lat) - b.minLat);
}

} // namespace

void CoastlineSea::AddWay(const std::vector<RoadPoint>& points)
{
    if (points.size() >= 2)
        ways_.push_back(points);
}

int32_t CoastlineSea::SnapDistance() const
{
    const int64_t side = std::min(int64_t{bounds_.maxLat} - bounds_.minLat,
                                  int64_t{bounds_.maxLon} - bounds_.minLon);
    return static_cast<int32_t>(std::clamp<int64_t>(side / 10, 500, 10000));
}

std::vector<std::vector<RoadPoint>> CoastlineSea::Chains() const
{
    // Ways joined where one ends and the next begins.
    std::multimap<uint64_t, std::size_t> byStart;
    for (std::size_t i = 0; i < ways_.size(); ++i)
        byStart.emplace(Key(ways_[i].front()), i);
    std::vector<bool> used(ways_.size(), false);
    std::vector<std::vector<RoadPoint>> chains;
    auto take = [&](const RoadPoint& at) -> std::optional<std::size_t> {
        auto [lo, hi] = byStart.equal_range(Key(at));
        for (auto it = lo; it != hi; ++it)
            if (!used[it->second])
                return used[it->second] = true, it->second;
        return std::nullopt;
    };
    std::map<uint64_t, std::size_t> byEnd;
    for (std::size_t i = 0; i < ways_.size(); ++i) {
        if (used[i])
            continue;
        used[i] = true;
        std::vector<RoadPoint> chain = ways_[i];
        while (!Same(chain.front(), chain.back())) {
            auto next = take(chain.back());
            if (!next)
                break;
            chain.insert(chain.end(), ways_[*next].begin() + 1, ways_[*next].end());
        }
        chains.push_back(std::move(chain));
    }
    // Open chains may still join front to back when met in another order.
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t a = 0; a < chains.size() && !joined; ++a) {
            if (chains[a].empty() || Same(chains[a].front(), chains[a].back()))
                continue;
            for (std::size_t b = 0; b < chains.size(); ++b) {
                if (a == b || chains[b].empty() || !Same(chains[a].back(), chains[b].front()))
                    continue;
                chains[a].insert(chains[a].end(), chains[b].begin() + 1, chains[b].end());
                chains[b].clear();
                joined = true;
                break;
            }
        }
    }
    std::erase_if(chains, [](const auto& c) { return c.size() < 2; });
    return chains;
}

CoastlineSea::Outcome CoastlineSea::Build(std::vector<std::vector<RoadPoint>>& rings) const
{
    rings.clear();
    if (ways_.empty())
        return Outcome::NoCoast;
    const RoadBox& b = bounds_;
    const int32_t snap = SnapDistance();
    std::vector<std::vector<RoadPoint>> closed, open;
    for (auto& chain : Chains()) {
        if (chain.size() >= 4 && Same(chain.front(), chain.back())) {
            closed.push_back(std::move(chain));
            continue;
        }
        if (chain.size() >= 2 && Same(chain.front(), chain.back()))
            continue; // a ring without area
        for (auto& part : ClipChain(b, chain))
            open.push_back(std::move(part));
    }
    // Each open coast is carried to the nearest edge from ends that stop short of it.
    auto toEdge = [&](const RoadPoint& p, RoadPoint& onEdge) {
        const int32_t d[4] = {b.maxLat - p.lat, b.maxLon - p.lon, p.lat - b.minLat,
                              p.lon - b.minLon};
        const int nearest = static_cast<int>(std::min_element(d, d + 4) - d);
        if (d[nearest] > snap)
            return false;
        onEdge = p;
        if (nearest == 0)
            onEdge.lat = b.maxLat;
        else if (nearest == 1)
            onEdge.lon = b.maxLon;
        else if (nearest == 2)
            onEdge.lat = b.minLat;
        else
            onEdge.lon = b.minLon;
        return true;
    };
    for (auto& part : open) {
        RoadPoint start, end;
        if (!toEdge(part.front(), start) || !toEdge(part.back(), end))
            return Outcome::Unclosed;
        std::vector<RoadPoint> carried;
        carried.reserve(part.size() + 2);
        if (!Same(start, part.front()))
            carried.push_back(start);
        for (const RoadPoint& p : part)
            carried.push_back(p);
        if (!Same(end, part.back()))
            carried.push_back(end);
        part.swap(carried);
    }
    if (open.empty()) {
        // Only closed coasts: islands in a sea that reaches the bounds,
        // unless some closed coast holds the sea itself.
        bool seaRing = std::any_of(closed.begin(), closed.end(),
                                   [](const auto& r) { return SignedArea(r) < 0; });
        if (!seaRing)
            rings.push_back({{b.maxLat, b.minLon},
                             {b.maxLat, b.maxLon},
                             {b.minLat, b.maxLon},
                             {b.minLat, b.minLon},
                             {b.maxLat, b.minLon}});
    } else {
        // From where a coast leaves, clockwise along the edge to the next
        // coast that comes in; the corners passed on the way.
        const double w = double(b.maxLon) - b.minLon, h = double(b.maxLat) - b.minLat;
        const double corners[4] = {w, w + h, 2 * w + h, 2 * (w + h)};
        const RoadPoint cornerPoints[4] = {
            {b.maxLat, b.maxLon}, {b.minLat, b.maxLon}, {b.minLat, b.minLon}, {b.maxLat, b.minLon}};
        const double perimeter = 2 * (w + h);
        std::vector<bool> used(open.size(), false);
        for (std::size_t first = 0; first < open.size(); ++first) {
            if (used[first])
                continue;
            std::vector<RoadPoint> ring;
            std::size_t at = first;
            for (std::size_t guard = 0; guard <= open.size(); ++guard) {
                used[at] = true;
                ring.insert(ring.end(), open[at].begin(), open[at].end());
                const double from = Perimeter(b, open[at].back());
                // The next start clockwise from here (the first coast's own start included).
                std::size_t next = open.size();
                double best = perimeter * 2;
                for (std::size_t k = 0; k < open.size(); ++k) {
                    if (used[k] && k != first)
                        continue;
                    double d = Perimeter(b, open[k].front()) - from;
                    if (d < 0)
                        d += perimeter;
                    if (d < best)
                        best = d, next = k;
                }
                std::vector<std::pair<double, int>> passed;
                for (int c = 0; c < 4; ++c) {
                    double d = corners[c] - from;
                    if (d <= 0)
                        d += perimeter;
                    if (d < best)
                        passed.push_back({d, c});
                }
                std::sort(passed.begin(), passed.end());
                for (const auto& [d, c] : passed)
                    ring.push_back(cornerPoints[c]);
                if (next == first || next == open.size())
                    break;
                at = next;
            }
            ring.push_back(ring.front());
            rings.push_back(std::move(ring));
        }
    }
    for (auto& ring : closed)
        rings.push_back(std::move(ring));
    return Outcome::Sea;
}

} // namespace hw
