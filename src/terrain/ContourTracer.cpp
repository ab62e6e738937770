#include "terrain/ContourTracer.h"

#include "base/ParallelParts.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <iterator>
#include <numeric>
#include <thread>

namespace hw {

namespace {

// Heights this close to a level count as just above it.
constexpr double kNudge = 1e-6;
// Rows of squares are shared among the cores in bands of at least this
// many rows, a few bands a core.
constexpr int kLeastBandRows = 32;
constexpr int kBandsPerCore = 2;
constexpr double kMaxLevelsInBands = 1000;

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

// The segments that reach each edge crossed at a level, the first and the
// last to arrive (an edge has a square on either side), found by the edge's
// key in an open-addressed table: no allocation per edge, and the table is
// kept from one level to the next.
class EdgeTable {
public:
    // Empties the table for up to count keys.
    void Reset(size_t count)
    {
        size_t capacity = 16;
        while (capacity < count * 2)
            capacity *= 2;
        if (capacity > slots_.size()) {
            slots_.assign(capacity, {});
            generation_ = 0;
        }
        mask_ = slots_.size() - 1;
        shift_ = 64 - std::countr_zero(slots_.size());
        ++generation_;
    }
    // Adds segment s at key; the slot that holds the key.
    uint32_t Add(uint64_t key, int s)
    {
        for (size_t i = (key * 0x9E3779B97F4A7C15ull) >> shift_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (slot.generation != generation_) {
                slot = {key, generation_, {s, -1}};
                return static_cast<uint32_t>(i);
            }
            if (slot.key == key) {
                slot.segments[1] = s;
                return static_cast<uint32_t>(i);
            }
        }
    }
    const std::array<int, 2>& Segments(uint32_t slot) const { return slots_[slot].segments; }

private:
    struct Slot {
        uint64_t key = 0;
        uint64_t generation = 0;
        std::array<int, 2> segments{};
    };
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    int shift_ = 64;
    uint64_t generation_ = 0;
};

// Aligned to a cache line: the bands' collectors sit side by side, each
// written by its own core.
class alignas(64) SegmentCollector {
public:
    SegmentCollector(double interval, double base, double min, double max, size_t maxSegments)
        : interval_(interval), base_(base),
          kMin_(static_cast<int64_t>(std::floor((min - base) / interval))),
          levels_(static_cast<size_t>(std::floor((max - base) / interval) - kMin_ + 2)),
          maxSegments_(maxSegments)
    {
    }

    // Whether a square of these corner heights is crossed by a level, as
    // Process would find it: most squares lie between two levels and are
    // passed over before their edges are even named.
    bool Crosses(const std::array<double, 4>& v) const
    {
        const auto [lo, hi] = std::minmax({v[0], v[1], v[2], v[3]});
        auto k0 = static_cast<int64_t>(std::floor((lo - base_) / interval_));
        auto k1 = static_cast<int64_t>(std::ceil((hi - base_) / interval_));
        for (int64_t k = std::max(k0, kMin_); k <= k1; ++k) {
            if (static_cast<size_t>(k - kMin_) >= levels_.size())
                break;
            const double level = base_ + static_cast<double>(k) * interval_;
            int above = 0;
            for (double x : v)
                above += Nudged(x, level) > level;
            if (above != 0 && above != 4)
                return true;
        }
        return false;
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

    // The lines of the segments that the bands, each a run of rows of
    // squares in order, collected: a level's segments are joined in the
    // order of one scan over all the bands, the levels side by side on the
    // machine's cores, and the lines come level by level.
    static std::vector<ContourLine> Lines(const std::vector<SegmentCollector>& bands)
    {
        size_t segments = 0;
        for (const SegmentCollector& band : bands)
            segments += band.segments_;
        const SegmentCollector& first = bands.front();
        if (segments > first.maxSegments_)
            return {};
        const auto levelCount = static_cast<int>(first.levels_.size());
        std::vector<std::vector<ContourLine>> byLevel(static_cast<size_t>(levelCount));
        std::vector<JoinScratch> scratch(static_cast<size_t>(Workers(levelCount)));
        PullEach(levelCount, [&](int worker, int level) {
            const auto i = static_cast<size_t>(level);
            JoinScratch& room = scratch[static_cast<size_t>(worker)];
            room.merged.clear();
            for (const SegmentCollector& band : bands)
                for (const Segment& segment : band.levels_[i])
                    room.merged.push_back(&segment);
            Join(room.merged,
                 first.base_ + static_cast<double>(first.kMin_ + level) * first.interval_,
                 room.lines, room);
            // Handed over whole: the levels' lists sit side by side.
            byLevel[i] = std::move(room.lines);
            room.lines.clear();
        });
        std::vector<ContourLine> lines;
        lines.reserve(std::accumulate(byLevel.begin(), byLevel.end(), size_t{0},
                                      [](size_t n, const auto& v) { return n + v.size(); }));
        for (std::vector<ContourLine>& level : byLevel)
            std::move(level.begin(), level.end(), std::back_inserter(lines));
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

    // Room a join needs, kept from one level to the next; one a core, each
    // on cache lines of its own.
    struct alignas(64) JoinScratch {
        EdgeTable edges;
        std::vector<uint32_t> slotOf; // by end
        std::vector<char> used;
        std::vector<ContourPoint> before;
        std::vector<const Segment*> merged; // a level's segments from all the bands, in order
        std::vector<ContourLine> lines;     // the level's lines as they are joined
    };

    static void Join(const std::vector<const Segment*>& segs, double elevation,
                     std::vector<ContourLine>& lines, JoinScratch& scratch)
    {
        if (segs.empty())
            return;
        // End 2i of segment i is its end a, 2i + 1 its end b.
        const auto key = [&](uint32_t end) {
            const Segment& g = *segs[end / 2];
            return end % 2 ? g.b.key : g.a.key;
        };
        const auto point = [&](uint32_t end) {
            const Segment& g = *segs[end / 2];
            return end % 2 ? g.b.p : g.a.p;
        };
        const auto count = static_cast<uint32_t>(segs.size() * 2);
        scratch.edges.Reset(count);
        auto& slotOf = scratch.slotOf;
        slotOf.resize(count);
        for (uint32_t e = 0; e < count; ++e)
            slotOf[e] = scratch.edges.Add(key(e), static_cast<int>(e / 2));
        auto& used = scratch.used;
        used.assign(segs.size(), 0);
        // The unused segment other than s on the edge of end, and its far end.
        auto next = [&](uint32_t end, int s, uint32_t& far) {
            const uint64_t k = key(end);
            for (int t : scratch.edges.Segments(slotOf[end]))
                if (t >= 0 && t != s && !used[static_cast<size_t>(t)]) {
                    const auto u = static_cast<uint32_t>(t);
                    far = segs[u]->a.key == k ? 2 * u + 1 : 2 * u;
                    return t;
                }
            return -1;
        };
        auto& before = scratch.before;
        for (uint32_t first = 0; first < segs.size(); ++first) {
            if (used[first])
                continue;
            used[first] = 1;
            ContourLine line;
            line.elevation = elevation;
            line.points = {segs[first]->a.p, segs[first]->b.p};
            uint32_t startEnd = 2 * first;
            uint32_t endEnd = 2 * first + 1;
            int last = static_cast<int>(first);
            uint32_t far = 0;
            for (int t; (t = next(endEnd, last, far)) >= 0; last = t) {
                used[static_cast<size_t>(t)] = 1;
                line.points.push_back(point(far));
                endEnd = far;
                if (key(endEnd) == key(startEnd)) {
                    line.closed = true;
                    break;
                }
            }
            if (!line.closed) {
                before.clear();
                last = static_cast<int>(first);
                for (int t; (t = next(startEnd, last, far)) >= 0; last = t) {
                    used[static_cast<size_t>(t)] = 1;
                    before.push_back(point(far));
                    startEnd = far;
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
    // Whether the square with upper left corner (col, row) lies wholly inside.
    bool Holds(int col, int row) const
    {
        return col >= col0_ && col + 1 < col1_ && row >= row0_ && row + 1 < row1_;
    }
    double Height(int col, int row) const { return static_cast<double>(g_.At(col, row)); }
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
    if (w.Holds(c, r)) {
        const std::array<double, 4> v = {w.Height(c, r), w.Height(c + 1, r), w.Height(c + 1, r + 1),
                                         w.Height(c, r + 1)};
        if (!std::isnan(v[0] + v[1] + v[2] + v[3]) && !out.Crosses(v))
            return;
    }
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
    // The rows of squares in bands taken by the cores in turn, each band
    // collecting its segments in the order of a scan; a few bands a core
    // even out ground that is steeper in some rows than in others. Very
    // many levels keep to one band, as each band holds a list per level.
    // The squares from the one whose lower right corner is the first cell
    // to the one whose upper left corner is the last; a closed side leaves
    // out the squares across it.
    const int firstRow = open_.north ? row0 - 1 : row0;
    const int lastRow = open_.south ? row1 - 1 : row1 - 2;
    const int firstCol = open_.west ? col0 - 1 : col0;
    const int lastCol = open_.east ? col1 - 1 : col1 - 2;
    const int rows = lastRow - firstRow + 1;
    if (rows <= 0 || lastCol < firstCol)
        return {};
    const int bandCount = LevelCount(lo, hi) > kMaxLevelsInBands
                              ? 1
                              : std::clamp(rows / kLeastBandRows, 1, kBandsPerCore * Cores());
    std::vector<SegmentCollector> bands(static_cast<size_t>(bandCount),
                                        SegmentCollector(interval_, base_, lo, hi, maxSegments_));
    const Window window(grid, col0, row0, col1, row1);
    PullEach(bandCount, [&](int, int band) {
        const int from = firstRow + static_cast<int>(int64_t{rows} * band / bandCount);
        const int to = firstRow + static_cast<int>(int64_t{rows} * (band + 1) / bandCount);
        SegmentCollector& collector = bands[static_cast<size_t>(band)];
        for (int r = from; r < to; ++r)
            for (int c = firstCol; c <= lastCol; ++c)
                ProcessSquare(window, c, r, collector);
    });
    return SegmentCollector::Lines(bands);
}

} // namespace hw
