#pragma once

#include "waypoints/Waypoint.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

class PositionFormatter;

// The values that a page template's placeholders ("<!--HW_CACHE_NAME-->" and
// the like) stand for, for one waypoint. Every plain-text field is escaped,
// so that a name, log or hint from an imported file shows as text and never
// runs as markup; descriptions flagged as HTML keep their markup, with
// whatever would run or load active content taken out.
class GeocachePageValues {
public:
    // now: the current time, seconds since 1970 UTC (for the "(New)" mark).
    GeocachePageValues(const Waypoint& waypoint, const PositionFormatter& positions, int64_t now)
        : waypoint_(waypoint), positions_(positions), now_(now)
    {
    }

    // The value of a key; nothing for a key that is not one of ours.
    std::string Value(std::string_view key) const;

    // Full stars for the whole steps of a rating in tenths, then a half star
    // when its tenths are 5: yellow for difficulty, green for terrain.
    static std::string DifficultyStars(int rating);
    static std::string TerrainStars(int rating);
    // The image of a cache type text ("Traditional Cache", ...).
    static const char* CacheTypeImage(std::string_view cacheType);
    // The icon of a log type (GeocacheLog::nLogType).
    static const char* LogIcon(int logType);
    // Every image that a rendered value may name; they belong beside a page.
    static std::vector<std::string> ImageNames();

private:
    std::string Title() const;
    std::string Hint() const;
    std::string WaypointLink() const;
    std::string Description(const std::string& text, int isHtml) const;
    std::string Logs() const;
    std::string New() const;

    const Waypoint& waypoint_;
    const PositionFormatter& positions_;
    int64_t now_;
};

} // namespace hw
