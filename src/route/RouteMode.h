#pragma once

namespace hw {

// What a route minimises: its length, or its walking time by Tobler's
// function (which differs uphill and down).
enum class RouteMode { Shortest, Hiking };

} // namespace hw
