#include "route/NetworkSnapper.h"

#include "geo/SphericalGeometry.h"
#include "route/WalkableWay.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace hw {
namespace {

// Cells hold about this many edges on average.
constexpr double kEdgesPerCell = 4;
constexpr uint64_t kMaxCells = uint64_t{1} << 22;

uint32_t Root(std::vector<uint32_t>& parent, uint32_t n)
{
    while (parent[n] != n)
        n = parent[n] = parent[parent[n]];
    return n;
}

} // namespace

NetworkSnapper::NetworkSnapper(const WalkingNetwork& network) : network_(network)
{
    FindIslands();
    BuildGrid();
}

void NetworkSnapper::FindIslands()
{
    const uint32_t n = network_.NodeCount();
    onMainland_.assign(n, 0);
    std::vector<uint32_t> parent(n);
    std::vector<double> km(n);
    for (int limit = 0; limit <= kMaxDifficulty; ++limit) {
        std::iota(parent.begin(), parent.end(), 0u);
        std::fill(km.begin(), km.end(), 0.0);
        for (uint32_t e = 0; e < network_.EdgeCount(); ++e) {
            const WalkingNetwork::Edge& edge = network_.EdgeAt(e);
            if (edge.difficulty > limit)
                continue;
            uint32_t a = Root(parent, edge.from), b = Root(parent, edge.to);
            if (a != b) {
                parent[b] = a;
                km[a] += km[b];
            }
            km[a] += edge.lengthM * 1e-3;
        }
        for (uint32_t i = 0; i < n; ++i)
            if (km[Root(parent, i)] >= kMinIslandKm)
                onMainland_[i] |= static_cast<uint8_t>(1u << limit);
    }
}

bool NetworkSnapper::Snappable(uint32_t edge, int maxDifficulty) const
{
    const WalkingNetwork::Edge& e = network_.EdgeAt(edge);
    return e.difficulty <= maxDifficulty && (onMainland_[e.from] >> maxDifficulty & 1u);
}

void NetworkSnapper::BuildGrid()
{
    const uint32_t edges = network_.EdgeCount();
    std::vector<RoadBox> boxes(edges);
    for (uint32_t e = 0; e < edges; ++e) {
        RoadPoint p = network_.PointAt(e, 0);
        RoadBox b{p.lat, p.lon, p.lat, p.lon};
        for (uint32_t i = 1, count = network_.PointCount(e); i < count; ++i) {
            p = network_.PointAt(e, i);
            b = {std::min(b.minLat, p.lat), std::min(b.minLon, p.lon), std::max(b.maxLat, p.lat),
                 std::max(b.maxLon, p.lon)};
        }
        boxes[e] = b;
        bounds_ =
            e == 0
                ? b
                : RoadBox{std::min(bounds_.minLat, b.minLat), std::min(bounds_.minLon, b.minLon),
                          std::max(bounds_.maxLat, b.maxLat), std::max(bounds_.maxLon, b.maxLon)};
    }
    const double height = double(bounds_.maxLat) - bounds_.minLat + 1;
    const double width = double(bounds_.maxLon) - bounds_.minLon + 1;
    const double cells = std::clamp(edges / kEdgesPerCell, 1.0, double(kMaxCells));
    cellSize_ = static_cast<int32_t>(std::clamp(std::sqrt(height * width / cells), 100.0, 1e8));
    while ((uint64_t(width / cellSize_) + 1) * (uint64_t(height / cellSize_) + 1) > kMaxCells)
        cellSize_ *= 2;
    cols_ = static_cast<uint32_t>(width / cellSize_) + 1;
    rows_ = static_cast<uint32_t>(height / cellSize_) + 1;
    const double maxLat = std::max(std::abs(bounds_.minLat), std::abs(bounds_.maxLat)) * 1e-6;
    cellKm_ = cellSize_ * 1e-6 * kRadiansPerDegree * kEarthRadiusKm *
              std::max(0.0, std::cos(std::min(maxLat, 90.0) * kRadiansPerDegree));
    auto col = [&](int32_t lon) { return uint32_t((int64_t{lon} - bounds_.minLon) / cellSize_); };
    auto row = [&](int32_t lat) { return uint32_t((int64_t{lat} - bounds_.minLat) / cellSize_); };
    cellStart_.assign(std::size_t{cols_} * rows_ + 1, 0);
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
        for (uint32_t e = 0; e < edges; ++e)
            for (uint32_t r = row(boxes[e].minLat); r <= row(boxes[e].maxLat); ++r)
                for (uint32_t c = col(boxes[e].minLon); c <= col(boxes[e].maxLon); ++c) {
                    const std::size_t cell = std::size_t{r} * cols_ + c;
                    if (pass == 0)
                        ++cellStart_[cell + 1];
                    else
                        cellEdges_[fill[cell]++] = e;
                }
        if (pass == 0) {
            std::partial_sum(cellStart_.begin(), cellStart_.end(), cellStart_.begin());
            cellEdges_.resize(cellStart_.back());
        }
    }
}

uint64_t NetworkSnapper::MemoryBytes() const
{
    return onMainland_.capacity() + (cellStart_.capacity() + cellEdges_.capacity()) * 4;
}

std::optional<NetworkSnap> NetworkSnapper::Snap(double latDeg, double lonDeg,
                                                int maxDifficulty) const
{
    if (network_.Empty() || maxDifficulty < 0)
        return std::nullopt;
    maxDifficulty = std::min(maxDifficulty, kMaxDifficulty);
    // A local plane around the position: degrees of latitude, and of
    // longitude shortened by the cosine of the latitude.
    const double lonScale = std::cos(latDeg * kRadiansPerDegree);
    const double kmPerDegree = kRadiansPerDegree * kEarthRadiusKm;
    auto clampTo = [](double v, int64_t origin, int32_t size, uint32_t n) {
        const double c = std::floor((v * 1e6 - double(origin)) / size);
        return static_cast<int64_t>(std::clamp(c, 0.0, double(n) - 1));
    };
    const int64_t row0 = clampTo(latDeg, bounds_.minLat, cellSize_, rows_);
    const int64_t col0 = clampTo(lonDeg, bounds_.minLon, cellSize_, cols_);
    std::optional<NetworkSnap> best;
    double bestKm = kMaxSnapKm * 1.01; // the plane's distance; the sphere's decides at the end
    const int64_t maxRing = std::max(rows_, cols_);
    for (int64_t ring = 0; ring <= maxRing; ++ring) {
        for (int64_t r = row0 - ring; r <= row0 + ring; ++r) {
            if (r < 0 || r >= rows_)
                continue;
            const bool edgeRow = r == row0 - ring || r == row0 + ring;
            for (int64_t c = col0 - ring; c <= col0 + ring; c += edgeRow ? 1 : 2 * ring) {
                if (c >= 0 && c < cols_) {
                    const std::size_t cell = std::size_t(r) * cols_ + std::size_t(c);
                    for (uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
                        const uint32_t e = cellEdges_[k];
                        if (!Snappable(e, maxDifficulty))
                            continue;
                        RoadPoint a = network_.PointAt(e, 0);
                        for (uint32_t i = 1, count = network_.PointCount(e); i < count; ++i) {
                            const RoadPoint b = network_.PointAt(e, i);
                            const double ax = (a.lon * 1e-6 - lonDeg) * lonScale,
                                         ay = a.lat * 1e-6 - latDeg;
                            const double dx = (b.lon - a.lon) * 1e-6 * lonScale,
                                         dy = (b.lat - a.lat) * 1e-6;
                            const double len2 = dx * dx + dy * dy;
                            const double t =
                                len2 > 0 ? std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0) : 0.0;
                            const double fx = ax + t * dx, fy = ay + t * dy;
                            const double km = std::sqrt(fx * fx + fy * fy) * kmPerDegree;
                            if (km < bestKm) {
                                bestKm = km;
                                best = NetworkSnap{e,
                                                   i - 1,
                                                   t,
                                                   a.lat * 1e-6 + t * (b.lat - a.lat) * 1e-6,
                                                   a.lon * 1e-6 + t * (b.lon - a.lon) * 1e-6,
                                                   0};
                            }
                            a = b;
                        }
                    }
                }
                if (ring == 0)
                    break;
            }
        }
        // Every cell beyond this ring lies at least ring cells away.
        const double beyondKm = double(ring) * cellKm_;
        if (beyondKm >= bestKm || beyondKm > kMaxSnapKm * 1.01)
            break;
    }
    if (!best)
        return std::nullopt;
    // The foot in whole microdegrees, as the path prints it.
    best->lat = std::round(best->lat * 1e6) * 1e-6;
    best->lon = std::round(best->lon * 1e6) * 1e-6;
    best->distanceM = DistanceKm(latDeg, lonDeg, best->lat, best->lon) * 1000;
    if (best->distanceM > kMaxSnapKm * 1000)
        return std::nullopt;
    return best;
}

} // namespace hw
