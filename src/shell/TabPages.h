#pragma once

#include "base/NavKey.h"
#include "base/Translate.h"

#include <array>

namespace hw {

// The pages of the tab container, in tab order; the titles are translated
// when shown.
struct TabPageInfo {
    const char* title;
    const char* windowName;
    int controlId;
};

enum TabPage { kGpsPage = 0, kGaugePage = 1, kTripPage = 2, kMapPage = 3, kAnalysisPage = 4 };

inline constexpr int kTabStripId = 184;
inline constexpr int kMaxTabPages = 16;
inline constexpr std::array<TabPageInfo, 5> kTabPages{{
    {"GPS", "GPSStatusWnd", 259},
    {HW_TRANSLATE_NOOP("TabPages", "面板"), "面板", 266},
    {HW_TRANSLATE_NOOP("TabPages", "旅行"), "DigitalPanel", 257},
    {HW_TRANSLATE_NOOP("TabPages", "地图"), "MapWnd", 260},
    {HW_TRANSLATE_NOOP("TabPages", "分析"), "AnalysisWnd", 256},
}};

// "启用标签窗口" in "设置", default 1: whether the tab strip shows.
inline constexpr const char* kTabStripSetting = "启用标签窗口";

// Where a key goes while `shown` is the visible page.
enum class KeyRoute {
    PageUpDown,  // Up or Down to the visible map, analysis or GPS page; no further
    TripFirst,   // first to the trip panel; if it does not take it, as below
    SwitchPages, // Left or Right: the previous or next page
    Ignore,
};
KeyRoute RouteKey(int shown, NavKey key);

// The page after `current` (forward) or before it, wrapping around.
int NextPage(int current, int count, bool forward);

} // namespace hw
