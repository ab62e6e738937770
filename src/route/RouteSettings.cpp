#include "route/RouteSettings.h"

#include "base/SettingsStore.h"
#include "route/WalkableWay.h"

#include <algorithm>

namespace hw {

RouteSettings RouteSettings::Read(const SettingsStore& settings)
{
    namespace rs = route_setting;
    RouteSettings s;
    s.mode =
        settings.GetInt(rs::kSection, rs::kMode, 1) == 0 ? RouteMode::Shortest : RouteMode::Hiking;
    s.maxDifficulty = std::clamp(settings.GetInt(rs::kSection, rs::kMaxDifficulty, s.maxDifficulty),
                                 0, kMaxDifficulty);
    return s;
}

void RouteSettings::Write(SettingsStore& settings) const
{
    namespace rs = route_setting;
    settings.SetInt(rs::kSection, rs::kMode, mode == RouteMode::Shortest ? 0 : 1);
    settings.SetInt(rs::kSection, rs::kMaxDifficulty, std::clamp(maxDifficulty, 0, kMaxDifficulty));
}

} // namespace hw
