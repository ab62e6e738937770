#include "map/HillShade.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

namespace hw {

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
    if (row <= 0 || row >= grid.Height() - 1 || w < 3) {
        std::fill(out, out + w, uint8_t{0});
        return;
    }
    const float* a = grid.Row(row - 1);
    const float* b = grid.Row(row);
    const float* c = grid.Row(row + 1);
    // Horn's gradients are sums of weight 8 over the window.
    const double invX = 1.0 / (8.0 * spacingX);
    const double invY = 1.0 / (8.0 * spacingY);
    const double zz = z_ * z_;
    out[0] = 0;
    out[w - 1] = 0;
    // In single precision and without branches, so that the compiler works
    // on several cells at once; a grey level is far coarser than the error.
    const auto fx = static_cast<float>(invX), fy = static_cast<float>(invY);
    const auto sinAlt = static_cast<float>(sinAlt_), cosCos = static_cast<float>(cosAltCosAz_),
               cosSin = static_cast<float>(cosAltSinAz_), fzz = static_cast<float>(zz);
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
    std::vector<uint8_t> out(static_cast<size_t>(grid.Width()) * grid.Height());
    ShadeJob job{this, &grid, spacingX, spacingY, out.data()};
    ForEachPart(
        grid.Height(),
        [](void* ctx, int first, int last) {
            auto* j = static_cast<ShadeJob*>(ctx);
            size_t w = static_cast<size_t>(j->grid->Width());
            for (int r = first; r < last; ++r)
                j->shade->ShadeRow(*j->grid, r, j->sx, j->sy, j->out + w * r);
        },
        &job);
    return out;
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

void ForEachPart(int count, void (*body)(void* context, int first, int last), void* context,
                 int fewest)
{
    int parts =
        std::min(count, static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)));
    if (count < fewest || parts <= 1) {
        body(context, 0, count);
        return;
    }
    std::vector<std::thread> threads;
    int step = (count + parts - 1) / parts;
    for (int first = step; first < count; first += step)
        threads.emplace_back(body, context, first, std::min(count, first + step));
    body(context, 0, std::min(count, step));
    for (std::thread& t : threads)
        t.join();
}

} // namespace hw
