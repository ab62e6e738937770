#include "base/SpanSprite.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hw;

namespace {

constexpr uint32_t kClear = 0x00FF00FF, kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kBack = 0xFF101010;

// A 4 x 3 sprite with holes in each row, kept in a wider buffer (stride 6).
std::vector<uint32_t> Source()
{
    return {kRed,   kClear, kBlue,  kRed,   9, 9, //
            kClear, kClear, kClear, kClear, 9, 9, //
            kBlue,  kBlue,  kClear, kRed,   9, 9};
}

struct Target {
    int width = 8, height = 6;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(48, kBack);
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

} // namespace

TEST(SpanSpriteTest, CopiesOpaquePixelsAndLeavesTransparentOnesAlone)
{
    const std::vector<uint32_t> source = Source();
    const SpanSprite sprite(source.data(), 6, 4, 3);
    EXPECT_EQ(sprite.Width(), 4);
    EXPECT_FALSE(sprite.Empty());
    Target t;
    sprite.Draw(t.pixels.data(), t.width, {0, 0, t.width, t.height}, 2, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const uint32_t want = source[static_cast<size_t>(y * 6 + x)];
            EXPECT_EQ(t.At(2 + x, 1 + y), want == kClear ? kBack : want) << x << "," << y;
        }
    // Nothing outside the sprite's box was touched (nor the source's padding).
    int touched = 0;
    for (uint32_t p : t.pixels)
        touched += p != kBack;
    EXPECT_EQ(touched, 6);
}

TEST(SpanSpriteTest, ClipsToTheAreaOnEverySideAndSkipsWhollyOutside)
{
    const std::vector<uint32_t> source = Source();
    const SpanSprite sprite(source.data(), 6, 4, 3);
    Target t;
    // Half off the left and top, clipped to the area (1,1)-(8,6).
    sprite.Draw(t.pixels.data(), t.width, {1, 1, 8, 6}, -1, -1);
    EXPECT_EQ(t.At(0, 1), kBack); // the sprite's blue, left of the clip
    EXPECT_EQ(t.At(1, 1), kBack); // a clear pixel
    EXPECT_EQ(t.At(2, 1), kRed);
    // Off the right and bottom edges: only what lies inside is drawn.
    Target r;
    sprite.Draw(r.pixels.data(), r.width, {0, 0, r.width, r.height}, 6, 5);
    EXPECT_EQ(r.At(6, 5), kRed);
    EXPECT_EQ(r.At(7, 5), kBack);
    // Wholly outside in each direction: untouched.
    Target o;
    for (auto [x, y] : {std::pair{-4, 0}, {8, 0}, {0, -3}, {0, 6}, {-100000, 100000}})
        sprite.Draw(o.pixels.data(), o.width, {0, 0, o.width, o.height}, x, y);
    for (uint32_t p : o.pixels)
        EXPECT_EQ(p, kBack);
}

TEST(SpanSpriteTest, AWhollyTransparentPictureIsEmpty)
{
    const std::vector<uint32_t> clear(9, kClear);
    EXPECT_TRUE(SpanSprite(clear.data(), 3, 3, 3).Empty());
    EXPECT_TRUE(SpanSprite().Empty());
}

TEST(SpanSpriteTest, RunsOfEveryLengthArriveWholeWhenInsideOrClipped)
{
    // One row a run length, 1 to 15 opaque pixels after one clear pixel, each
    // pixel numbered so that a shifted or short copy shows.
    constexpr int kW = 16, kH = 15;
    std::vector<uint32_t> source(kW * kH, kClear);
    for (int y = 0; y < kH; ++y)
        for (int x = 1; x <= y + 1; ++x)
            source[static_cast<size_t>(y * kW + x)] =
                0xFF000000u | static_cast<uint32_t>(y * kW + x);
    const SpanSprite sprite(source.data(), kW, kW, kH);
    for (const int clipRight : {40, 9}) { // wholly inside, then cut at x = 9
        std::vector<uint32_t> target(40 * 20, kBack);
        sprite.Draw(target.data(), 40, {0, 0, clipRight, 20}, 3, 2);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) {
                const int sx = x - 3, sy = y - 2;
                uint32_t want = kBack;
                if (x < clipRight && sx >= 0 && sx < kW && sy >= 0 && sy < kH &&
                    source[static_cast<size_t>(sy * kW + sx)] != kClear)
                    want = source[static_cast<size_t>(sy * kW + sx)];
                ASSERT_EQ(target[static_cast<size_t>(y * 40 + x)], want)
                    << x << "," << y << " clip " << clipRight;
            }
    }
}
