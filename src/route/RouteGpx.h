#pragma once

#include "route/RoutePath.h"

#include <span>
#include <string>

namespace hw {

// The most points the GPX route of a path keeps: what handhelds take.
inline constexpr std::size_t kMaxRoutePoints = 250;

// A route as GPX 1.1: one track with every point of the path and its
// height, and one route of at most kMaxRoutePoints points, the path
// simplified (its ends always kept).
std::string RouteGpx(std::span<const RoutePoint> path);

} // namespace hw
