#include "terrain/ShadeMultiply.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace hw {
namespace {

constexpr uint32_t kGround = 0xff806040u; // red 128, green 96, blue 64

struct Picture {
    int width, height;
    std::vector<uint32_t> pixels;
    Picture(int w, int h, uint32_t fill = kGround)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill)
    {
    }
    RgbPixels View() { return {pixels.data(), width, height, width}; }
    uint32_t At(int x, int y) const
    {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    ScreenRect All() const { return {0, 0, width, height}; }
};

int Red(uint32_t p)
{
    return static_cast<int>((p >> 16) & 0xff);
}

// A tile's cells in a ring that repeats its edge, as at the edge of the data.
std::vector<uint8_t> Ringed(const std::vector<uint8_t>& cells, int size)
{
    const int side = size + 2;
    std::vector<uint8_t> ringed(static_cast<size_t>(side * side));
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c)
            ringed[static_cast<size_t>(r * side + c)] = cells[static_cast<size_t>(
                std::clamp(r - 1, 0, size - 1) * size + std::clamp(c - 1, 0, size - 1))];
    return ringed;
}

// The tile (its cells ringed) scaled by `scale` pixels a cell, its corner at (x, y).
ShadeTileOnPicture Scaled(const std::vector<uint8_t>& ringed, int size, double x, double y,
                          double scale)
{
    return {ringed.data(), size, x, y, scale, 0, 0, scale};
}

TEST(ShadeMultiplyTest, ATileOnePixelACellMultipliesEachPixelByItsCellAndNothingElse)
{
    const std::vector<uint8_t> cells = {255, 128, 0, 64, 200, 100, 50, 25, 1};
    const std::vector<uint8_t> ringed = Ringed(cells, 3);
    Picture picture(12, 10);
    const ShadeTileOnPicture tile = Scaled(ringed, 3, 4, 5, 1);
    ShadeMultiply::Apply(picture.View(), picture.All(), {&tile, 1});
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.At(x, y);
            const bool on = x >= 4 && x < 7 && y >= 5 && y < 8;
            if (!on) {
                EXPECT_EQ(p, kGround) << x << "," << y;
                continue;
            }
            const int m = cells[static_cast<size_t>((y - 5) * 3 + (x - 4))];
            // Each channel times m / 255, rounded; the pixel stays opaque.
            EXPECT_EQ(p >> 24, 0xffu);
            EXPECT_EQ(Red(p), (128 * m + 127) / 255) << x << "," << y;
            EXPECT_EQ(static_cast<int>((p >> 8) & 0xff), (96 * m + 127) / 255);
            EXPECT_EQ(static_cast<int>(p & 0xff), (64 * m + 127) / 255);
        }
}

TEST(ShadeMultiplyTest, BetweenCellCentresTheMultiplierRunsLinearlyAndTheOuterHalfCellsHoldTheEdge)
{
    // Black cells on the left, white on the right, 8 pixels a cell, over white.
    const std::vector<uint8_t> cells = Ringed({0, 255, 0, 255}, 2);
    Picture picture(16, 16, 0xffffffffu);
    const ShadeTileOnPicture tile = Scaled(cells, 2, 0, 0, 8);
    ShadeMultiply::Apply(picture.View(), picture.All(), {&tile, 1});
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            // The pixel's centre, in cells from the first cell's centre.
            const double t = (x + 0.5) / 8 - 0.5;
            const int expected = t <= 0 ? 0 : t >= 1 ? 255 : static_cast<int>(255 * t);
            EXPECT_LE(std::abs(Red(picture.At(x, y)) - expected), 1) << x << "," << y;
        }
    EXPECT_EQ(Red(picture.At(3, 0)), 0);
    EXPECT_EQ(Red(picture.At(12, 15)), 255);
}

TEST(ShadeMultiplyTest, NeighbouringTilesBlendAcrossTheirSeamWithoutAStep)
{
    // Two tiles side by side, black and white, 8 pixels a cell: each ring
    // holds the other's cells, so the multiplier runs from black to white
    // between the two cells' centres, across the seam, with no step.
    // Each tile is one cell in a ring of three by three; the column beyond
    // the seam holds the other tile's cell, the rest its own.
    const std::vector<uint8_t> west = {0, 0, 255, 0, 0, 255, 0, 0, 255};
    const std::vector<uint8_t> east = {0, 255, 255, 0, 255, 255, 0, 255, 255};
    Picture picture(16, 8, 0xffffffffu);
    const ShadeTileOnPicture tiles[] = {Scaled(west, 1, 0, 0, 8), Scaled(east, 1, 8, 0, 8)};
    ShadeMultiply::Apply(picture.View(), picture.All(), tiles);
    int last = -1;
    for (int x = 0; x < 16; ++x) {
        const double t = (x + 0.5 - 4) / 8; // from the west cell's centre to the east one's
        const int expected = t <= 0 ? 0 : t >= 1 ? 255 : static_cast<int>(255 * t);
        const int red = Red(picture.At(x, 3));
        EXPECT_LE(std::abs(red - expected), 1) << x;
        EXPECT_GE(red, last) << x;
        last = red;
    }
}

TEST(ShadeMultiplyTest, ACourseUpTileTurnsWithTheView)
{
    std::vector<uint8_t> own(16);
    for (size_t i = 0; i < own.size(); ++i)
        own[i] = static_cast<uint8_t>(i * 17);
    const std::vector<uint8_t> cells = Ringed(own, 4);
    Picture upright(20, 20, 0xffffffffu), turned(20, 20, 0xffffffffu);
    const ShadeTileOnPicture north = Scaled(cells, 4, 0, 0, 5);
    ShadeMultiply::Apply(upright.View(), upright.All(), {&north, 1});
    // A quarter turn clockwise: east runs down the picture, south to the left.
    const ShadeTileOnPicture east{cells.data(), 4, 20, 0, 0, 5, -5, 0};
    ShadeMultiply::Apply(turned.View(), turned.All(), {&east, 1});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_LE(std::abs(Red(turned.At(x, y)) - Red(upright.At(y, 19 - x))), 1)
                << x << "," << y;
}

TEST(ShadeMultiplyTest, PixelsOutsideTheClipAndThePictureAreLeftAlone)
{
    const std::vector<uint8_t> cells(66 * 66, 0);
    Picture picture(300, 200);
    // Larger than the picture on every side, and split among threads.
    const ShadeTileOnPicture tile = Scaled(cells, 64, -50, -40, 7);
    const ScreenRect clip{10, 20, 290, 180};
    ShadeMultiply::Apply(picture.View(), clip, {&tile, 1});
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            ASSERT_EQ(picture.At(x, y), clip.Contains({x, y}) ? 0xff000000u : kGround)
                << x << "," << y;
    // A tile with no area, or no cells, changes nothing.
    Picture untouched(8, 8);
    const ShadeTileOnPicture flat{cells.data(), 64, 0, 0, 1, 0, 2, 0};
    const ShadeTileOnPicture none{nullptr, 64, 0, 0, 1, 0, 0, 1};
    for (const ShadeTileOnPicture& t : {flat, none})
        ShadeMultiply::Apply(untouched.View(), untouched.All(), {&t, 1});
    EXPECT_EQ(untouched.pixels, Picture(8, 8).pixels);
}

} // namespace
} // namespace hw
