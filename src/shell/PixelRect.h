#pragma once

namespace hw {

// A rectangle in device pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    PixelRect Inflated(int by) const { return {left - by, top - by, right + by, bottom + by}; }
    bool operator==(const PixelRect&) const = default;
};

} // namespace hw
