#include "base/SpanSprite.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace hw {
namespace {

// A run of a symbol is a few pixels: copied in fixed-size pieces, which the
// compiler turns into plain moves, rather than through a call.
inline void CopyRun(uint32_t* to, const uint32_t* from, int n)
{
    for (; n >= 4; n -= 4, to += 4, from += 4)
        std::memcpy(to, from, 4 * sizeof(uint32_t));
    if (n & 2) {
        std::memcpy(to, from, 2 * sizeof(uint32_t));
        to += 2;
        from += 2;
    }
    if (n & 1)
        *to = *from;
}

} // namespace

SpanSprite::SpanSprite(const uint32_t* pixels, int stride, int width, int height)
    : width_(width), height_(height)
{
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * stride;
        for (int x = 0; x < width;) {
            if ((row[x] >> 24) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && (row[x] >> 24) != 0)
                ++x;
            spans_.push_back({static_cast<int16_t>(y), static_cast<int16_t>(start),
                              static_cast<int16_t>(x - start),
                              static_cast<int32_t>(pixels_.size())});
            pixels_.insert(pixels_.end(), row + start, row + x);
        }
    }
}

void SpanSprite::Draw(uint32_t* target, int stride, const Area& clip, int x, int y) const
{
    // Wholly outside: nothing to do (the common case for symbols near edges).
    if (x >= clip.right || y >= clip.bottom || x + width_ <= clip.left || y + height_ <= clip.top)
        return;
    if (x >= clip.left && y >= clip.top && x + width_ <= clip.right && y + height_ <= clip.bottom) {
        // Wholly inside, the common case: no clipping per run.
        uint32_t* origin = target + static_cast<ptrdiff_t>(y) * stride + x;
        for (const Span& s : spans_)
            CopyRun(origin + static_cast<ptrdiff_t>(s.row) * stride + s.column,
                    pixels_.data() + s.first, s.length);
        return;
    }
    for (const Span& s : spans_) {
        const int ty = y + s.row;
        if (ty < clip.top || ty >= clip.bottom)
            continue;
        const int from = std::max(x + s.column, clip.left);
        const int to = std::min(x + s.column + s.length, clip.right);
        if (from >= to)
            continue;
        std::memcpy(target + static_cast<ptrdiff_t>(ty) * stride + from,
                    pixels_.data() + s.first + (from - x - s.column),
                    static_cast<size_t>(to - from) * sizeof(uint32_t));
    }
}

} // namespace hw
