#include "route/RoutePlanText.h"

#include "base/MemorySettingsStore.h"
#include "route/RouteSettings.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace hw {
namespace {

TEST(RouteSettingsTest, StoredValuesReadWithinTheirRanges)
{
    struct Case {
        std::optional<int> mode, difficulty; // nothing: not stored
        RouteMode readMode;
        int readDifficulty;
    };
    const Case cases[] = {
        {{}, {}, RouteMode::Hiking, 3}, {0, 0, RouteMode::Shortest, 0},
        {1, 6, RouteMode::Hiking, 6},   {7, -2, RouteMode::Hiking, 0},
        {0, 9, RouteMode::Shortest, 6},
    };
    for (const Case& c : cases) {
        MemorySettingsStore settings;
        if (c.mode)
            settings.SetInt("路线", "Route Mode", *c.mode);
        if (c.difficulty)
            settings.SetInt("路线", "Route Max Difficulty", *c.difficulty);
        const RouteSettings read = RouteSettings::Read(settings);
        EXPECT_EQ(read.mode, c.readMode) << c.mode.value_or(-1);
        EXPECT_EQ(read.maxDifficulty, c.readDifficulty) << c.difficulty.value_or(-1);
        // What is written reads back the same.
        MemorySettingsStore again;
        read.Write(again);
        EXPECT_EQ(RouteSettings::Read(again).maxDifficulty, c.readDifficulty);
    }
}

TEST(RoutePlanTextTest, TheStatusBarSaysWhatCameOfAPlan)
{
    MemorySettingsStore settings; // statute miles and feet by default
    const UnitFormatter units(settings);
    const PositionFormatter positions(settings);
    const RoutePlanText texts(units, positions);
    RouteRequest request;
    request.stops = {{43.7350, 7.4235}, {44.0, 7.4}};
    const std::vector<RoutePoint> climbing = {{43.7350, 7.4235, 40}, {43.7505, 7.4030, 520}};
    const std::vector<RoutePoint> flat = {{43.7350, 7.4235, NAN}, {43.7400, 7.4235, NAN}};
    struct Case {
        RoutePlan::Status status;
        std::vector<RoutePoint> path;
        RouteFigures figures;
        bool fromCentre;
        const char* said;
    };
    using S = RoutePlan::Status;
    const Case cases[] = {
        {S::Found,
         climbing,
         {3782.6, 4526.7, 495.2, 24.5},
         false,
         "路线 2.35 mi, 爬升 1625 ft, 步行 1 小时 15 分"},
        {S::Found, flat, {556.0, 3569.0, 0, 0}, false, "路线 0.35 mi, 爬升 ---, 步行 59 分"},
        {S::Found,
         flat,
         {556.0, 3570.0, 0, 0},
         true,
         "没有定位, 从地图中心出发. 路线 0.35 mi, 爬升 ---, 步行 1 小时 00 分"},
        {S::NoRoute, {}, {}, true, "没有定位, 从地图中心出发. 这两处之间没有可步行的路线."},
        {S::TooFar, {}, {}, false, "N 44° 00.0000 E 007° 24.0000 附近 5 公里内没有可步行的道路."},
        {S::Cancelled, {}, {}, true, "已取消规划路线."},
    };
    for (const Case& c : cases) {
        RoutePlan plan;
        plan.status = c.status;
        plan.path = c.path;
        plan.figures = c.figures;
        plan.farStop = 1;
        EXPECT_EQ(texts.Outcome(plan, request, c.fromCentre), c.said);
    }
}

} // namespace
} // namespace hw
