#include "basemap/TopoClasses.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace hw {
namespace {

constexpr TagRule kAreaRules[] = {
    {0, "natural", "water"},
    {0, "landuse", "reservoir|basin"},
    {0, "waterway", "riverbank"},
    {1, "landuse", "forest"},
    {1, "natural", "wood"},
    {2, "landuse", "meadow|grass|village_green"},
    {2, "natural", "grassland|heath|scrub"},
    {3, "landuse", "farmland|orchard|vineyard|allotments"},
    {4, "landuse", "residential|commercial|industrial|retail"},
    {5, "natural", "bare_rock|scree|glacier"},
    {6, "natural", "wetland"},
    {7, "building", "*"},
};

constexpr TagRule kLineRules[] = {
    {0, "waterway", "river|canal"},
    {1, "waterway", "stream|ditch|drain"},
    {2, "natural", "cliff|ridge|arete"},
    {3, "aerialway", "cable_car|gondola|chair_lift|drag_lift|t-bar|j-bar|platter|mixed_lift"},
    {4, "power", "line"},
    {5, "natural", "coastline"},
};

constexpr TagRule kPointRules[] = {
    {0, "natural", "peak|volcano"},
    {1, "natural", "saddle"},
    {1, "mountain_pass", "yes"},
    {2, "place", "city|town|village|hamlet|locality|isolated_dwelling"},
    {3, "tourism", "alpine_hut|wilderness_hut"},
    {3, "amenity", "shelter"},
    {4, "natural", "spring"},
    {4, "amenity", "drinking_water"},
    {5, "tourism", "viewpoint"},
};

bool ValueMatches(std::string_view value, std::string_view values)
{
    if (value == "no")
        return false;
    if (values == "*")
        return true;
    while (!values.empty()) {
        std::size_t bar = values.find('|');
        if (values.substr(0, bar) == value)
            return true;
        if (bar == std::string_view::npos)
            break;
        values.remove_prefix(bar + 1);
    }
    return false;
}

template <std::size_t N> int FirstClass(const TagRule (&rules)[N], const TagLookup& tags)
{
    for (const TagRule& rule : rules) {
        const char* value = tags(rule.key);
        if (value && ValueMatches(value, rule.values))
            return rule.cls;
    }
    return -1;
}

} // namespace

std::span<const TagRule> AreaRules()
{
    return kAreaRules;
}

int AreaClassOf(const TagLookup& tags)
{
    return FirstClass(kAreaRules, tags);
}

int LineClassOf(const TagLookup& tags)
{
    return FirstClass(kLineRules, tags);
}

int PointClassOf(const TagLookup& tags)
{
    int cls = FirstClass(kPointRules, tags);
    if (cls == topo::kPlaces) {
        const char* name = DisplayNameOf(tags);
        if (!name || !*name) {
            // A nameless place is no place to show; the later classes may still hold it.
            for (const TagRule& rule : kPointRules) {
                if (rule.cls <= topo::kPlaces)
                    continue;
                const char* value = tags(rule.key);
                if (value && ValueMatches(value, rule.values))
                    return rule.cls;
            }
            return -1;
        }
    }
    return cls;
}

int PlaceRankOf(const char* place)
{
    static constexpr const char* kRanks[] = {"city",   "town",     "village",
                                             "hamlet", "locality", "isolated_dwelling"};
    if (place)
        for (int rank = 0; rank < 6; ++rank)
            if (std::strcmp(place, kRanks[rank]) == 0)
                return rank;
    return -1;
}

const char* DisplayNameOf(const TagLookup& tags)
{
    const char* zh = tags("name:zh");
    if (zh && *zh)
        return zh;
    return tags("name");
}

const char* EnglishNameOf(const TagLookup& tags)
{
    const char* en = tags("name:en");
    if (en && *en)
        return en;
    const char* local = tags("name");
    return local && *local ? local : nullptr;
}

bool ParseElevation(const char* text, int& metres)
{
    if (!text)
        return false;
    while (*text == ' ')
        ++text;
    // Digits, an optional sign and decimal point, read without the locale.
    const char* p = text;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    double whole = 0;
    bool digits = false;
    for (; *p >= '0' && *p <= '9'; ++p, digits = true)
        whole = whole * 10 + (*p - '0');
    if (*p == '.' || *p == ',') {
        double unit = 0.1;
        for (++p; *p >= '0' && *p <= '9'; ++p, unit /= 10, digits = true)
            whole += (*p - '0') * unit;
    }
    if (!digits || whole > 100000)
        return false;
    while (*p == ' ')
        ++p;
    // Feet where the value says so.
    if (std::strncmp(p, "ft", 2) == 0 || *p == '\'')
        whole *= 0.3048;
    metres = static_cast<int>(std::lround(negative ? -whole : whole));
    return true;
}

} // namespace hw
