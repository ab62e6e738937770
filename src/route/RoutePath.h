#pragma once

#include "route/NetworkSnapper.h"
#include "route/WalkingNetwork.h"

#include <span>
#include <vector>

namespace hw {

// A point of a route in degrees, with the height of the ground (NaN where
// not known).
struct RoutePoint {
    double lat = 0, lon = 0;
    double height = 0;
};

// The figures of a path: its length by DistanceKm, the sums of its rises
// and falls, and its walking time by Tobler's function (a stretch with an
// end without height is flat).
struct RouteFigures {
    double lengthM = 0, timeS = 0, ascentM = 0, descentM = 0;
    static RouteFigures Of(std::span<const RoutePoint> path);
};

// A place on an edge: a segment and the share of it walked, as a single
// number (segment + t), from 0 at the edge's "from" node to PointCount - 1
// at its "to" node.
inline double PlaceOn(const NetworkSnap& snap)
{
    return snap.segment + snap.t;
}

// Appends the points of an edge from one place on it to another (either
// way), both ends included; a point equal to the last one of the path is
// not repeated. A place between points takes the height between theirs.
void AppendEdgePoints(const WalkingNetwork& network, uint32_t edge, double from, double to,
                      std::vector<RoutePoint>& path);

} // namespace hw
