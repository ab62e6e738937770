#include "geo/MapViewport.h"

#include "geo/SphericalGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hw {
namespace {

constexpr int64_t kCornerLimit = 999000000;
constexpr int64_t kHalfTurn = 180000000;
constexpr int64_t kFullTurn = 360000000;

int32_t LimitCorner(int64_t v)
{
    return static_cast<int32_t>(std::clamp(v, -kCornerLimit, kCornerLimit));
}

} // namespace

int64_t NearLongitude(int64_t lon, int64_t reference)
{
    int64_t d = (lon - reference) % kFullTurn;
    if (d > kHalfTurn)
        d -= kFullTurn;
    else if (d < -kHalfTurn)
        d += kFullTurn;
    return reference + d;
}

int32_t TruncToMicro(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return INT32_MAX;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

MapViewport::MapViewport(GeoPoint centre, double scaleKm, ScreenRect client)
    : centre_(centre), client_(client)
{
    GeoPoint ne = ProjectPoint(centre, scaleKm, 45);
    // The north-east corner lies east of the centre; across the antimeridian
    // its longitude comes back negative and is taken once round the globe.
    int64_t neLon = NearLongitude(ne.lon, centre.lon);
    int32_t neLat = LimitCorner(ne.lat);
    int32_t neLonLimited = LimitCorner(neLon);
    int32_t swLat = LimitCorner(2 * int64_t{centre.lat} - neLat);
    int32_t swLon = LimitCorner(2 * int64_t{centre.lon} - neLonLimited);
    north_ = std::max(neLat, swLat);
    south_ = std::min(neLat, swLat);
    east_ = std::max(neLonLimited, swLon);
    west_ = std::min(neLonLimited, swLon);

    int width = client.Width(), height = client.Height();
    int side = std::min(width, height);
    if (width > height)
        xOffset_ = width / 2 - height / 2;
    else
        yOffset_ = height / 2 - width / 2;

    int64_t span = int64_t{east_} - west_;
    xs_ = span == 0 || side <= 0 ? 0 : side / static_cast<double>(std::llabs(span));
    double southDeg = south_ * 1e-06, westDeg = west_ * 1e-06;
    double latKm = DistanceKm(southDeg, westDeg, southDeg + 1, westDeg);
    double lonKm = DistanceKm(southDeg, westDeg, southDeg, westDeg + 1);
    double k = lonKm == 0 ? 1.0 : latKm / lonKm;
    ys_ = xs_ * k;
    if (!std::isfinite(ys_))
        ys_ = 0;
}

void MapViewport::SetRotation(double angleDegrees, GeoPoint pivot)
{
    constexpr double kPi = 3.141592653589793;
    if (!std::isfinite(angleDegrees))
        angleDegrees = 0;
    rotated_ = true;
    angle_ = angleDegrees;
    double forward = (360 - angleDegrees) * kPi / 180;
    double back = angleDegrees * kPi / 180;
    forwardSin_ = std::sin(forward);
    forwardCos_ = std::cos(forward);
    backSin_ = std::sin(back);
    backCos_ = std::cos(back);
    pivot_ = Project(pivot);
}

int64_t MapViewport::NearCentreLongitude(int32_t lon) const
{
    return NearLongitude(lon, centre_.lon);
}

ScreenPoint MapViewport::Project(const GeoPoint& p) const
{
    double dx = static_cast<double>(west_ - NearCentreLongitude(p.lon)) * xs_;
    double dy = (static_cast<double>(p.lat) - north_) * ys_;
    return {client_.left + xOffset_ - TruncToPixel(dx), client_.top + yOffset_ - TruncToPixel(dy)};
}

GeoPoint MapViewport::Unproject(ScreenPoint p) const
{
    if (xs_ == 0 || ys_ == 0)
        return {centre_.lat, centre_.lon, 0};
    // Rounded to the nearest microdegree on either side of the view's
    // corner, so that points left of or above the square come back too.
    double lon = std::floor((p.x - client_.left - xOffset_) / xs_ + 0.5) + west_;
    double lat = north_ - std::floor((p.y - client_.top - yOffset_) / ys_ + 0.5);
    int64_t wrappedLon = NearLongitude(static_cast<int64_t>(std::clamp(lon, -4e9, 4e9)), 0);
    return {std::clamp(TruncToMicro(lat), -kMaxLatitudeMicro, kMaxLatitudeMicro),
            static_cast<int32_t>(wrappedLon), 0};
}

ScreenPoint MapViewport::Turn(ScreenPoint p) const
{
    return rotated_ ? TurnBy(p, forwardSin_, forwardCos_) : p;
}

ScreenPoint MapViewport::Unturn(ScreenPoint p) const
{
    return rotated_ ? TurnBy(p, backSin_, backCos_) : p;
}

ScreenPoint MapViewport::TurnBy(ScreenPoint p, double sinA, double cosA) const
{
    // Rounded, not cut toward zero: a cut leaves gaps of two pixels along
    // the axes through the pivot, so that a dragged point could not stay
    // under the stylus there.
    double dx = p.x - pivot_.x, dy = p.y - pivot_.y;
    return {TruncToPixel(std::round(cosA * dx - sinA * dy)) + pivot_.x,
            TruncToPixel(std::round(cosA * dy + sinA * dx)) + pivot_.y};
}

MapViewport::GeoBox MapViewport::VisibleBox(int marginPx) const
{
    const ScreenRect r = client_.Grown(marginPx);
    GeoBox box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (ScreenPoint corner : {ScreenPoint{r.left, r.top}, ScreenPoint{r.right, r.top},
                               ScreenPoint{r.left, r.bottom}, ScreenPoint{r.right, r.bottom}}) {
        const GeoPoint g = ScreenToGeo(corner);
        box.south = std::min(box.south, g.lat);
        box.north = std::max(box.north, g.lat);
        box.west = std::min(box.west, g.lon);
        box.east = std::max(box.east, g.lon);
    }
    return box;
}

bool MapViewport::SameView(const MapViewport& o) const
{
    return centre_.lat == o.centre_.lat && centre_.lon == o.centre_.lon && client_ == o.client_ &&
           north_ == o.north_ && south_ == o.south_ && east_ == o.east_ && west_ == o.west_ &&
           xs_ == o.xs_ && ys_ == o.ys_ && rotated_ == o.rotated_ &&
           (!rotated_ || (angle_ == o.angle_ && pivot_ == o.pivot_));
}

} // namespace hw
