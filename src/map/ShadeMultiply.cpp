#include "map/ShadeMultiply.h"

#include "map/HillShade.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace hw {
namespace {

// Positions on a tile in cells with 32 bits of fraction.
using Fixed = int64_t;
constexpr int kFractionBits = 32;
constexpr Fixed kOne = Fixed{1} << kFractionBits;
constexpr Fixed kHalf = kOne / 2;
constexpr int kRowsPerThread = 64; // fewer lines are not worth a thread

Fixed ToFixed(double v)
{
    return static_cast<Fixed>(std::llround(v * static_cast<double>(kOne)));
}

// x * y / 255 rounded, as the painter multiplies channels.
uint32_t Times(uint32_t x, uint32_t y)
{
    const uint32_t t = x * y;
    return (t + (t >> 8) + 0x80) >> 8;
}

uint32_t Multiplied(uint32_t pixel, uint32_t m)
{
    return (pixel & 0xff000000u) | Times((pixel >> 16) & 0xff, m) << 16 |
           Times((pixel >> 8) & 0xff, m) << 8 | Times(pixel & 0xff, m);
}

// A sample position (a pixel's centre less half a cell) split into the
// cells on either side, clamped to the tile, and the weight of the second
// in 256ths.
struct Between {
    int first, second, weight;
};

Between Split(Fixed at, int size)
{
    const Fixed s = at - kHalf;
    const auto cell = static_cast<int>(s >> kFractionBits);
    const auto weight = static_cast<int>((s >> (kFractionBits - 8)) & 0xff);
    return {std::clamp(cell, 0, size - 1), std::clamp(cell + 1, 0, size - 1), weight};
}

// One tile made ready: the inverse of its placement, and the lines of the
// picture it covers.
struct Placed {
    const ShadeTileOnPicture* tile;
    // Cell position at the centre of pixel (0, 0), and its steps per pixel.
    double u0, v0, uPerX, vPerX, uPerY, vPerY;
    int left, top, right, bottom;
    bool turned;
};

bool Place(const ShadeTileOnPicture& t, const ScreenRect& clip, Placed& p)
{
    const double det = t.eastX * t.southY - t.eastY * t.southX;
    if (t.cells == nullptr || t.size <= 0 || !(std::abs(det) > 1e-12))
        return false;
    p.tile = &t;
    p.uPerX = t.southY / det, p.uPerY = -t.southX / det;
    p.vPerX = -t.eastY / det, p.vPerY = t.eastX / det;
    const double cx = 0.5 - t.cornerX, cy = 0.5 - t.cornerY;
    p.u0 = cx * p.uPerX + cy * p.uPerY;
    p.v0 = cx * p.vPerX + cy * p.vPerY;
    p.turned = t.eastY != 0 || t.southX != 0;
    double minX = t.cornerX, maxX = t.cornerX, minY = t.cornerY, maxY = t.cornerY;
    const double n = t.size;
    for (const auto& [x, y] :
         {std::pair{t.cornerX + n * t.eastX, t.cornerY + n * t.eastY},
          {t.cornerX + n * t.southX, t.cornerY + n * t.southY},
          {t.cornerX + n * (t.eastX + t.southX), t.cornerY + n * (t.eastY + t.southY)}}) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    const auto bound = [](double v, int lo, int hi) {
        return static_cast<int>(std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
    };
    p.left = bound(std::floor(minX), clip.left, clip.right);
    p.right = bound(std::ceil(maxX), clip.left, clip.right);
    p.top = bound(std::floor(minY), clip.top, clip.bottom);
    p.bottom = bound(std::ceil(maxY), clip.top, clip.bottom);
    return p.left < p.right && p.top < p.bottom;
}

// Multiplies line y of the picture by a tile; rowSum holds a tile's row
// of cells, for a tile that is not turned.
void MultiplyLine(const Placed& p, uint32_t* line, int y, std::vector<uint32_t>& rowSum)
{
    const ShadeTileOnPicture& t = *p.tile;
    const int size = t.size;
    const Fixed end = Fixed{size} << kFractionBits;
    const Fixed du = ToFixed(p.uPerX), dv = ToFixed(p.vPerX);
    Fixed u = ToFixed(p.u0 + p.uPerX * p.left + p.uPerY * y);
    Fixed v = ToFixed(p.v0 + p.vPerX * p.left + p.vPerY * y);
    const auto cell = [&](int col, int row) -> uint32_t {
        return t
            .cells[static_cast<size_t>(row) * static_cast<size_t>(size) + static_cast<size_t>(col)];
    };
    if (!p.turned) {
        // The line crosses the tile's rows at one place: the two rows of
        // cells around it are blended once, then each pixel only between
        // the columns.
        if (v < 0 || v >= end)
            return;
        const Between r = Split(v, size);
        rowSum.resize(static_cast<size_t>(size));
        for (int c = 0; c < size; ++c)
            rowSum[static_cast<size_t>(c)] =
                cell(c, r.first) * static_cast<uint32_t>(256 - r.weight) +
                cell(c, r.second) * static_cast<uint32_t>(r.weight);
        for (int x = p.left; x < p.right; ++x, u += du) {
            if (u < 0 || u >= end)
                continue;
            const Between c = Split(u, size);
            const uint32_t m =
                (rowSum[static_cast<size_t>(c.first)] * static_cast<uint32_t>(256 - c.weight) +
                 rowSum[static_cast<size_t>(c.second)] * static_cast<uint32_t>(c.weight)) >>
                16;
            line[x] = Multiplied(line[x], m);
        }
        return;
    }
    for (int x = p.left; x < p.right; ++x, u += du, v += dv) {
        if (u < 0 || u >= end || v < 0 || v >= end)
            continue;
        const Between c = Split(u, size), r = Split(v, size);
        const auto wc = static_cast<uint32_t>(c.weight), wr = static_cast<uint32_t>(r.weight);
        const uint32_t top = cell(c.first, r.first) * (256 - wc) + cell(c.second, r.first) * wc;
        const uint32_t bottom =
            cell(c.first, r.second) * (256 - wc) + cell(c.second, r.second) * wc;
        line[x] = Multiplied(line[x], (top * (256 - wr) + bottom * wr) >> 16);
    }
}

struct Job {
    const RgbPixels* picture;
    int top;
    std::vector<Placed> placed;
};

} // namespace

void ShadeMultiply::Apply(const RgbPixels& picture, const ScreenRect& clip,
                          std::span<const ShadeTileOnPicture> tiles)
{
    const ScreenRect within{std::max(clip.left, 0), std::max(clip.top, 0),
                            std::min(clip.right, picture.width),
                            std::min(clip.bottom, picture.height)};
    if (picture.pixels == nullptr || within.left >= within.right || within.top >= within.bottom)
        return;
    Job job{&picture, within.top, {}};
    for (const ShadeTileOnPicture& tile : tiles)
        if (Placed p; Place(tile, within, p))
            job.placed.push_back(p);
    if (job.placed.empty())
        return;
    ForEachPart(
        within.Height(),
        [](void* context, int first, int last) {
            const auto* j = static_cast<const Job*>(context);
            std::vector<uint32_t> rowSum;
            for (int y = j->top + first; y < j->top + last; ++y) {
                uint32_t* line = j->picture->pixels + j->picture->stride * y;
                for (const Placed& p : j->placed)
                    if (y >= p.top && y < p.bottom)
                        MultiplyLine(p, line, y, rowSum);
            }
        },
        &job, kRowsPerThread);
}

} // namespace hw
