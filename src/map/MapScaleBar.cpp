#include "map/MapScaleBar.h"

#include "geo/SphericalGeometry.h"
#include "units/UnitFormatter.h"

namespace hw {

MapScaleBar::Ends MapScaleBar::BarEnds(const ScreenRect& client)
{
    int y = client.bottom - 15;
    return {{client.right - client.Width() / 5 - 5, y}, {client.right - 5, y}};
}

double MapScaleBar::GroundMiles(const MapViewport& viewport)
{
    Ends ends = BarEnds(viewport.Client());
    GeoPoint a = viewport.ScreenToGeo(ends.left);
    GeoPoint b = viewport.ScreenToGeo(ends.right);
    return DistanceKmMicro(a, b) * units::kMilesPerKm;
}

std::string MapScaleBar::Label(double miles, const UnitFormatter& units)
{
    return FormatString("  %.1f %s  ", units.AutoDistanceFromMiles(miles),
                        units.AutoDistanceLabel(miles).c_str());
}

void MapScaleBar::Draw(const MapViewport& viewport, const UnitFormatter& units, DrawList& out)
{
    const ScreenRect& client = viewport.Client();
    Ends ends = BarEnds(client);
    int bottom = client.bottom;
    // White first, one pixel right and down, then black over it.
    for (int shift : {1, 0}) {
        Pen pen{shift ? Rgb(255, 255, 255) : Rgb(0, 0, 0), 1, PenStyle::Solid};
        int l = ends.left.x + shift, r = ends.right.x + shift;
        out.Add(Polyline{pen, {{l, bottom - 5 + shift}, {l, bottom - 25 + shift}}});
        out.Add(Polyline{pen, {{r, bottom - 5 + shift}, {r, bottom - 25 + shift}}});
        out.Add(Polyline{pen, {{l, bottom - 15 + shift}, {r, bottom - 15 + shift}}});
    }
    // The label last, opaque with its padding spaces, so that it breaks the
    // bar's line instead of being struck through by it.
    out.Add(Text{Label(GroundMiles(viewport), units),
                 {(ends.left.x + ends.right.x) / 2, bottom - 15},
                 HAlign::Centre,
                 VAlign::Centre,
                 Font{"Tahoma", 7, false, 0},
                 Rgb(0, 0, 0),
                 true,
                 Rgb(255, 255, 255)});
}

} // namespace hw
