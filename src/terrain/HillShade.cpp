#include "terrain/HillShade.h"

#include "base/ParallelParts.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>

namespace hw {

namespace {

// Cells 1 to w - 2 of a row, in single precision and without branches, so
// that the compiler works on several cells at once (a grey level is far
// coarser than the error); built also for AVX2, chosen when the processor
// has it (not under ThreadSanitizer, whose runtime is not yet set up when
// the choice is made at load time).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx2", "default")))
#endif
void ShadeCells(const float* a, const float* b, const float* c, int w, float fx, float fy,
                float sinAlt, float cosCos, float cosSin, float fzz, uint8_t* out)
{
    for (int i = 1; i < w - 1; ++i) {
        float dx =
            ((a[i - 1] + 2.0f * b[i - 1] + c[i - 1]) - (a[i + 1] + 2.0f * b[i + 1] + c[i + 1])) *
            fx;
        float dy = ((c[i - 1] + 2.0f * c[i] + c[i + 1]) - (a[i - 1] + 2.0f * a[i] + a[i + 1])) * fy;
        float lit =
            (sinAlt - (dy * cosCos - dx * cosSin)) / std::sqrt(1.0f + fzz * (dx * dx + dy * dy));
        float grey = std::min(255.0f, std::max(1.0f, 1.0f + 254.0f * lit) + 0.5f);
        // A void anywhere in the window makes dx or dy NaN (the centre is in
        // neither sum): no shade.
        bool known = (dx == dx) & (dy == dy) & (b[i] == b[i]);
        grey = known ? grey : 0.0f;
        out[i] = static_cast<uint8_t>(static_cast<int>(grey));
    }
}

} // namespace

HillShade::HillShade(const HillShadeLight& light)
{
    const double rad = std::numbers::pi / 180.0;
    sinAlt_ = std::sin(light.altitude * rad);
    double cosAlt = std::cos(light.altitude * rad);
    cosAltSinAz_ = cosAlt * std::sin(light.azimuth * rad) * light.z;
    cosAltCosAz_ = cosAlt * std::cos(light.azimuth * rad) * light.z;
    z_ = light.z;
}

void HillShade::ShadeRow(const ElevationGrid& grid, int row, double spacingX, double spacingY,
                         uint8_t* out) const
{
    const int w = grid.Width();
    if (row <= 0 || row >= grid.Height() - 1) {
        std::fill(out, out + w, uint8_t{0});
        return;
    }
    ShadeRow(grid.Row(row - 1), grid.Row(row), grid.Row(row + 1), w, spacingX, spacingY, out);
}

void HillShade::ShadeRow(const float* a, const float* b, const float* c, int w, double spacingX,
                         double spacingY, uint8_t* out) const
{
    if (w < 3) {
        std::fill(out, out + w, uint8_t{0});
        return;
    }
    // Horn's gradients are sums of weight 8 over the window.
    const double invX = 1.0 / (8.0 * spacingX);
    const double invY = 1.0 / (8.0 * spacingY);
    const double zz = z_ * z_;
    out[0] = 0;
    out[w - 1] = 0;
    ShadeCells(a, b, c, w, static_cast<float>(invX), static_cast<float>(invY),
               static_cast<float>(sinAlt_), static_cast<float>(cosAltCosAz_),
               static_cast<float>(cosAltSinAz_), static_cast<float>(zz), out);
}

namespace {
struct ShadeJob {
    const HillShade* shade;
    const ElevationGrid* grid;
    double sx, sy;
    uint8_t* out;
};
} // namespace

std::vector<uint8_t> HillShade::Shade(const ElevationGrid& grid, double spacingX,
                                      double spacingY) const
{
    return Shade(GridRows(grid), spacingX, spacingY);
}

namespace {

struct RowsJob {
    const HillShade* shade;
    const ElevationRows* rows;
    double sx, sy;
    ShadeSink* sink;
    std::atomic<bool> refused = false;
};

// Rows shaded into a buffer of this many before they go to the sink: large
// enough for few calls, small enough to stay in the processor's cache.
constexpr int kBlockRows = 32;

// Copies each block into one image.
class ImageSink final : public ShadeSink {
public:
    ImageSink(std::vector<uint8_t>& image, int width) : image_(image), width_(width) {}
    bool Take(int first, int count, const uint8_t* shades) override
    {
        std::copy(shades, shades + static_cast<size_t>(count) * width_,
                  image_.begin() + static_cast<ptrdiff_t>(first) * width_);
        return true;
    }

private:
    std::vector<uint8_t>& image_;
    size_t width_;
};

} // namespace

std::vector<uint8_t> HillShade::Shade(const ElevationRows& rows, double spacingX,
                                      double spacingY) const
{
    std::vector<uint8_t> image(static_cast<size_t>(rows.Width()) * rows.Height());
    ImageSink sink(image, rows.Width());
    Shade(rows, spacingX, spacingY, sink);
    return image;
}

bool HillShade::Shade(const ElevationRows& rows, double spacingX, double spacingY,
                      ShadeSink& sink) const
{
    RowsJob job{this, &rows, spacingX, spacingY, &sink};
    ForEachPart(
        rows.Height(),
        [](void* ctx, int first, int last) {
            auto* j = static_cast<RowsJob*>(ctx);
            const int w = j->rows->Width();
            const int h = j->rows->Height();
            // Three rows in turn: the one above, this one, the one below.
            std::vector<float> ring(3 * static_cast<size_t>(w));
            float* line[3] = {ring.data(), ring.data() + w,
                              ring.data() + 2 * static_cast<size_t>(w)};
            std::vector<uint8_t> block(static_cast<size_t>(w) * kBlockRows);
            int have = -2; // the row in line[1]
            for (int start = first; start < last && !j->refused; start += kBlockRows) {
                const int end = std::min(last, start + kBlockRows);
                for (int r = start; r < end; ++r) {
                    uint8_t* shades = block.data() + static_cast<size_t>(w) * (r - start);
                    if (r == 0 || r == h - 1) {
                        std::fill(shades, shades + w, uint8_t{0});
                        continue;
                    }
                    if (have == r - 1) {
                        std::rotate(line, line + 1, line + 3);
                        j->rows->ReadRow(r + 1, line[2]);
                    } else {
                        for (int k = 0; k < 3; ++k)
                            j->rows->ReadRow(r - 1 + k, line[k]);
                    }
                    have = r;
                    j->shade->ShadeRow(line[0], line[1], line[2], w, j->sx, j->sy, shades);
                }
                if (!j->sink->Take(start, end - start, block.data()))
                    j->refused = true;
            }
        },
        &job);
    return !job.refused;
}

std::vector<uint8_t> HillShade::ShadeGround(const ElevationGrid& grid) const
{
    // Metres in a degree of a great circle on the mean sphere.
    constexpr double kMetresPerDegree = 6371008.8 * std::numbers::pi / 180.0;
    std::vector<uint8_t> out(static_cast<size_t>(grid.Width()) * grid.Height());
    ShadeJob job{this, &grid, 0.0, 0.0, out.data()};
    ForEachPart(
        grid.Height(),
        [](void* ctx, int first, int last) {
            auto* j = static_cast<ShadeJob*>(ctx);
            const GridPlacement& p = j->grid->Placement();
            size_t w = static_cast<size_t>(j->grid->Width());
            for (int r = first; r < last; ++r) {
                double lat = p.Y(r + 0.5) * std::numbers::pi / 180.0;
                double sx = p.stepX * kMetresPerDegree * std::max(std::cos(lat), 1e-6);
                j->shade->ShadeRow(*j->grid, r, sx, p.stepY * kMetresPerDegree, j->out + w * r);
            }
        },
        &job);
    return out;
}

uint8_t HillShade::Flat() const
{
    return static_cast<uint8_t>(std::min(255.0, std::max(1.0, 1.0 + 254.0 * sinAlt_) + 0.5));
}

} // namespace hw
