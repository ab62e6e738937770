#include "map/MapModel.h"

#include "waypoints/WaypointDatabase.h"

#include <algorithm>
#include <cmath>

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

void MapModel::PanTo(ScreenPoint p)
{
    if (!panned_) {
        panned_ = true;
        pannedCentre_ = position_;
        frozenCourse_ = course_;
    }
    pannedCentre_ = ScreenToGeo(p);
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
    return {Rgb(0, 0, 0), 1, displayScale_ == 2 ? PenStyle::Solid : PenStyle::Dash};
}

} // namespace hw
