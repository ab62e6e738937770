#pragma once

#include "base/SettingsStore.h"
#include "base/Translate.h"

#include <array>

namespace hw {

// What the units dialog ("单位") offers and stores: three combo boxes whose
// index is the stored value.
class UnitsDialogModel {
public:
    // Translated in the context kContext when shown.
    static constexpr const char* kContext = "UnitsDialog";
    static constexpr const char* kTitle = HW_TRANSLATE_NOOP("UnitsDialog", "单位");
    static constexpr const char* kDistanceSpeedCaption =
        HW_TRANSLATE_NOOP("UnitsDialog", "距离/速度:");
    static constexpr const char* kAltitudeCaption = HW_TRANSLATE_NOOP("UnitsDialog", "高度/仰角:");
    static constexpr const char* kPositionCaption = HW_TRANSLATE_NOOP("UnitsDialog", "位置格式:");
    static constexpr std::array<const char*, 3> kDistanceSpeedItems{
        HW_TRANSLATE_NOOP("UnitsDialog", "法定"), HW_TRANSLATE_NOOP("UnitsDialog", "海里"),
        HW_TRANSLATE_NOOP("UnitsDialog", "公制")};
    static constexpr std::array<const char*, 2> kAltitudeItems{
        HW_TRANSLATE_NOOP("UnitsDialog", "英尺"), HW_TRANSLATE_NOOP("UnitsDialog", "米")};
    static constexpr std::array<const char*, 3> kPositionItems{"ddd°mm.mmmm", "ddd°mm'ss.sss",
                                                               "ddd.dddddd°"};

    struct Choice {
        int distanceSpeed = 0;
        int altitude = 0;
        int positionFormat = 0;
    };

    // The stored values; one outside its list shows as the first item.
    static Choice Load(const SettingsStore& settings);
    static void Store(SettingsStore& settings, const Choice& choice);
};

} // namespace hw
