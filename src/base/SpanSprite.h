#pragma once

#include <cstdint>
#include <vector>

namespace hw {

// A small picture with on-off transparency, kept as its runs of opaque
// pixels, so that drawing it is a few plain copies into a 32-bit pixel
// buffer. Pixels whose alpha byte is 0 are left out; every other pixel is
// copied as it stands.
class SpanSprite {
public:
    // A rectangle of the target, right and bottom exclusive.
    struct Area {
        int left = 0, top = 0, right = 0, bottom = 0;
    };

    SpanSprite() = default;
    // Takes `width` x `height` pixels (0xAARRGGBB) from rows `stride` pixels apart.
    SpanSprite(const uint32_t* pixels, int stride, int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return spans_.empty(); }

    // Draws the sprite with its top left corner at (x, y) into `target`
    // (rows `stride` pixels apart), touching only pixels inside `clip`.
    void Draw(uint32_t* target, int stride, const Area& clip, int x, int y) const;

private:
    struct Span {
        int16_t row, column, length;
        int32_t first; // index of its first pixel in pixels_
    };
    int width_ = 0, height_ = 0;
    std::vector<Span> spans_;
    std::vector<uint32_t> pixels_;
};

} // namespace hw
