#pragma once

#include <functional>
#include <span>

namespace hw {

// The classes of the topographic layer kept from OpenStreetMap data.
inline constexpr int kAreaClassCount = 8;  // water ... buildings
inline constexpr int kLineClassCount = 6;  // rivers ... coastline
inline constexpr int kPointClassCount = 6; // peaks ... viewpoints
inline constexpr unsigned kAllAreaClasses = (1u << kAreaClassCount) - 1;
inline constexpr unsigned kAllLineClasses = (1u << kLineClassCount) - 1;
inline constexpr unsigned kAllPointClasses = (1u << kPointClassCount) - 1;

namespace topo {
enum Area { kWater, kWood, kGrass, kFarmland, kBuiltUp, kRock, kWetland, kBuildings };
enum Line { kRivers, kStreams, kCliffs, kAerialways, kPowerLines, kCoastline };
enum Point { kPeaks, kPasses, kPlaces, kHuts, kDrinkingWater, kViewpoints };
} // namespace topo

// A tag and the values that put an element in a class, "|"-separated; "*"
// takes any value but "no".
struct TagRule {
    int cls;
    const char* key;
    const char* values;
};
// The rules of the areas in order (the first match decides), for a reader
// that picks the candidate areas before assembling them.
std::span<const TagRule> AreaRules();

// The value of a tag by its key, nullptr when the element lacks it.
using TagLookup = std::function<const char*(const char* key)>;

// The first class of each kind whose tags an element has, -1 for none. A
// value "no" never matches; places count only with a name.
int AreaClassOf(const TagLookup& tags);
int LineClassOf(const TagLookup& tags);
int PointClassOf(const TagLookup& tags);

// The rank of a place by its "place" value, 0 for a city up to 5 for an
// isolated dwelling; -1 for others.
int PlaceRankOf(const char* place);

// The name shown for an element: "name:zh" where present, else "name".
const char* DisplayNameOf(const TagLookup& tags);
// The name shown in an English interface: "name:en" where present, else the
// local "name" (null when neither is: the shown name stands).
const char* EnglishNameOf(const TagLookup& tags);

// An "ele" value in whole metres ("2962", "1234.5", "812 m"); false when
// it does not start with a number.
bool ParseElevation(const char* text, int& metres);

} // namespace hw
