#pragma once

#include <cstdint>

namespace hw {

// A colour as the handheld stored it: 0x00BBGGRR.
using Colorref = uint32_t;

constexpr Colorref Rgb(int r, int g, int b)
{
    return static_cast<Colorref>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colorref c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Colorref c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colorref c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// The colour with its HSL lightness replaced by `lightness` (0 to 1); hue and
// saturation stay.
Colorref WithLightness(Colorref colour, double lightness);

} // namespace hw
