#include "map/MapModel.h"

#include "waypoints/WaypointDatabase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace hw {

MapModel::MapModel(GeoPoint start) : position_(start), pannedCentre_(start) {}

void MapModel::SetScale(double km)
{
    // A scale that is not a positive finite distance would leave the view
    // without extent; it keeps the previous one.
    if (std::isfinite(km) && km > 0)
        scale_ = km;
}

void MapModel::SetZoomIndex(int index)
{
    zoomIndex_ = std::clamp(index, 0, ZoomCount() - 1);
    scale_ = kZoomTable[static_cast<size_t>(zoomIndex_)];
}

void MapModel::CentreOn(const GeoPoint& p)
{
    if (!panned_) {
        panned_ = true;
        frozenCourse_ = course_;
    }
    pannedCentre_ = {p.lat, p.lon, 0};
}

void MapModel::EnterPanned()
{
    if (!panned_) {
        panned_ = true;
        pannedCentre_ = position_;
        frozenCourse_ = course_;
    }
}

void MapModel::PanTo(ScreenPoint p)
{
    EnterPanned();
    pannedCentre_ = ScreenToGeo(p);
}

void MapModel::PanKeeping(const GeoPoint& grabbed, ScreenPoint at)
{
    EnterPanned();
    // The view's vertical stretch depends on its south edge, so one shift of
    // the centre by the pixels missing need not land exactly: a few rounds
    // close in, and the closest centre seen is kept.
    constexpr int kRounds = 4;
    GeoPoint best = pannedCentre_;
    int bestMiss = INT32_MAX;
    for (int round = 0; round < kRounds; ++round) {
        const MapViewport viewport = Viewport();
        const ScreenPoint now = viewport.GeoToScreen(grabbed);
        const int dx = now.x - at.x, dy = now.y - at.y;
        const int miss = std::max(std::abs(dx), std::abs(dy));
        if (miss < bestMiss) {
            bestMiss = miss;
            best = pannedCentre_;
        }
        if (miss == 0)
            break;
        const ScreenPoint middle = viewport.GeoToScreen(pannedCentre_);
        pannedCentre_ = viewport.ScreenToGeo({middle.x + dx, middle.y + dy});
    }
    // The turn of a course-up view rounds too: centres up to a pixel away
    // either way, in steps of a third, may land closer still.
    const auto missAt = [&](const GeoPoint& centre) {
        pannedCentre_ = centre;
        const ScreenPoint now = Viewport().GeoToScreen(grabbed);
        return std::max(std::abs(now.x - at.x), std::abs(now.y - at.y));
    };
    const GeoPoint around = best;
    pannedCentre_ = around;
    const MapViewport viewport = Viewport();
    const double lonPerPixel = viewport.Xs() > 0 ? 1 / viewport.Xs() : 0;
    const double latPerPixel = viewport.Ys() > 0 ? 1 / viewport.Ys() : 0;
    for (int j = -3; j <= 3 && bestMiss > 0; ++j) {
        for (int i = -3; i <= 3 && bestMiss > 0; ++i) {
            const GeoPoint step{
                TruncToMicro(around.lat + j * latPerPixel / 3),
                static_cast<int32_t>(NearLongitude(
                    static_cast<int64_t>(std::llround(around.lon + i * lonPerPixel / 3)), 0)),
                0};
            const int m = missAt(step);
            if (m < bestMiss) {
                bestMiss = m;
                best = step;
            }
        }
    }
    pannedCentre_ = best;
}

ScreenRect MapModel::ReturnButtonRect() const
{
    return {client_.right - kReturnButtonSize, client_.top, client_.right,
            client_.top + kReturnButtonSize};
}

bool MapModel::ReturnButtonHit(ScreenPoint p)
{
    if (!panned_ || !ReturnButtonRect().Contains(p))
        return false;
    panned_ = false;
    return true;
}

double MapModel::RotationAngle() const
{
    if (northUp_)
        return 0;
    return panned_ ? frozenCourse_ : course_;
}

MapViewport MapModel::Viewport() const
{
    MapViewport viewport(Centre(), scale_, client_);
    if (!northUp_)
        viewport.SetRotation(RotationAngle(), Centre());
    return viewport;
}

bool MapModel::GeoBox::Contains(int32_t lat, int32_t lon) const
{
    int64_t near = NearLongitude(lon, west + (east - west) / 2);
    return lat >= south && lat <= north && near >= west && near <= east;
}

MapModel::GeoBox MapModel::HitBox(ScreenPoint p) const
{
    // All four corners: with the map turned, two opposite corners alone can
    // collapse the box to a line.
    MapViewport viewport = Viewport();
    int half = WaypointSymbolSize() / 2;
    GeoPoint centre = viewport.ScreenToGeo(p);
    GeoBox box{centre.lat, centre.lat, centre.lon, centre.lon};
    for (ScreenPoint corner :
         {ScreenPoint{p.x - half, p.y - half}, ScreenPoint{p.x + half, p.y - half},
          ScreenPoint{p.x - half, p.y + half}, ScreenPoint{p.x + half, p.y + half}}) {
        GeoPoint g = viewport.ScreenToGeo(corner);
        int64_t lon = NearLongitude(g.lon, centre.lon);
        box.south = std::min(box.south, g.lat);
        box.north = std::max(box.north, g.lat);
        box.west = std::min(box.west, lon);
        box.east = std::max(box.east, lon);
    }
    return box;
}

bool MapModel::HitTest(ScreenPoint p, WaypointDatabase& waypoints, std::vector<int>& serials) const
{
    GeoBox box = HitBox(p);
    size_t before = serials.size();
    waypoints.BeginArea({box.south, static_cast<int32_t>(NearLongitude(box.west, 0)), 0},
                        {box.north, static_cast<int32_t>(NearLongitude(box.east, 0)), 0});
    for (int cell = waypoints.NextCell(); cell >= 0; cell = waypoints.NextCell()) {
        for (const Waypoint& w : waypoints.Cell(cell)) {
            if (box.Contains(w.nLatitude, w.nLongitude))
                serials.push_back(w.nSerial);
        }
    }
    return serials.size() > before;
}

Pen MapModel::TrackPen() const
{
    const int width = std::max(3, static_cast<int>(std::lround(3 * dpi_ / 96)));
    return {kTrackColour, width, PenStyle::Solid, true};
}

} // namespace hw
