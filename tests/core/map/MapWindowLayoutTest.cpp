#include "map/MapWindowLayout.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

TEST(MapWindowLayoutTest, TallWindowsGetAStripWideOnesAColumn)
{
    auto tall = MapWindowLayout::Compute({240, 320, true, true, true, 13});
    EXPECT_TRUE(tall.navigationAsStrip);
    EXPECT_EQ(tall.navigation, (ScreenRect{0, 267, 240, 320})); // 240 x 0.2222 = 53.3
    EXPECT_EQ(tall.altitude, (ScreenRect{0, 203, 240, 267}));   // a fifth of the height
    EXPECT_EQ(tall.averaging, (ScreenRect{0, 158, 240, 203}));  // 3.5 lines of 13
    EXPECT_EQ(tall.map, (ScreenRect{0, 0, 240, 158}));

    // 640 - 160 is not below 480: a column of a quarter of the width.
    auto wide = MapWindowLayout::Compute({640, 480, true, true, false, 13});
    EXPECT_FALSE(wide.navigationAsStrip);
    EXPECT_EQ(wide.navigation, (ScreenRect{480, 0, 640, 480}));
    EXPECT_EQ(wide.altitude, (ScreenRect{0, 384, 480, 480}));
    EXPECT_EQ(wide.map, (ScreenRect{0, 0, 480, 384}));
    auto wider = MapWindowLayout::Compute({641, 480, true, false, false, 13});
    EXPECT_EQ(wider.navigation.left, 641 - 160);

    auto bare = MapWindowLayout::Compute({320, 240, false, false, false, 13});
    EXPECT_EQ(bare.map, (ScreenRect{0, 0, 320, 240}));
    EXPECT_EQ(bare.navigation, ScreenRect{});
    // A window smaller than its strips keeps every rectangle inside it.
    auto tiny = MapWindowLayout::Compute({10, 12, true, true, true, 13});
    EXPECT_GE(tiny.map.bottom, 0);
    EXPECT_GE(tiny.averaging.top, 0);
}

} // namespace
} // namespace hw
