#include "shell/StringTable.h"

#include <algorithm>
#include <iterator>

namespace hw {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by id.
constexpr Entry kStrings[] = {
    {510, "ft"},   {511, "km"},  {512, "Km/h"},
    {513, "KT"},   {514, "m"},   {515, "MPH"},
    {516, "nmi"},  {519, "mi"},  {520, "X100 ft per min"},
    {521, "ft/s"}, {523, "m/s"},
};

constexpr bool IsSorted()
{
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    return true;
}
static_assert(IsSorted(), "string table must be sorted by id without repeats");

} // namespace

const char* LoadString(int id)
{
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const Entry& e, int key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id)
        return "";
    return it->text;
}

} // namespace hw
