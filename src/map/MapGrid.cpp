#include "map/MapGrid.h"

#include "units/UnitFormatter.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr int kExtraLines = 10;
// Lines closer than this (pixels) would only grey the map: near the poles a
// step of longitude can shrink below a pixel.
constexpr double kMinLineGap = 2.0;
constexpr int64_t kMaxLines = 1000;

struct IndexRange {
    int64_t first = 0;
    int64_t last = -1;
};

// Line indexes from ten before the first line inside [low, high] to ten after
// the last, narrowed to those whose lines land within [lowLimit, highLimit].
IndexRange LineRange(double low, double high, double lowLimit, double highLimit, int32_t step)
{
    double from = std::max(std::floor(low / step) - kExtraLines, std::floor(lowLimit / step));
    double to = std::min(std::ceil(high / step) + kExtraLines, std::ceil(highLimit / step));
    if (!(from <= to) || to - from > kMaxLines)
        return {};
    return {static_cast<int64_t>(from), static_cast<int64_t>(to)};
}

} // namespace

MapGrid::Spacing MapGrid::SpacingForScale(double scaleKm)
{
    if (scaleKm > 60)
        return {1000000, 1};
    if (scaleKm > 5)
        return {100000, 1};
    if (scaleKm > 0.3)
        return {10000, 2};
    return {1000, 3};
}

void MapGrid::Draw(const MapViewport& viewport, double scaleKm, bool labels, DrawList& out)
{
    const Spacing spacing = SpacingForScale(scaleKm);
    const ScreenRect& client = viewport.Client();
    const Pen pen{kLineColour, 1, PenStyle::Solid};
    const Font font{"Tahoma", 7, false, 0};
    const Font upright{"Tahoma", 7, false, 900};
    const bool turned = viewport.IsRotated();
    const int ext = turned ? kTurnedExtension : 0;
    if (viewport.Xs() <= 0 || viewport.Ys() <= 0)
        return;

    // Pixel window in which a line can show: the client, and when turned the
    // whole circle that the turn can bring into it.
    const double reach = turned ? ext + client.Width() + client.Height() : 0;
    const double xLow = client.left - reach, xHigh = client.right + reach;
    const double yLow = client.top - reach, yHigh = client.bottom + reach;
    const double originX = client.left + viewport.XOffset();
    const double originY = client.top + viewport.YOffset();

    // Latitude lines (y grows southward).
    double latLimitHigh = viewport.North() - (yLow - originY) / viewport.Ys();
    double latLimitLow = viewport.North() - (yHigh - originY) / viewport.Ys();
    latLimitHigh = std::min(latLimitHigh, static_cast<double>(kMaxLatitudeMicro));
    latLimitLow = std::max(latLimitLow, -static_cast<double>(kMaxLatitudeMicro));
    IndexRange lat =
        LineRange(viewport.South(), viewport.North(), latLimitLow, latLimitHigh, spacing.stepMicro);
    const int32_t centreLon = viewport.Centre().lon;
    for (int64_t i = lat.first; i <= lat.last; ++i) {
        int32_t value = static_cast<int32_t>(i * spacing.stepMicro);
        int y = viewport.Project({value, centreLon, 0}).y;
        out.Add(Polyline{
            pen, {viewport.Turn({client.left - ext, y}), viewport.Turn({client.right + ext, y})}});
        if (labels && y >= client.top && y < client.bottom)
            out.Add(Text{FormatString("%0.*f", spacing.decimals, value * 1e-06),
                         {client.left + 3, y},
                         HAlign::Left,
                         VAlign::Centre,
                         font,
                         Rgb(0, 0, 0)});
    }

    // Longitude lines, at most once round the globe from the centre.
    double lonLimitLow = viewport.West() + (xLow - originX) / viewport.Xs();
    double lonLimitHigh = viewport.West() + (xHigh - originX) / viewport.Xs();
    lonLimitLow = std::max(lonLimitLow, centreLon - 180000000.0);
    lonLimitHigh = std::min(lonLimitHigh, centreLon + 180000000.0);
    IndexRange lon =
        LineRange(viewport.West(), viewport.East(), lonLimitLow, lonLimitHigh, spacing.stepMicro);
    const int32_t centreLat = viewport.Centre().lat;
    for (int64_t i = lon.first; i <= lon.last; ++i) {
        int32_t value = static_cast<int32_t>(NearLongitude(i * spacing.stepMicro, 0));
        int x = viewport.Project({centreLat, value, 0}).x;
        out.Add(Polyline{
            pen, {viewport.Turn({x, client.top - ext}), viewport.Turn({x, client.bottom + ext})}});
        if (labels && x >= client.left && x < client.right)
            out.Add(Text{FormatString("%0.*f", spacing.decimals, value * 1e-06),
                         {x, client.bottom - 3},
                         HAlign::Left,
                         VAlign::Centre,
                         upright,
                         Rgb(0, 0, 0)});
    }
}

} // namespace hw
