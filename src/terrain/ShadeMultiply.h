#pragma once

#include "base/DrawList.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace hw {

// A picture of opaque pixels, 0xffRRGGBB, row by row.
struct RgbPixels {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // pixels from one row to the next
};

// A square of multipliers (0 black to 255 unchanged), one per cell, with a
// ring of its neighbours' nearest cells around it, and where the square
// lies on the picture: its outer north-west corner, and the step on the
// picture from one cell to the next along a row (east) and down a column
// (south).
struct ShadeTileOnPicture {
    const uint8_t* cells = nullptr; // size + 2 squared, row by row, the ring included
    int size = 0;
    double cornerX = 0, cornerY = 0;
    double eastX = 0, eastY = 0;
    double southX = 0, southY = 0;
};

// Multiplies a picture by tiles of hill shading laid over it, as a painter
// multiplies it by a smoothly scaled image: each pixel whose centre lies on
// a tile is scaled, channel by channel, by the multiplier there,
// interpolated bilinearly between the centres of the cells, across the
// tile's edge with the ring's cells. A north-up view, where a tile is only
// scaled, interpolates a row of cells once per line of the picture; a
// course-up one turns the tile and interpolates every pixel. The lines of
// the picture are shared among the machine's cores.
class ShadeMultiply {
public:
    static void Apply(const RgbPixels& picture, const ScreenRect& clip,
                      std::span<const ShadeTileOnPicture> tiles);
};

} // namespace hw
