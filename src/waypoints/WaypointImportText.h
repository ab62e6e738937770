#pragma once

#include "waypoints/Waypoint.h"

#include <cstdint>
#include <string_view>

namespace hw {

// How imported texts become record fields.

// The symbol index of a GPX sym text (exact match); 0 when unknown.
int SymbolFromGpx(std::string_view sym);

// A GPX type text: a geocache ("Geocache" in it) gets its kind; a found
// cache (symbol 25) is found and logged.
void ApplyGpxType(std::string_view type, Waypoint& w);

// A geocache log's type text.
uint8_t LogTypeFromText(std::string_view type);

// "YYYY-MM-DDTHH:MM:SS[.fff][zone]" as local time, seconds since 1970; parts
// missing from the end default to January 1st, midnight; years before 1972
// count as 1972; the zone is ignored.
int32_t ParseTimeText(std::string_view text);

// A rating such as "1.5" in tenths (15).
uint8_t RatingTenths(std::string_view text);

} // namespace hw
