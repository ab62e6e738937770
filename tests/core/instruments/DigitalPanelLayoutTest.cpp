#include "instruments/DigitalPanelLayout.h"

#include "base/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

TEST(DigitalPanelLayoutTest, FreshPanelsShowSpeedAndDistanceAndCellNineteenIsStoredAsTwentyNine)
{
    MemorySettingsStore settings;
    DigitalPanelLayout page;
    page.Load(settings);
    EXPECT_EQ(page.Rows(), 2);
    EXPECT_EQ(page.Columns(), 1);
    EXPECT_EQ(page.Type(0), 1);
    EXPECT_EQ(page.Type(1), 2);
    EXPECT_EQ(page.Type(11), 12);
    EXPECT_EQ(page.Type(12), 0);

    page.SetType(19, 9, settings);
    EXPECT_EQ(settings.GetInt("Digital Panel", "Panel Type 29", -1), 9);
    EXPECT_EQ(settings.GetInt("Digital Panel", "Panel Type 19", -1), -1);

    DigitalPanelLayout strip("MapView");
    strip.SetType(2, 24, settings);
    EXPECT_EQ(settings.GetInt("Digital PanelMapView", "Panel Type 2", -1), 24);
    DigitalPanelLayout again("MapView");
    again.Load(settings);
    EXPECT_EQ(again.Type(2), 24);
    EXPECT_EQ(again.Type(19), 0); // the page's cell 19 is not the strip's
}

TEST(DigitalPanelLayoutTest, StoredLayoutSurvivesAndStripsAreNotStored)
{
    MemorySettingsStore settings;
    DigitalPanelLayout page;
    page.SetLayout(5, 4, &settings);
    DigitalPanelLayout strip("PanelView");
    strip.SetLayout(1, 3, nullptr);
    DigitalPanelLayout reloaded;
    reloaded.Load(settings);
    EXPECT_EQ(reloaded.Rows(), 5);
    EXPECT_EQ(reloaded.Columns(), 4);
    DigitalPanelLayout stripReloaded("PanelView");
    stripReloaded.Load(settings);
    EXPECT_EQ(stripReloaded.Rows(), 2);
}

TEST(DigitalPanelLayoutTest, LayoutCommandsGiveColumnsThenRows)
{
    int rows = 0, columns = 0;
    ASSERT_TRUE(DigitalPanelLayout::LayoutOfCommand(1007, rows, columns)); // "2X5"
    EXPECT_EQ(columns, 2);
    EXPECT_EQ(rows, 5);
    ASSERT_TRUE(DigitalPanelLayout::LayoutOfCommand(1015, rows, columns)); // "4X5"
    EXPECT_EQ(columns, 4);
    EXPECT_EQ(rows, 5);
    EXPECT_FALSE(DigitalPanelLayout::LayoutOfCommand(1016, rows, columns));
    EXPECT_FALSE(DigitalPanelLayout::LayoutOfCommand(999, rows, columns));
}

TEST(DigitalPanelLayoutTest, CellRectanglesAreShrunkByOneAndTapsFindTheirCell)
{
    DigitalPanelLayout l;
    l.SetLayout(3, 2, nullptr);
    // 481 x 301: cells of 240 x 100, the odd pixel unused
    EXPECT_EQ(l.CellRect(481, 301, 0, 0), (ScreenRect{1, 1, 239, 99}));
    EXPECT_EQ(l.CellRect(481, 301, 1, 2), (ScreenRect{241, 201, 479, 299}));
    EXPECT_EQ(l.CellAt(481, 301, {250, 150}), 3);
    EXPECT_EQ(l.CellAt(481, 301, {480, 10}), -1);
    l.SetLayout(1, 3, nullptr);
    EXPECT_EQ(l.CellRect(240, 40, 2, 0), (ScreenRect{161, 1, 239, 39}));
}

TEST(DigitalPanelLayoutTest, FontsFollowTheCellSize)
{
    DigitalPanelLayout one;
    one.SetLayout(1, 1, nullptr);
    DigitalPanelFonts big = one.Fonts(240, 268, true);
    EXPECT_EQ(big.valuePixels, 71);
    EXPECT_EQ(big.labelTenths, 160);
    EXPECT_TRUE(big.valueBold);

    DigitalPanelLayout strip;
    strip.SetLayout(1, 3, nullptr);
    DigitalPanelFonts small = strip.Fonts(240, 40, true);
    EXPECT_EQ(small.valuePixels, 19);
    EXPECT_EQ(small.labelTenths, 70);
    EXPECT_FALSE(small.valueBold);

    // wide at 96 dpi: from the height
    DigitalPanelFonts wide = DigitalPanelLayout::FontsForCell(400, 100, true);
    EXPECT_EQ(wide.valuePixels, 62);
    EXPECT_EQ(wide.labelTenths, 76); // 180 would cover the value
    DigitalPanelFonts wideStrip = DigitalPanelLayout::FontsForCell(800, 215, true);
    EXPECT_EQ(wideStrip.valuePixels, 134);
    EXPECT_EQ(wideStrip.labelTenths, 162);
    // other densities
    DigitalPanelFonts hi = DigitalPanelLayout::FontsForCell(140, 100, false);
    EXPECT_EQ(hi.valuePixels, 32); // 40 less a fifth: label 46 raised to 50
    EXPECT_EQ(hi.labelTenths, 50);
}

TEST(DigitalPanelLayoutTest, SelectionWrapsWithinRowAndColumn)
{
    DigitalPanelLayout l;
    l.SetLayout(3, 2, nullptr);
    using M = DigitalPanelLayout::Move;
    EXPECT_EQ(l.Moved(1, M::Right), 0);
    EXPECT_EQ(l.Moved(3, M::Right), 2);
    EXPECT_EQ(l.Moved(2, M::Left), 3);
    EXPECT_EQ(l.Moved(2, M::Right), 3);
    EXPECT_EQ(l.Moved(1, M::Up), 5);
    EXPECT_EQ(l.Moved(4, M::Down), 0);
    EXPECT_EQ(l.Moved(2, M::Down), 4);
    EXPECT_EQ(l.Moved(5, M::Up), 3);
}

TEST(DigitalPanelLayoutTest, CornersFollowTheCellShape)
{
    EXPECT_EQ(DigitalPanelLayout::CornerSize({0, 0, 80, 38}), 10);
    EXPECT_EQ(DigitalPanelLayout::CornerSize({0, 0, 400, 100}), 25);
    // The value keeps half a corner clear on each side: 158 - 19 in a strip
    // cell of a 480-pixel screen, 400 - 25 in a wide cell.
    EXPECT_EQ(DigitalPanelLayout::ValueRoom({1, 1, 159, 106}), 139);
    EXPECT_EQ(DigitalPanelLayout::ValueRoom({0, 0, 400, 100}), 375);
    EXPECT_EQ(DigitalPanelLayout::ValueRoom({0, 0, 0, 0}), 1);
}

// Label (left) and unit (right) on the head line never touch: swept over
// cell widths down to the 120-pixel cells of a 5-column panel and texts of
// every length, with a font whose texts are 0.6 of their height per letter.
TEST(DigitalPanelLayoutTest, LabelAndUnitShrinkRatherThanTouch)
{
    for (int width = 40; width <= 400; width += 7) {
        const ScreenRect cell{0, 0, width, 60};
        const int corner = DigitalPanelLayout::CornerSize(cell);
        const int left = corner / 2;
        const int right = width - corner / 2;
        for (int labelLetters = 0; labelLetters <= 14; ++labelLetters) {
            for (int unitLetters = 0; unitLetters <= 5; ++unitLetters) {
                const auto widthOf = [](int letters, int px) { return letters * px * 6 / 10; };
                const auto both = [&](int px) {
                    return widthOf(labelLetters, px) + widthOf(unitLetters, px);
                };
                const int px = DigitalPanelLayout::HeadPixels(16, cell, both);
                ASSERT_GE(px, 1);
                ASSERT_LE(px, 16);
                const int labelEnd = left + widthOf(labelLetters, px);
                const int unitStart = right - widthOf(unitLetters, px);
                if (px > 1) {
                    EXPECT_LE(labelEnd + DigitalPanelLayout::kHeadGap, unitStart)
                        << "width " << width << ", " << labelLetters << "+" << unitLetters;
                }
                // What fits keeps its size.
                if (both(16) + DigitalPanelLayout::kHeadGap <= right - left) {
                    EXPECT_EQ(px, 16);
                }
            }
        }
    }
}

} // namespace
} // namespace hw
