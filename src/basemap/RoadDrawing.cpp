#include "basemap/RoadDrawing.h"

#include "base/FormatString.h"
#include "basemap/RoadLayer.h"
#include "geo/ClippedPolyline.h"
#include "geo/MapViewport.h"

#include <array>
#include <vector>

namespace hw {
namespace {

const Font kLabelFont{"Tahoma", 7, false, 0};
constexpr int kScaleBarBand = 27; // the scale bar's text and ticks, above the bottom edge

} // namespace

void RoadDrawing::DrawGround(const MapViewport& viewport, double scaleKm, DrawList& out) const
{
    groundNodes_ = 0;
    if (layer_.Map().Empty())
        return;
    topo_.ResetCount();
    topo_.DrawBelowRoads(viewport, scaleKm, palette_, out);
    groundNodes_ = topo_.NodesDrawn();
}

void RoadDrawing::Draw(const MapViewport& viewport, double scaleKm, DrawList& out) const
{
    nodes_ = 0;
    const RoadMap& map = layer_.Map();
    if (map.Empty())
        return;
    const MapViewport::GeoBox box = viewport.VisibleBox(kMargin);
    const RoadBox area{box.south, box.west, box.north, box.east};
    std::array<std::vector<std::vector<ScreenPoint>>, kRoadClassCount> lines;
    ClippedPolyline clip(viewport.Client().Grown(kMargin));
    map.ForEachWay(area, layer_.ClassMask(),
                   [&](int roadClass, const RoadPoint* points, uint32_t count) {
                       nodes_ += count;
                       auto& into = lines[static_cast<size_t>(roadClass)];
                       clip.Begin();
                       for (uint32_t i = 0; i < count; ++i)
                           clip.Add(viewport.GeoToScreen({points[i].lat, points[i].lon, 0}), into);
                       clip.End(into);
                   });
    for (int roadClass : RoadStyle::DrawingOrder()) {
        auto& classLines = lines[static_cast<size_t>(roadClass)];
        if (classLines.empty())
            continue;
        const RoadStyle::Stroke stroke = RoadStyle::StrokeOf(roadClass, scaleKm, palette_);
        if (stroke.edged)
            out.Add(Polylines{stroke.edge, classLines});
        out.Add(Polylines{stroke.line, std::move(classLines)});
    }
    topo_.ResetCount();
    topo_.DrawAboveRoads(viewport, scaleKm, palette_, out);
    nodes_ += topo_.NodesDrawn();
}

void RoadDrawing::DrawNames(const MapViewport& viewport, double scaleKm, LabelPlacer& placer,
                            const TextMeasure& measure, DrawList& out) const
{
    topo_.DrawNames(viewport, scaleKm, palette_, feet_, placer, measure, out);
}

uint64_t RoadDrawing::Revision() const
{
    return layer_.Revision() * 4 + (palette_ == RoadStyle::Palette::Night ? 1 : 0) +
           (feet_ ? 2 : 0);
}

void RoadDrawing::DrawLabels(const MapViewport& viewport, int top, DrawList& out) const
{
    if (layer_.Map().Empty())
        return;
    const ScreenRect& client = viewport.Client();
    const Colour ink = RoadStyle::TextColour(palette_);
    out.Add(Text{FormatTranslated("RoadDrawing", kNodeCountFormat, static_cast<int>(NodesDrawn())),
                 {client.left + 3, top},
                 HAlign::Left,
                 VAlign::Top,
                 kLabelFont,
                 ink,
                 true});
    if (Drew())
        out.Add(Text{kCredit,
                     {client.right - 5, client.bottom - kScaleBarBand},
                     HAlign::Right,
                     VAlign::Bottom,
                     kLabelFont,
                     ink,
                     true});
}

} // namespace hw
