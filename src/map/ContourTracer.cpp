#include "map/ContourTracer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace hw {

namespace {

// Heights this close to a level count as just above it.
constexpr double kNudge = 1e-6;

double Nudged(double v, double level)
{
    return std::abs(level - v) < kNudge ? v + kNudge : v;
}

struct Node {
    double x = 0.0, y = 0.0, v = 0.0;
};

// A point where a level crosses an edge, named by the edge so that the two
// squares beside it find each other's ends.
struct Crossing {
    uint64_t key = 0;
    ContourPoint p;
};

struct Segment {
    Crossing a, b;
};

// An edge of a square: the key of the grid edge (or inner edge) it lies on
// and the two nodes the crossing is interpolated between, always in the
// same order for the same key, so that both sides compute the same point.
struct Edge {
    uint64_t key = 0;
    Node from, to;
};

// Corners in the order upper left, upper right, lower right, lower left;
// edges top, right, bottom, left.
struct Square {
    std::array<Node, 4> corner;
    std::array<Edge, 4> edge;
};

enum : uint64_t { kHorizontal = 0, kVertical = 1, kInner = 2 };

uint64_t Key(uint64_t type, uint64_t sub, int i, int j)
{
    return type << 62 | sub << 60 | static_cast<uint64_t>(i + 1) << 30 |
           static_cast<uint64_t>(j + 1);
}

ContourPoint Cross(const Edge& e, double level)
{
    double from = Nudged(e.from.v, level);
    double t = (level - from) / (Nudged(e.to.v, level) - from);
    return {e.from.x + t * (e.to.x - e.from.x), e.from.y + t * (e.to.y - e.from.y)};
}

class SegmentCollector {
public:
    SegmentCollector(double interval, double base, double min, double max, size_t maxSegments)
        : interval_(interval), base_(base),
          kMin_(static_cast<int64_t>(std::floor((min - base) / interval))),
          levels_(static_cast<size_t>(std::floor((max - base) / interval) - kMin_ + 2)),
          maxSegments_(maxSegments)
    {
    }

    void Process(const Square& s)
    {
        double lo = s.corner[0].v, hi = lo;
        for (const Node& n : s.corner) {
            lo = std::min(lo, n.v);
            hi = std::max(hi, n.v);
        }
        auto k0 = static_cast<int64_t>(std::floor((lo - base_) / interval_));
        auto k1 = static_cast<int64_t>(std::ceil((hi - base_) / interval_));
        for (int64_t k = std::max(k0, kMin_); k <= k1 && segments_ <= maxSegments_; ++k) {
            size_t index = static_cast<size_t>(k - kMin_);
            if (index < levels_.size()) {
                std::vector<Segment>& level = levels_[index];
                const size_t before = level.size();
                AddLevel(s, base_ + static_cast<double>(k) * interval_, level);
                segments_ += level.size() - before;
            }
        }
    }

    std::vector<ContourLine> Lines() const
    {
        std::vector<ContourLine> lines;
        if (segments_ > maxSegments_)
            return lines;
        for (size_t i = 0; i < levels_.size(); ++i)
            Join(levels_[i],
                 base_ + static_cast<double>(kMin_ + static_cast<int64_t>(i)) * interval_, lines);
        return lines;
    }

private:
    static void AddLevel(const Square& s, double level, std::vector<Segment>& out)
    {
        std::array<bool, 4> above{};
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            above[i] = Nudged(s.corner[i].v, level) > level;
            count += above[i];
        }
        if (count == 0 || count == 4)
            return;
        // Edge e runs from corner e to corner e + 1.
        std::array<int, 4> crossed{};
        int n = 0;
        for (int e = 0; e < 4; ++e)
            if (above[e] != above[(e + 1) % 4])
                crossed[n++] = e;
        auto add = [&](int e1, int e2) {
            out.push_back({{s.edge[e1].key, Cross(s.edge[e1], level)},
                           {s.edge[e2].key, Cross(s.edge[e2], level)}});
        };
        if (n == 2) {
            add(crossed[0], crossed[1]);
            return;
        }
        // A saddle: always the same two corners, upper right and lower left,
        // are cut off, so that the lines of neighbouring levels nest and
        // never cross (corner c lies between edges c - 1 and c).
        add(0, 1);
        add(2, 3);
    }

    static void Join(const std::vector<Segment>& segs, double elevation,
                     std::vector<ContourLine>& lines)
    {
        if (segs.empty())
            return;
        std::unordered_map<uint64_t, std::array<int, 2>> at;
        at.reserve(segs.size() * 2);
        auto link = [&](uint64_t key, int s) {
            auto [it, fresh] = at.try_emplace(key, std::array<int, 2>{s, -1});
            if (!fresh)
                it->second[1] = s;
        };
        for (size_t i = 0; i < segs.size(); ++i) {
            link(segs[i].a.key, static_cast<int>(i));
            link(segs[i].b.key, static_cast<int>(i));
        }
        std::vector<char> used(segs.size(), 0);
        // The unused segment at key other than s, with its far end.
        auto next = [&](uint64_t key, int s, Crossing& far) {
            auto it = at.find(key);
            if (it == at.end())
                return -1;
            for (int t : it->second)
                if (t >= 0 && t != s && !used[static_cast<size_t>(t)]) {
                    const Segment& g = segs[static_cast<size_t>(t)];
                    far = g.a.key == key ? g.b : g.a;
                    return t;
                }
            return -1;
        };
        for (size_t first = 0; first < segs.size(); ++first) {
            if (used[first])
                continue;
            used[first] = 1;
            ContourLine line;
            line.elevation = elevation;
            line.points = {segs[first].a.p, segs[first].b.p};
            uint64_t startKey = segs[first].a.key;
            uint64_t endKey = segs[first].b.key;
            int last = static_cast<int>(first);
            Crossing far;
            for (int t; (t = next(endKey, last, far)) >= 0; last = t) {
                used[static_cast<size_t>(t)] = 1;
                line.points.push_back(far.p);
                endKey = far.key;
                if (endKey == startKey) {
                    line.closed = true;
                    break;
                }
            }
            if (!line.closed) {
                std::vector<ContourPoint> before;
                last = static_cast<int>(first);
                for (int t; (t = next(startKey, last, far)) >= 0; last = t) {
                    used[static_cast<size_t>(t)] = 1;
                    before.push_back(far.p);
                    startKey = far.key;
                }
                line.points.insert(line.points.begin(), before.rbegin(), before.rend());
            }
            lines.push_back(std::move(line));
        }
    }

    double interval_;
    double base_;
    int64_t kMin_;
    std::vector<std::vector<Segment>> levels_;
    size_t maxSegments_;
    size_t segments_ = 0;
};

// The heights of a window of the grid, void outside it.
class Window {
public:
    Window(const ElevationGrid& g, int col0, int row0, int col1, int row1)
        : g_(g), col0_(col0), row0_(row0), col1_(col1), row1_(row1)
    {
    }
    Node At(int col, int row) const
    {
        double v = (col >= col0_ && col < col1_ && row >= row0_ && row < row1_)
                       ? static_cast<double>(g_.At(col, row))
                       : std::numeric_limits<double>::quiet_NaN();
        return {col + 0.5, row + 0.5, v};
    }

private:
    const ElevationGrid& g_;
    int col0_, row0_, col1_, row1_;
};

Node Mid(const Node& a, const Node& b)
{
    double v = std::isnan(a.v) ? b.v : std::isnan(b.v) ? a.v : 0.5 * (a.v + b.v);
    return {0.5 * (a.x + b.x), 0.5 * (a.y + b.y), v};
}

// The squares of the grid square with upper left corner node (c, r): the
// square itself when its four corners are known, else the quarters of its
// known corners.
void ProcessSquare(const Window& w, int c, int r, SegmentCollector& out)
{
    std::array<Node, 4> n = {w.At(c, r), w.At(c + 1, r), w.At(c + 1, r + 1), w.At(c, r + 1)};
    int voids = 0;
    for (const Node& x : n)
        voids += std::isnan(x.v);
    if (voids == 4)
        return;
    // The grid edges top, right, bottom, left, from the lower-numbered node.
    std::array<Edge, 4> edges = {
        Edge{Key(kHorizontal, 0, c, r), n[0], n[1]}, Edge{Key(kVertical, 0, c + 1, r), n[1], n[2]},
        Edge{Key(kHorizontal, 0, c, r + 1), n[3], n[2]}, Edge{Key(kVertical, 0, c, r), n[0], n[3]}};
    if (voids == 0) {
        out.Process({n, edges});
        return;
    }
    // Middles of the edges top, right, bottom, left and of the square.
    std::array<Node, 4> m = {Mid(n[0], n[1]), Mid(n[1], n[2]), Mid(n[3], n[2]), Mid(n[0], n[3])};
    double sum = 0.0;
    for (const Node& x : n)
        sum += std::isnan(x.v) ? 0.0 : x.v;
    Node centre{n[0].x + 0.5, n[0].y + 0.5, sum / (4 - voids)};
    auto inner = [&](int e) {
        return Edge{Key(kInner, static_cast<uint64_t>(e), c, r), m[e], centre};
    };
    for (int k = 0; k < 4; ++k) {
        if (std::isnan(n[k].v))
            continue;
        // Corner k lies between edge k - 1 (before it) and edge k (after it).
        int before = (k + 3) % 4;
        Square q;
        // Rotate so that the quarter's corners keep the order UL, UR, LR, LL.
        std::array<Node, 4> ring = {n[k], m[k], centre, m[before]};
        std::array<Edge, 4> ringEdges = {edges[k], inner(k), inner(before), edges[before]};
        for (int i = 0; i < 4; ++i) {
            q.corner[static_cast<size_t>((i + k) % 4)] = ring[static_cast<size_t>(i)];
            q.edge[static_cast<size_t>((i + k) % 4)] = ringEdges[static_cast<size_t>(i)];
        }
        out.Process(q);
    }
}

} // namespace

ContourTracer::ContourTracer(double interval, double base) : interval_(interval), base_(base) {}

double ContourTracer::LevelCount(double min, double max) const
{
    if (!(interval_ > 0.0) || !std::isfinite(interval_))
        return 0.0;
    return std::floor((max - base_) / interval_) - std::floor((min - base_) / interval_) + 1.0;
}

std::vector<ContourLine> ContourTracer::Trace(const ElevationGrid& grid) const
{
    return Trace(grid, 0, 0, grid.Width(), grid.Height());
}

std::vector<ContourLine> ContourTracer::Trace(const ElevationGrid& grid, int col0, int row0,
                                              int col1, int row1) const
{
    col0 = std::clamp(col0, 0, grid.Width());
    col1 = std::clamp(col1, col0, grid.Width());
    row0 = std::clamp(row0, 0, grid.Height());
    row1 = std::clamp(row1, row0, grid.Height());
    if (!(interval_ > 0.0) || !std::isfinite(interval_) || !std::isfinite(base_))
        return {};
    double lo = 0.0, hi = 0.0;
    bool any = false;
    for (int r = row0; r < row1; ++r)
        for (int c = col0; c < col1; ++c) {
            float h = grid.At(c, r);
            if (ElevationGrid::IsVoid(h))
                continue;
            lo = any ? std::min<double>(lo, h) : h;
            hi = any ? std::max<double>(hi, h) : h;
            any = true;
        }
    // Level numbers are counted in 64 bits: heights beyond any ground trace nothing.
    const double far =
        std::max(std::fabs((lo - base_) / interval_), std::fabs((hi - base_) / interval_));
    if (!any || LevelCount(lo, hi) > kMaxLevels || !(far < 1e15))
        return {};
    SegmentCollector collector(interval_, base_, lo, hi, maxSegments_);
    Window window(grid, col0, row0, col1, row1);
    for (int r = row0 - 1; r < row1; ++r)
        for (int c = col0 - 1; c < col1; ++c)
            ProcessSquare(window, c, r, collector);
    return collector.Lines();
}

} // namespace hw
