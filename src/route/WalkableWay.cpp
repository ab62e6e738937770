#include "route/WalkableWay.h"

#include <span>
#include <string_view>

namespace hw {
namespace {

bool OneOf(const char* value, std::span<const std::string_view> values)
{
    if (!value)
        return false;
    for (std::string_view v : values)
        if (v == value)
            return true;
    return false;
}

constexpr std::string_view kWalkableHighways[] = {
    "footway",        "path",     "pedestrian",    "steps",         "track",
    "bridleway",      "cycleway", "living_street", "residential",   "service",
    "unclassified",   "road",     "tertiary",      "tertiary_link", "secondary",
    "secondary_link", "primary",  "primary_link",  "trunk",         "trunk_link"};
constexpr std::string_view kNotBuilt[] = {"construction", "proposed", "abandoned", "razed"};
constexpr std::string_view kFootAllowed[] = {"yes", "designated", "official", "permissive"};
constexpr std::string_view kBarred[] = {"no", "private", "restricted", "military", "emergency"};

} // namespace

int SacScaleDifficulty(const char* value)
{
    if (!value)
        return 0;
    constexpr std::string_view kScale[] = {
        "hiking",        "mountain_hiking",         "demanding_mountain_hiking",
        "alpine_hiking", "demanding_alpine_hiking", "difficult_alpine_hiking"};
    for (int i = 0; i < kMaxDifficulty; ++i)
        if (kScale[i] == value)
            return i + 1;
    return kMaxDifficulty;
}

int WalkableDifficulty(const TagLookup& tags)
{
    const char* highway = tags("highway");
    if (!highway)
        return -1;
    const char* foot = tags("foot");
    const bool footAllowed = OneOf(foot, kFootAllowed);
    if (!OneOf(highway, kWalkableHighways) && (OneOf(highway, kNotBuilt) || !footAllowed))
        return -1;
    if (OneOf(foot, kBarred) || (foot && std::string_view(foot) == "use_sidepath"))
        return -1;
    if (!footAllowed && OneOf(tags("access"), kBarred))
        return -1;
    return SacScaleDifficulty(tags("sac_scale"));
}

} // namespace hw
