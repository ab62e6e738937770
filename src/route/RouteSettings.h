#pragma once

#include "route/RouteMode.h"

namespace hw {

class SettingsStore;

// Routing settings, section "路线".
namespace route_setting {
inline constexpr const char* kSection = "路线";
inline constexpr const char* kMode = "Route Mode";                    // 0 shortest, 1 hiking
inline constexpr const char* kMaxDifficulty = "Route Max Difficulty"; // 0..6
} // namespace route_setting

// How the program plans routes: what it minimises and the hardest ways it
// may use. A stored mode other than 0 or 1 reads as hiking; a difficulty
// outside 0..6 is brought into it.
struct RouteSettings {
    RouteMode mode = RouteMode::Hiking;
    int maxDifficulty = 3;

    static RouteSettings Read(const SettingsStore& settings);
    void Write(SettingsStore& settings) const;
};

} // namespace hw
