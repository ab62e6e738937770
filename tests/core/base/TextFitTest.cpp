#include "base/TextFit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hw {
namespace {

// Glyphs round up to whole pixels: a text of `chars` characters, each
// 0.62 of the height wide.
int RoundedWidth(int chars, int pixels)
{
    return chars * static_cast<int>(std::ceil(pixels * 0.62));
}

TEST(TextFitTest, ATextThatFitsKeepsItsHeightAndAWideOneShrinksUntilItFits)
{
    int calls = 0;
    const auto fiveChars = [&](int px) {
        ++calls;
        return RoundedWidth(5, px);
    };
    EXPECT_EQ(PixelsToFit(47, 160, fiveChars), 47); // 5 x 30 = 150
    EXPECT_EQ(calls, 1);

    // "359.9°" in a 139-pixel strip cell: the largest height that fits,
    // found although the widths are not proportional to the height.
    const auto sixChars = [](int px) { return RoundedWidth(6, px); };
    const int px = PixelsToFit(47, 139, sixChars);
    EXPECT_LE(sixChars(px), 139);
    EXPECT_GT(sixChars(px + 1), 139);
}

TEST(TextFitTest, NoRoomOrAnEmptyMeasureNeverGivesLessThanOnePixel)
{
    const auto wide = [](int px) { return 100 * px; };
    EXPECT_EQ(PixelsToFit(40, 0, wide), 1);
    EXPECT_EQ(PixelsToFit(40, -5, wide), 1);
    EXPECT_EQ(PixelsToFit(0, 10, wide), 1);
    EXPECT_EQ(PixelsToFit(1, 10, wide), 1);
    EXPECT_EQ(PixelsToFit(40, 10, [](int) { return 0; }), 40);
}

} // namespace
} // namespace hw
