#include "route/RoutePath.h"

#include "course/Tobler.h"
#include "geo/SphericalGeometry.h"

#include <cmath>

namespace hw {
namespace {

void Append(const RoutePoint& p, std::vector<RoutePoint>& path)
{
    if (path.empty() || path.back().lat != p.lat || path.back().lon != p.lon)
        path.push_back(p);
}

RoutePoint PointOf(const WalkingNetwork& network, uint32_t edge, uint32_t i)
{
    const RoadPoint p = network.PointAt(edge, i);
    return {p.lat * 1e-6, p.lon * 1e-6, network.HeightAt(edge, i)};
}

// The point at a place on an edge, between the points around it.
RoutePoint PlacePoint(const WalkingNetwork& network, uint32_t edge, double place)
{
    const uint32_t last = network.PointCount(edge) - 1;
    const auto i = static_cast<uint32_t>(std::floor(place));
    if (i >= last)
        return PointOf(network, edge, last);
    const double t = place - i;
    const RoutePoint a = PointOf(network, edge, i);
    if (t == 0)
        return a;
    const RoutePoint b = PointOf(network, edge, i + 1);
    // Whole microdegrees, as a snapped position is.
    return {std::round((a.lat + t * (b.lat - a.lat)) * 1e6) * 1e-6,
            std::round((a.lon + t * (b.lon - a.lon)) * 1e6) * 1e-6,
            a.height + t * (b.height - a.height)};
}

} // namespace

RouteFigures RouteFigures::Of(std::span<const RoutePoint> path)
{
    RouteFigures f;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const RoutePoint &a = path[i - 1], &b = path[i];
        const double km = DistanceKm(a.lat, a.lon, b.lat, b.lon);
        const double rise = b.height - a.height;
        f.lengthM += km * 1000;
        f.timeS += ToblerSeconds(km * 1000.0, rise);
        if (rise > 0)
            f.ascentM += rise;
        else if (rise < 0)
            f.descentM -= rise;
    }
    return f;
}

void AppendEdgePoints(const WalkingNetwork& network, uint32_t edge, double from, double to,
                      std::vector<RoutePoint>& path)
{
    Append(PlacePoint(network, edge, from), path);
    if (from <= to)
        for (double i = std::floor(from) + 1; i < to; ++i)
            Append(PointOf(network, edge, static_cast<uint32_t>(i)), path);
    else
        for (double i = std::ceil(from) - 1; i > to; --i)
            Append(PointOf(network, edge, static_cast<uint32_t>(i)), path);
    Append(PlacePoint(network, edge, to), path);
}

} // namespace hw
