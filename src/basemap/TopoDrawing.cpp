#include "basemap/TopoDrawing.h"

#include "base/FormatString.h"
#include "base/HaloText.h"
#include "base/LabelPlacer.h"
#include "base/Translate.h"
#include "basemap/RoadLayer.h"
#include "geo/ClippedPolyline.h"
#include "geo/MapViewport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace hw {
namespace {

// Land cover from the widest and plainest up, so that small patches of
// wood or rock lie over the built-up land around them; water over all.
constexpr int kAreaOrder[] = {kSeaClass,   topo::kBuiltUp, topo::kFarmland, topo::kGrass,
                              topo::kWood, topo::kRock,    topo::kWetland,  topo::kWater};
constexpr int kLinesBelow[] = {topo::kCoastline, topo::kStreams, topo::kRivers, topo::kCliffs};
constexpr int kLinesAbove[] = {topo::kPowerLines, topo::kAerialways};

// How far out the points of a class are shown (km from the centre to the
// corner); places by rank.
constexpr double kPlaceShownUpTo[] = {500, 50, 10, 3, 2, 1};
constexpr double kPointShownUpTo[] = {20, 5, 0, 10, 1, 2};
// The symbols' cells: a glyph of 19 pixels in a white rim, readable beside
// the names; odd, so that a symbol centres on its point.
constexpr int kSymbolSize = 21;

RoadBox AreaOf(const MapViewport& viewport, int margin)
{
    const MapViewport::GeoBox box = viewport.VisibleBox(margin);
    return {box.south, box.west, box.north, box.east};
}

int BandOf(const MapViewport& viewport)
{
    return ZoomBands::ForPixel(viewport.Ys() > 0 ? 1.0 / viewport.Ys() : 1e9);
}

// Sutherland-Hodgman: the ring cut to the rectangle, one edge at a time.
std::vector<ScreenPoint> ClipRing(std::vector<ScreenPoint> ring, const ScreenRect& r)
{
    std::vector<ScreenPoint> out;
    for (int edge = 0; edge < 4 && ring.size() >= 3; ++edge) {
        auto inside = [&](ScreenPoint p) {
            switch (edge) {
            case 0: return p.x >= r.left;
            case 1: return p.x <= r.right;
            case 2: return p.y >= r.top;
            default: return p.y <= r.bottom;
            }
        };
        auto cross = [&](ScreenPoint a, ScreenPoint b) {
            const double ax = a.x, ay = a.y, bx = b.x, by = b.y;
            double t;
            if (edge < 2) {
                const double x = edge == 0 ? r.left : r.right;
                t = (x - ax) / (bx - ax);
                return ScreenPoint{static_cast<int>(x),
                                   static_cast<int>(std::lround(ay + t * (by - ay)))};
            }
            const double y = edge == 2 ? r.top : r.bottom;
            t = (y - ay) / (by - ay);
            return ScreenPoint{static_cast<int>(std::lround(ax + t * (bx - ax))),
                               static_cast<int>(y)};
        };
        out.clear();
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const ScreenPoint a = ring[i], b = ring[(i + 1) % ring.size()];
            const bool ina = inside(a), inb = inside(b);
            if (ina)
                out.push_back(a);
            if (ina != inb)
                out.push_back(cross(a, b));
        }
        ring.swap(out);
    }
    return ring.size() >= 3 ? ring : std::vector<ScreenPoint>{};
}

// The map's point symbols: one strip of 21-pixel cells, a cell per point
// class, rendered from the icon sets the waypoint symbols come from.
constexpr int kSymbolStrip = 128;

} // namespace

std::vector<ScreenPoint>
TopoDrawing::AreaPolygon(const std::vector<std::vector<ScreenPoint>>& rings, const ScreenRect& clip)
{
    std::vector<ScreenPoint> polygon;
    for (const auto& ring : rings) {
        std::vector<ScreenPoint> cut = ClipRing(ring, clip);
        if (cut.empty())
            continue;
        const ScreenPoint home = polygon.empty() ? cut.front() : polygon.front();
        polygon.insert(polygon.end(), cut.begin(), cut.end());
        polygon.push_back(cut.front());
        polygon.push_back(home);
    }
    return polygon;
}

void TopoDrawing::DrawBelowRoads(const MapViewport& viewport, double scaleKm,
                                 TopoStyle::Palette palette, DrawList& out) const
{
    const RoadMap& map = layer_.Map();
    if (map.Topo().Empty())
        return;
    const ScreenRect clip = viewport.Client().Grown(kMargin);
    std::array<std::vector<std::vector<ScreenPoint>>, kAreaClassCount + 1> polygons;
    std::vector<std::vector<ScreenPoint>> rings;
    unsigned areaMask = layer_.AreaMask();
    if (!TopoStyle::ShowsBuildings(scaleKm))
        areaMask &= ~(1u << topo::kBuildings);
    map.ForEachShape(AreaOf(viewport, kMargin), BandOf(viewport), areaMask, 0,
                     [&](const TopoShape& shape, const TopoRing* shapeRings) {
                         rings.resize(shape.ringCount);
                         for (uint32_t r = 0; r < shape.ringCount; ++r) {
                             const RoadPoint* p = map.Topo().Points(shapeRings[r]);
                             rings[r].clear();
                             for (uint32_t i = 0; i < shapeRings[r].count; ++i)
                                 rings[r].push_back(viewport.GeoToScreen({p[i].lat, p[i].lon, 0}));
                             nodes_ += shapeRings[r].count;
                         }
                         std::vector<ScreenPoint> polygon = AreaPolygon(rings, clip);
                         if (!polygon.empty())
                             polygons[shape.cls].push_back(std::move(polygon));
                     });
    for (int cls : kAreaOrder)
        for (auto& polygon : polygons[static_cast<std::size_t>(cls)]) {
            const Colour fill = TopoStyle::AreaFill(cls, palette);
            out.Add(Polygon{Pen{fill, 1, PenStyle::None}, Brush{fill, false}, std::move(polygon)});
        }
    const Pen edge = TopoStyle::BuildingEdge(palette);
    const Colour building = TopoStyle::AreaFill(topo::kBuildings, palette);
    for (auto& polygon : polygons[topo::kBuildings])
        out.Add(Polygon{edge, Brush{building, false}, std::move(polygon)});
    unsigned below = 0;
    for (int cls : kLinesBelow)
        below |= 1u << cls;
    DrawLines(viewport, scaleKm, palette, layer_.LineMask() & below, out);
}

void TopoDrawing::DrawAboveRoads(const MapViewport& viewport, double scaleKm,
                                 TopoStyle::Palette palette, DrawList& out) const
{
    unsigned above = 0;
    for (int cls : kLinesAbove)
        above |= 1u << cls;
    DrawLines(viewport, scaleKm, palette, layer_.LineMask() & above, out);
}

void TopoDrawing::DrawLines(const MapViewport& viewport, double scaleKm, TopoStyle::Palette palette,
                            unsigned lineMask, DrawList& out) const
{
    const RoadMap& map = layer_.Map();
    if (map.Topo().Empty() || lineMask == 0)
        return;
    for (int cls = 0; cls < kLineClassCount; ++cls)
        if (TopoStyle::LineStroke(cls, scaleKm, palette).width == 0)
            lineMask &= ~(1u << cls);
    std::array<std::vector<std::vector<ScreenPoint>>, kLineClassCount> lines;
    ClippedPolyline clipper(viewport.Client().Grown(kMargin));
    map.ForEachShape(AreaOf(viewport, kMargin), BandOf(viewport), 0, lineMask,
                     [&](const TopoShape& shape, const TopoRing* rings) {
                         const RoadPoint* p = map.Topo().Points(rings[0]);
                         auto& into = lines[shape.cls];
                         nodes_ += rings[0].count;
                         clipper.Begin();
                         for (uint32_t i = 0; i < rings[0].count; ++i)
                             clipper.Add(viewport.GeoToScreen({p[i].lat, p[i].lon, 0}), into);
                         clipper.End(into);
                     });
    const int order[] = {topo::kCoastline, topo::kStreams,    topo::kRivers,
                         topo::kCliffs,    topo::kPowerLines, topo::kAerialways};
    for (int cls : order) {
        auto& classLines = lines[static_cast<std::size_t>(cls)];
        if (classLines.empty())
            continue;
        const Pen pen = TopoStyle::LineStroke(cls, scaleKm, palette);
        if (cls == topo::kCliffs) {
            // Ticks on the right of the way, its downhill side.
            std::vector<std::vector<ScreenPoint>> ticks;
            for (const auto& line : classLines) {
                double carry = 0;
                for (std::size_t i = 0; i + 1 < line.size(); ++i) {
                    const double dx = line[i + 1].x - line[i].x, dy = line[i + 1].y - line[i].y;
                    const double len = std::hypot(dx, dy);
                    if (len == 0)
                        continue;
                    // Screen y grows downward: the right of the direction is (-dy, dx).
                    const double nx = -dy / len * TopoStyle::kCliffTick,
                                 ny = dx / len * TopoStyle::kCliffTick;
                    for (double t = carry; t < len; t += TopoStyle::kCliffTickSpacing) {
                        const double x = line[i].x + dx * t / len, y = line[i].y + dy * t / len;
                        ticks.push_back({{static_cast<int>(x), static_cast<int>(y)},
                                         {static_cast<int>(x + nx), static_cast<int>(y + ny)}});
                    }
                    carry = std::fmod(carry - len, TopoStyle::kCliffTickSpacing);
                    if (carry < 0)
                        carry += TopoStyle::kCliffTickSpacing;
                }
            }
            out.Add(Polylines{pen, std::move(ticks)});
        }
        out.Add(Polylines{pen, std::move(classLines)});
    }
}

void TopoDrawing::DrawNames(const MapViewport& viewport, double scaleKm, TopoStyle::Palette palette,
                            bool feet, LabelPlacer& placer, const TextMeasure& measure,
                            DrawList& out) const
{
    const RoadMap& map = layer_.Map();
    if (map.Topo().Empty() || layer_.PointMask() == 0)
        return;
    // An English interface shows the English names the map has.
    const bool english = LanguageCode() == "en";
    struct Candidate {
        const TopoLabel* label;
        int priority;
        ScreenPoint at;
    };
    std::vector<Candidate> shown;
    const ScreenRect& client = viewport.Client();
    unsigned labelMask = layer_.PointMask();
    if (layer_.AreaMask() >> topo::kWater & 1u)
        labelMask |= 1u << kWaterNameLabel;
    if (layer_.AreaMask() >> topo::kWood & 1u)
        labelMask |= 1u << kWoodNameLabel;
    map.Topo().ForEachLabel(AreaOf(viewport, 0), labelMask, [&](const TopoLabel& l) {
        const bool areaName = l.cls >= kPointClassCount;
        const double upTo = areaName                 ? 500
                            : l.cls == topo::kPlaces ? kPlaceShownUpTo[std::min<int>(l.rank, 5)]
                                                     : kPointShownUpTo[l.cls];
        if (scaleKm > upTo)
            return;
        const ScreenPoint at = viewport.GeoToScreen({l.at.lat, l.at.lon, 0});
        if (!client.Contains(at))
            return;
        // Places by rank first, then peaks (higher first), passes, huts,
        // springs, viewpoints; the names of lakes and woods last, larger first.
        int priority = l.cls == topo::kPlaces ? l.rank * 100000 : 1000000 + l.cls * 100000;
        if (areaName)
            priority -= std::clamp(static_cast<int>(l.ele * viewport.Ys()), 0, 99999);
        if (l.cls == topo::kPeaks && l.ele != kNoElevation)
            priority -= std::clamp(l.ele, 0, 9999);
        shown.push_back({&l, priority, at});
    });
    std::stable_sort(shown.begin(), shown.end(), [](const Candidate& a, const Candidate& b) {
        return a.priority < b.priority;
    });

    const Colour halo = TopoStyle::Halo(palette);
    for (const Candidate& c : shown) {
        const TopoLabel& l = *c.label;
        const std::string name(english ? map.Topo().EnglishName(l) : map.Topo().Name(l));
        std::string text = name;
        const bool areaName = l.cls >= kPointClassCount;
        if (l.cls == topo::kPeaks && l.ele != kNoElevation) {
            const int ele = feet ? static_cast<int>(std::lround(l.ele / 0.3048)) : l.ele;
            text = name.empty()
                       ? FormatString(feet ? "%d ft" : "%d m", ele)
                       : FormatString(feet ? kPeakFormatFeet : kPeakFormat, name.c_str(), ele);
        }
        const bool symbol = l.cls != topo::kPlaces && !areaName;
        const int h = kSymbolSize / 2;
        if (symbol) {
            const ScreenRect box{c.at.x - h, c.at.y - h, c.at.x + h + 1, c.at.y + h + 1};
            if (!placer.Place(std::span<const ScreenRect>(&box, 1)))
                continue;
            out.Add(BitmapCell{kSymbolStrip, l.cls, kSymbolSize, c.at});
        }
        if (text.empty())
            continue;
        const Font font = TopoStyle::NameFont(l.cls, l.cls == topo::kPlaces && l.rank <= 1);
        const TextExtent size = measure ? measure(text, font) : EstimateTextExtent(text, font);
        // An area's name only where the area is wider on the screen than the name.
        if (areaName && size.width > l.ele * std::min(viewport.Xs(), viewport.Ys()))
            continue;
        // Right of a symbol, left, above, below; a place's name over its point first.
        const int gap = symbol ? h + 2 : 0;
        struct Spot {
            ScreenPoint anchor;
            HAlign h;
            VAlign v;
        };
        std::vector<Spot> spots;
        if (!symbol)
            spots.push_back({c.at, HAlign::Centre, VAlign::Centre});
        spots.push_back({{c.at.x + gap + 1, c.at.y}, HAlign::Left, VAlign::Centre});
        spots.push_back({{c.at.x - gap - 1, c.at.y}, HAlign::Right, VAlign::Centre});
        spots.push_back({{c.at.x, c.at.y - std::max(gap, 4)}, HAlign::Centre, VAlign::Bottom});
        spots.push_back({{c.at.x, c.at.y + std::max(gap, 4)}, HAlign::Centre, VAlign::Top});
        if (areaName)
            spots.resize(1); // over the area's middle or not at all
        std::vector<ScreenRect> boxes;
        for (const Spot& s : spots)
            boxes.push_back(AlignedTextBox(s.anchor, size, s.h, s.v).Grown(1));
        const auto taken = placer.Place(boxes);
        if (!taken)
            continue;
        const Spot& s = spots[*taken];
        AddHaloText(
            Text{text, s.anchor, s.h, s.v, font, TopoStyle::NameColour(l.cls, palette), false},
            halo, out);
    }
}

} // namespace hw
