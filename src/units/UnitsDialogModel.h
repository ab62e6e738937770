#pragma once

#include "base/SettingsStore.h"

#include <array>

namespace hw {

// What the units dialog ("单位") offers and stores: three combo boxes whose
// index is the stored value.
class UnitsDialogModel {
public:
    static constexpr const char* kTitle = "单位";
    static constexpr const char* kDistanceSpeedCaption = "距离/速度:";
    static constexpr const char* kAltitudeCaption = "高度/仰角:";
    static constexpr const char* kPositionCaption = "位置格式:";
    static constexpr std::array<const char*, 3> kDistanceSpeedItems{"法定", "海里", "公制"};
    static constexpr std::array<const char*, 2> kAltitudeItems{"英尺", "米"};
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
