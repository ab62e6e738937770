#include "terrain/ShadeMultiply.h"

#include "base/ParallelParts.h"

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

// Each colour channel of the pixel times m / 255, rounded as the painter
// rounds it, two channels at a time; the alpha byte is kept.
uint32_t Multiplied(uint32_t pixel, uint32_t m)
{
    uint32_t rb = (pixel & 0xff00ffu) * m;
    rb = ((rb + ((rb >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    uint32_t g = ((pixel >> 8) & 0xffu) * m;
    g = ((g + (g >> 8) + 0x80u) >> 8) & 0xffu;
    return (pixel & 0xff000000u) | rb | g << 8;
}

// A sample position (a pixel's centre less half a cell) split into the
// cell before it (-1 to size - 1: the ring around the tile holds the cells
// beyond) and the weight of the next one in 256ths.
struct Between {
    int cell, weight;
};

// Inlined: a call per pixel costs more than the work.
[[gnu::always_inline]] inline Between Split(Fixed at)
{
    const Fixed s = at - kHalf;
    return {static_cast<int>(s >> kFractionBits),
            static_cast<int>((s >> (kFractionBits - 8)) & 0xff)};
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

// The pixels of line y from `from` to `to` whose centres may lie on the
// tile (a pixel more on either side; each is still tested).
void Span(const Placed& p, int y, int& from, int& to)
{
    from = p.left, to = p.right;
    const double n = p.tile->size;
    for (const auto& [at, step] :
         {std::pair{p.u0 + p.uPerY * y, p.uPerX}, std::pair{p.v0 + p.vPerY * y, p.vPerX}}) {
        // at + step * (x + 0.5 - 0.5) runs from 0 to n.
        if (step == 0) {
            if (at < -1e-9 || at >= n + 1e-9)
                to = from;
            continue;
        }
        double a = -at / step, b = (n - at) / step;
        if (a > b)
            std::swap(a, b);
        from = std::max(from, static_cast<int>(std::clamp(std::floor(a) - 1, -1e9, 1e9)));
        to = std::min(to, static_cast<int>(std::clamp(std::ceil(b) + 1, -1e9, 1e9)));
    }
}

// Multiplies line y of the picture by a tile; sums holds a blended row of
// cells, for a tile that is not turned.
void MultiplyLine(const Placed& p, uint32_t* line, int y, std::vector<uint32_t>& sums)
{
    const ShadeTileOnPicture& t = *p.tile;
    const int size = t.size;
    int from = 0, to = 0;
    Span(p, y, from, to);
    if (from >= to)
        return;
    const Fixed end = Fixed{size} << kFractionBits;
    const Fixed du = ToFixed(p.uPerX), dv = ToFixed(p.vPerX);
    Fixed u = ToFixed(p.u0 + p.uPerX * from + p.uPerY * y);
    Fixed v = ToFixed(p.v0 + p.vPerX * from + p.vPerY * y);
    // Cells -1 to size of each row and column, the ring included.
    const auto side = static_cast<size_t>(size) + 2;
    const auto cell = [&](int col, int row) -> uint32_t {
        return t.cells[static_cast<size_t>(row + 1) * side + static_cast<size_t>(col + 1)];
    };
    if (!p.turned) {
        // The line crosses the tile's rows at one place: the two rows of
        // cells around it are blended once, then each pixel only between
        // two columns.
        if (v < 0 || v >= end)
            return;
        const Between r = Split(v);
        const auto wr = static_cast<uint32_t>(r.weight);
        sums.resize(side);
        for (int c = -1; c <= size; ++c)
            sums[static_cast<size_t>(c + 1)] =
                cell(c, r.cell) * (256 - wr) + cell(c, r.cell + 1) * wr;
        const uint32_t* sum = sums.data() + 1;
        for (int x = from; x < to; ++x, u += du) {
            if (u < 0 || u >= end)
                continue;
            const Fixed at = u - kHalf;
            const auto c = static_cast<int>(at >> kFractionBits); // -1 to size - 1
            const auto w = static_cast<uint32_t>((at >> (kFractionBits - 8)) & 0xff);
            const uint32_t m = (sum[c] * (256 - w) + sum[c + 1] * w) >> 16;
            if (m != 255) // flat ground and slopes in the light change nothing
                line[x] = Multiplied(line[x], m);
        }
        return;
    }
    for (int x = from; x < to; ++x, u += du, v += dv) {
        if (u < 0 || u >= end || v < 0 || v >= end)
            continue;
        const Between c = Split(u), r = Split(v);
        const auto wc = static_cast<uint32_t>(c.weight), wr = static_cast<uint32_t>(r.weight);
        const uint32_t top = cell(c.cell, r.cell) * (256 - wc) + cell(c.cell + 1, r.cell) * wc;
        const uint32_t bottom =
            cell(c.cell, r.cell + 1) * (256 - wc) + cell(c.cell + 1, r.cell + 1) * wc;
        const uint32_t m = (top * (256 - wr) + bottom * wr) >> 16;
        if (m != 255)
            line[x] = Multiplied(line[x], m);
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
            std::vector<uint32_t> sums;
            for (int y = j->top + first; y < j->top + last; ++y) {
                uint32_t* line = j->picture->pixels + j->picture->stride * y;
                for (const Placed& p : j->placed)
                    if (y >= p.top && y < p.bottom)
                        MultiplyLine(p, line, y, sums);
            }
        },
        &job, kRowsPerThread);
}

} // namespace hw
