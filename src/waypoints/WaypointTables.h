#pragma once

#include <string>

namespace hw {

// The waypoint symbols, index = Waypoint::icon; ends with a null entry.
inline constexpr int kSymbolCount = 151;
extern const char* const SymbolNames[kSymbolCount + 1];

// Geocache states and kinds, index = Waypoint::nGeocacheState.
inline constexpr int kGeocacheStateCount = 18;
extern const char* const GeocacheStateNames[kGeocacheStateCount];

// What a proximity alarm shows, index = Waypoint::nActiveWaypointMessageType.
inline constexpr int kActiveWaypointMessageTypeCount = 6;
extern const char* const ActiveWaypointMessageTypeNames[kActiveWaypointMessageTypeCount];

// The name of a symbol; an index outside the table names symbol 0.
const char* SymbolName(int icon);
// The name of a geocache state; an index outside the table names state 0.
const char* GeocacheStateName(int state);
// A name of these tables in the interface language. The tables themselves
// stay in the source language: files and pages store them as they are.
std::string ShownTableName(const char* name);

} // namespace hw
