#include "waypoints/WaypointManagerColumns.h"

#include "base/FormatString.h"
#include "base/SettingsStore.h"
#include "base/Translate.h"

#include <utility>

namespace hw {
namespace {

std::string Indexed(const char* prefix, int index)
{
    return FormatString("%s%d", prefix, index);
}

} // namespace

WaypointManagerColumns::WaypointManagerColumns()
{
    for (int i = 0; i < kSlotCount; ++i)
        slots_[static_cast<size_t>(i)] = {i, true};
}

std::string WaypointManagerColumns::Header(int kind)
{
    switch (kind) {
    case kColumnName: return Translate("WaypointManagerColumns", "Name");
    case kColumnDistance: return Translate("WaypointManagerColumns", "距离");
    case kColumnSymbol: return Translate("WaypointManagerColumns", "图标");
    case kColumnComment: return Translate("WaypointManagerColumns", "注释");
    case kColumnFieldNotes: return Translate("WaypointManagerColumns", "Field Notes");
    case kColumnTimeFound: return Translate("WaypointManagerColumns", "Time Found");
    default: return "COL ERROR";
    }
}

void WaypointManagerColumns::Load(const SettingsStore& settings)
{
    using namespace manager_setting;
    for (int i = 0; i < kSlotCount; ++i) {
        Slot& slot = slots_[static_cast<size_t>(i)];
        slot.kind = settings.GetInt(kColumnSection, Indexed(kColumnKind, i), i);
        slot.shown = settings.GetInt(kColumnSection, Indexed(kColumnShown, i), 1) != 0;
    }
}

void WaypointManagerColumns::Store(SettingsStore& settings) const
{
    using namespace manager_setting;
    for (int i = 0; i < kSlotCount; ++i) {
        const Slot& slot = slots_[static_cast<size_t>(i)];
        settings.SetInt(kColumnSection, Indexed(kColumnKind, i), slot.kind);
        settings.SetInt(kColumnSection, Indexed(kColumnShown, i), slot.shown ? 1 : 0);
    }
}

std::vector<int> WaypointManagerColumns::LoadWidths(const SettingsStore& settings, int count,
                                                    int defaultWidth)
{
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
        const int w = settings.GetInt(manager_setting::kColumnSection,
                                      Indexed(manager_setting::kColumnWidth, i), defaultWidth);
        // A width the list could not show (hand-edited or lost) takes the default.
        widths.push_back(w > 0 && w <= 10000 ? w : defaultWidth);
    }
    return widths;
}

void WaypointManagerColumns::StoreWidths(SettingsStore& settings, const std::vector<int>& widths)
{
    for (size_t i = 0; i < widths.size(); ++i)
        settings.SetInt(manager_setting::kColumnSection,
                        Indexed(manager_setting::kColumnWidth, static_cast<int>(i)), widths[i]);
}

void WaypointManagerColumns::SetShown(int slot, bool shown)
{
    if (slot >= 0 && slot < kSlotCount)
        slots_[static_cast<size_t>(slot)].shown = shown;
}

std::vector<int> WaypointManagerColumns::ShownKinds() const
{
    std::vector<int> kinds;
    for (int i = 0; i < kSlotCount; ++i) {
        const Slot& slot = slots_[static_cast<size_t>(i)];
        if (i == 0 || slot.shown)
            kinds.push_back(slot.kind);
    }
    return kinds;
}

int WaypointManagerColumns::KindOfColumn(int column) const
{
    const std::vector<int> kinds = ShownKinds();
    return column >= 0 && column < static_cast<int>(kinds.size())
               ? kinds[static_cast<size_t>(column)]
               : -1;
}

bool WaypointManagerColumns::MoveUp(int slot)
{
    if (slot <= 0 || slot >= kSlotCount)
        return false;
    std::swap(slots_[static_cast<size_t>(slot)], slots_[static_cast<size_t>(slot - 1)]);
    return true;
}

bool WaypointManagerColumns::MoveDown(int slot)
{
    if (slot < 0 || slot >= kSlotCount - 1)
        return false;
    std::swap(slots_[static_cast<size_t>(slot)], slots_[static_cast<size_t>(slot + 1)]);
    return true;
}

} // namespace hw
