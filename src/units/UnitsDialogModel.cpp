#include "units/UnitsDialogModel.h"

#include "units/UnitFormatter.h"

namespace hw {
namespace {
int InRange(int value, std::size_t count)
{
    return value >= 0 && static_cast<std::size_t>(value) < count ? value : 0;
}
} // namespace

UnitsDialogModel::Choice UnitsDialogModel::Load(const SettingsStore& settings)
{
    Choice c;
    c.distanceSpeed = InRange(settings.GetInt(section::kSettings, unit_setting::kDistanceSpeed, 0),
                              kDistanceSpeedItems.size());
    c.altitude = InRange(settings.GetInt(section::kSettings, unit_setting::kAltitude, 0),
                         kAltitudeItems.size());
    c.positionFormat =
        InRange(settings.GetInt(section::kSettings, unit_setting::kPositionFormat, 0),
                kPositionItems.size());
    return c;
}

void UnitsDialogModel::Store(SettingsStore& settings, const Choice& choice)
{
    settings.SetInt(section::kSettings, unit_setting::kDistanceSpeed, choice.distanceSpeed);
    settings.SetInt(section::kSettings, unit_setting::kAltitude, choice.altitude);
    settings.SetInt(section::kSettings, unit_setting::kPositionFormat, choice.positionFormat);
}

} // namespace hw
