#include "waypoints/GeocachePageValues.h"

#include "base/LocalTime.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/HtmlSanitizer.h"
#include "waypoints/HtmlText.h"
#include "waypoints/WaypointTables.h"

#include <algorithm>
#include <iterator>

namespace hw {
namespace {

struct CacheTypeImageRule {
    const char* contains;
    const char* image;
};
// The first rule whose text the cache type contains wins.
constexpr CacheTypeImageRule kCacheTypeImages[] = {
    {"Traditional", "TraditionalCache.gif"},
    {"Virtual", "VirtualCache.gif"},
    {"Unknown Cache", "MysteryCache.gif"},
    {"Letterbox", "LetterboxCache.gif"},
    {"Event Cache", "EventCache.gif"},
    {"Earthcache", "Earthcache.gif"},
    {"Multi", "Multicache.gif"},
    {"Mystery", "MysteryCache.gif"},
    {"Webcam", "WebcamCache.gif"},
    {"Locationless", "LocationlessCache.gif"},
};
constexpr const char* kDefaultCacheTypeImage = "TraditionalCache.gif";

// Log icons by log type 0..5; 0 and anything unknown is the sad face.
constexpr const char* kLogIcons[] = {"icon_sad.gif",  "icon_smile.gif",    "icon_note.gif",
                                     "icon_rsvp.gif", "icon_attended.gif", "icon_disabled.gif"};

constexpr const char* kDifficultyStar = R"(<img border="0" src="sy.gif" width="9" height="9">)";
constexpr const char* kDifficultyHalf = R"(<img border="0" src="hsy.gif" width="5" height="9">)";
constexpr const char* kTerrainStar = R"(<img border="0" src="sg.gif" width="9" height="9">)";
constexpr const char* kTerrainHalf = R"(<img border="0" src="hsg.gif" width="5" height="9">)";

constexpr const char* kNoHint = "No hint available for this cache.";

std::string Stars(int rating, const char* full, const char* half)
{
    std::string out;
    for (int i = 0; i < static_cast<int>(rating * 0.1); ++i)
        out += full;
    if (rating % 10 == 5)
        out += half;
    return out;
}

// "%02d/%02d/%04d": month, day and year in local time.
std::string LocalDate(int64_t seconds)
{
    std::tm t = LocalCalendar(seconds);
    return FormatString("%02d/%02d/%04d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
}

} // namespace

std::string GeocachePageValues::DifficultyStars(int rating)
{
    return Stars(rating, kDifficultyStar, kDifficultyHalf);
}

std::string GeocachePageValues::TerrainStars(int rating)
{
    return Stars(rating, kTerrainStar, kTerrainHalf);
}

const char* GeocachePageValues::CacheTypeImage(std::string_view cacheType)
{
    for (const CacheTypeImageRule& rule : kCacheTypeImages)
        if (cacheType.find(rule.contains) != std::string_view::npos)
            return rule.image;
    return kDefaultCacheTypeImage;
}

const char* GeocachePageValues::LogIcon(int logType)
{
    if (logType < 1 || logType >= static_cast<int>(std::size(kLogIcons)))
        return kLogIcons[0];
    return kLogIcons[logType];
}

std::vector<std::string> GeocachePageValues::ImageNames()
{
    std::vector<std::string> names = {"sy.gif", "hsy.gif", "sg.gif", "hsg.gif"};
    for (const CacheTypeImageRule& rule : kCacheTypeImages)
        names.emplace_back(rule.image);
    names.insert(names.end(), std::begin(kLogIcons), std::end(kLogIcons));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::string GeocachePageValues::Value(std::string_view key) const
{
    const GeocacheInfo& g = waypoint_.geocache;
    if (key == "HW_PAGE_TITLE")
        return Title();
    if (key == "HW_CACHE_NAME")
        return EscapeHtml(g.strCacheName);
    if (key == "HW_POSITION")
        return EscapeHtml(positions_.LatitudeText(waypoint_.nLatitude * 1e-06) + " " +
                          positions_.LongitudeText(waypoint_.nLongitude * 1e-06));
    if (key == "HW_CONTAINER")
        return EscapeHtml(g.strContainer);
    if (key == "HW_LOCATION")
        return "In " + EscapeHtml(g.strState) + ", " + EscapeHtml(g.strCountry);
    if (key == "HW_HIDDENBY")
        return EscapeHtml(g.strPlacedBy);
    if (key == "HW_DIFFICULTY")
        return DifficultyStars(g.nDifficulty);
    if (key == "HW_TERRAIN")
        return TerrainStars(g.nTerrain);
    if (key == "HW_SHORT_DESCRIPTION")
        return Description(g.strShortDescription, g.bShortDescriptionHtml);
    if (key == "HW_LONG_DESCRIPTION")
        return Description(g.strLongDescription, g.bLongDescriptionHtml);
    if (key == "HW_HINT")
        return Hint();
    if (key == "HW_CT_ICON")
        return CacheTypeImage(g.strCacheType);
    if (key == "HW_WAYPOINTNAME")
        return WaypointLink();
    if (key == "HW_NOTES")
        return EscapeHtml(waypoint_.strComment, true);
    if (key == "HW_WAYPOINT_TYPE")
        return EscapeHtml(SymbolName(waypoint_.icon));
    if (key == "HW_TIMEORIGINATED")
        return waypoint_.timeCreated == 0 ? std::string() : LocalDate(waypoint_.timeCreated);
    if (key == "HW_NEW")
        return New();
    if (key == "HW_GC_COPYRIGHT")
        return "Groundspeak Inc.";
    if (key == "HW_GC_LOGS")
        return Logs();
    return {};
}

std::string GeocachePageValues::Title() const
{
    const GeocacheInfo& g = waypoint_.geocache;
    return "(" + EscapeHtml(waypoint_.strName) + ") " + EscapeHtml(g.strCacheName) + " by " +
           EscapeHtml(g.strPlacedBy);
}

std::string GeocachePageValues::Hint() const
{
    const std::string& hint = waypoint_.geocache.strEncodedHints;
    if (hint.empty() || hint == "\n      ")
        return kNoHint;
    return EscapeHtml(hint, true);
}

std::string GeocachePageValues::WaypointLink() const
{
    std::string name = EscapeHtml(waypoint_.strName);
    // A link that is not a web address (javascript: and the like) is left
    // out; the name still shows.
    if (!IsWebLink(waypoint_.strURL))
        return name;
    return "<a href=\"" + EscapeHtml(waypoint_.strURL) + "\">" + name + "</a>";
}

std::string GeocachePageValues::Description(const std::string& text, int isHtml) const
{
    return isHtml ? SanitizeHtml(text) : EscapeHtml(text, true);
}

std::string GeocachePageValues::Logs() const
{
    std::string out;
    for (const GeocacheLog& log : waypoint_.geocache.logs) {
        if (log.timeDate == 0)
            continue;
        std::tm t = LocalCalendar(log.timeDate);
        out +=
            FormatString("<p><img border=\"0\" src=\"%s\" width=\"16\" height=\"16\"> &nbsp <b> "
                         "%02d/%02d/%04d by %s</b><br>%s</p>",
                         LogIcon(log.nLogType), t.tm_mon + 1, t.tm_mday, t.tm_year + 1900,
                         EscapeHtml(log.strFinder).c_str(), EscapeHtml(log.strText, true).c_str());
    }
    return out;
}

std::string GeocachePageValues::New() const
{
    int64_t age = now_ - waypoint_.timeCreated;
    if (age < 0 || age > 2591999)
        return {};
    return "<span style=\"background-color: #FFFF00\">(New)</span>";
}

} // namespace hw
