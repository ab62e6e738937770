#include "map/MapDrawing.h"

#include "base/LabelPlacer.h"
#include "base/Translate.h"
#include "geo/LineClip.h"
#include "geo/MapLayer.h"
#include "geo/SphericalGeometry.h"
#include "map/CourseLayer.h"
#include "map/MapGrid.h"
#include "map/MapIcons.h"
#include "map/MapModel.h"
#include "map/MapScaleBar.h"
#include "map/WaypointLayer.h"
#include "track/TrackLog.h"
#include "track/TrackPathBuilder.h"
#include "waypoints/WaypointDatabase.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kGotoRed = Rgb(192, 0, 0);
constexpr Colour kYellow = Rgb(255, 255, 0);
constexpr int kTargetCircleRadius = 50;
constexpr Pen kTrackCasing{kWhite, 4, PenStyle::Solid}; // flat: round joins cost a frame

const Font kSmallFont{"Tahoma", 7, false, 0};

GeoPoint TargetPosition(const WaypointDatabase& waypoints)
{
    return {waypoints.Target().nLatitude, waypoints.Target().nLongitude, 0};
}

// A polygon icon: outline pen and fill.
void AddIcon(std::vector<ScreenPoint> points, Colour outline, Colour fill, DrawList& out)
{
    out.Add(Polygon{Pen{outline, 1, PenStyle::Solid}, Brush{fill, false}, std::move(points)});
}

ScreenRect CircleBounds(ScreenPoint centre, int radius)
{
    return {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

// A straight line between two projected points, cut to what can show.
void AddClippedLine(const ScreenRect& client, ScreenPoint a, ScreenPoint b, Pen pen, DrawList& out)
{
    if (auto clipped = ClipLine(client.Grown(TrackPathBuilder::kMargin), a, b))
        out.Add(Polyline{pen, {clipped->first, clipped->second}});
}

} // namespace

void MapDrawing::Build(const MapModel& model, const Sources& sources, DrawList& out)
{
    const MapViewport viewport = model.Viewport();
    BuildBackground(model, sources, viewport, out);
    BuildForeground(model, sources, viewport, out);
}

void MapDrawing::BuildBackground(const MapModel& model, const Sources& sources,
                                 const MapViewport& viewport, DrawList& out)
{
    BuildGround(model, sources, viewport, out);
    BuildOverGround(model, sources, viewport, out);
}

void MapDrawing::BuildGround(const MapModel& model, const Sources& sources,
                             const MapViewport& viewport, DrawList& out)
{
    out.Add(FillRect{model.ClientRect(), kWhite});
    if (model.GridOn()) {
        DrawList grid;
        MapGrid::Draw(viewport, model.Scale(), false, grid);
        for (const DrawItem& item : grid.Items())
            out.Add(item);
    }
    if (sources.roads)
        sources.roads->DrawGround(viewport, model.Scale(), out);
}

void MapDrawing::BuildOverGround(const MapModel& model, const Sources& sources,
                                 const MapViewport& viewport, DrawList& out)
{
    // Contours over the land, under the roads; then every layer's names,
    // placed together so that none meets another, a mark over the map or
    // the position icon.
    if (sources.terrain)
        sources.terrain->Draw(viewport, model.Scale(), out);
    if (sources.roads)
        sources.roads->Draw(viewport, model.Scale(), out);
    std::vector<ScreenRect> names;
    if (sources.roads || sources.terrain) {
        std::vector<ScreenRect> obstacles = MarkAreas(model, sources, viewport);
        DrawList icon;
        DrawPositionIcon(model, viewport, icon);
        for (const DrawItem& item : icon.Items())
            obstacles.push_back(ItemBounds(item, sources.measure));
        LabelPlacer placer(viewport.Client(), std::move(obstacles));
        for (const MapLayer* layer : {sources.roads, sources.terrain})
            if (layer)
                layer->DrawNames(viewport, model.Scale(), placer, sources.measure, out);
        names = placer.Placed();
    }
    // The grid's labels over everything else, readable, and left out where
    // a mark over the map (the scale bar's figure, the north arrow, the fix
    // indicator) or a name would cover them or run through them.
    const bool labels = model.NorthUp() && model.GridLabels();
    if (!model.GridOn() || !labels)
        return;
    DrawList grid;
    MapGrid::Draw(viewport, model.Scale(), true, grid);
    const std::vector<const Text*> gridLabels = grid.All<Text>();
    if (gridLabels.empty())
        return;
    std::vector<ScreenRect> marks =
        sources.measure ? MarkAreas(model, sources, viewport) : std::vector<ScreenRect>{};
    marks.insert(marks.end(), names.begin(), names.end());
    for (const Text* label : gridLabels) {
        const ScreenRect box = marks.empty() ? ScreenRect{} : TextBox(*label, sources.measure);
        if (std::none_of(marks.begin(), marks.end(),
                         [&](const ScreenRect& mark) { return mark.Intersects(box); }))
            out.Add(*label);
    }
}

std::vector<ScreenRect> MapDrawing::MarkAreas(const MapModel& model, const Sources& sources,
                                              const MapViewport& viewport)
{
    DrawList marks;
    DrawFixIndicator(model, marks);
    DrawNorthArrow(viewport, marks);
    MapScaleBar::Draw(viewport, sources.units, marks);
    if (sources.roads)
        sources.roads->DrawLabels(viewport, FixIndicatorBottom(model) + 3, marks);
    if (sources.terrain)
        sources.terrain->DrawLabels(viewport, FixIndicatorBottom(model) + 3, marks);
    std::vector<ScreenRect> areas;
    for (const DrawItem& item : marks.Items())
        areas.push_back(ItemBounds(item, sources.measure));
    return areas;
}

void MapDrawing::BuildForeground(const MapModel& model, const Sources& sources,
                                 const MapViewport& viewport, DrawList& out)
{
    if (sources.courses)
        CourseLayer::Draw(*sources.courses, viewport, model.DisplayScale(), out);
    if (sources.roads && sources.roads->Drew()) {
        // Over roads the thin track gets a white casing, so that it stands
        // out from the streets and paths under it; on the bare sheet it
        // would be white on white, and costly to stroke.
        DrawList track;
        DrawTrack(model, viewport, sources.track, track);
        for (const Polyline* stroke : track.All<Polyline>())
            out.Add(Polyline{kTrackCasing, stroke->points});
        for (const DrawItem& item : track.Items())
            out.Add(item);
    } else {
        DrawTrack(model, viewport, sources.track, out);
    }
    WaypointLayer::Draw(viewport, model.Scale(), model.LargeWaypoints(), sources.waypoints,
                        sources.now, out);
    if (sources.moreWaypoints)
        WaypointLayer::Draw(viewport, model.Scale(), model.LargeWaypoints(), *sources.moreWaypoints,
                            sources.now, out);
    DrawGotoLeg(viewport, sources.waypoints, out);
    DrawNorthArrow(viewport, out);
    MapScaleBar::Draw(viewport, sources.units, out);
    DrawTargetPointer(model, viewport, sources.waypoints, out);
    DrawPositionIcon(model, viewport, out);
    DrawAveragingMarker(model, viewport, out);
    DrawReturnButton(model, out);
    DrawFixIndicator(model, out);
    if (sources.roads)
        sources.roads->DrawLabels(viewport, FixIndicatorBottom(model) + 3, out);
    if (sources.terrain)
        sources.terrain->DrawLabels(viewport, FixIndicatorBottom(model) + 3, out);
}

bool MapDrawing::BackgroundKey::operator==(const BackgroundKey& o) const
{
    return viewport.SameView(o.viewport) && scaleKm == o.scaleKm && grid == o.grid &&
           labels == o.labels && roads == o.roads && roadsRevision == o.roadsRevision &&
           positionIcon == o.positionIcon && terrainRevision == o.terrainRevision;
}

MapDrawing::BackgroundKey MapDrawing::KeyOf(const MapModel& model, const Sources& sources,
                                            const MapViewport& viewport)
{
    BackgroundKey key{viewport,
                      model.Scale(),
                      model.GridOn(),
                      model.NorthUp() && model.GridLabels(),
                      sources.roads,
                      sources.roads ? sources.roads->Revision() : 0,
                      {},
                      sources.terrain ? sources.terrain->Revision() : 0};
    // The map's names make way for the position icon: where it stands is part of the picture.
    if (sources.roads || sources.terrain) {
        DrawList icon;
        DrawPositionIcon(model, viewport, icon);
        for (const DrawItem& item : icon.Items())
            key.positionIcon.push_back(ItemBounds(item, {}));
    }
    return key;
}

int MapDrawing::FixIndicatorBottom(const MapModel& model)
{
    return model.ClientRect().top + 3 + kFixIndicatorHeight * model.DisplayScale();
}

void MapDrawing::DrawTrack(const MapModel& model, const MapViewport& viewport,
                           const TrackLog& track, DrawList& out)
{
    TrackPathBuilder path(model.ClientRect(), model.Scale() > 1.0);
    for (uint16_t i = 0, n = track.Count(); i < n; ++i) {
        const TrackPoint& p = track.At(i);
        path.Add(viewport.GeoToScreen({p.lat, p.lon, 0}), p.segmentStart != 0);
    }
    Pen pen = model.TrackPen();
    for (std::vector<ScreenPoint>& stroke : path.Finish())
        out.Add(Polyline{pen, std::move(stroke)});
}

void MapDrawing::DrawGotoLeg(const MapViewport& viewport, const WaypointDatabase& waypoints,
                             DrawList& out)
{
    if (!waypoints.IsTargetActive())
        return;
    AddClippedLine(viewport.Client(), viewport.GeoToScreen(waypoints.TargetStart()),
                   viewport.GeoToScreen(TargetPosition(waypoints)), Pen{kGotoRed, 2}, out);
}

void MapDrawing::DrawNorthArrow(const MapViewport& viewport, DrawList& out)
{
    const ScreenRect& client = viewport.Client();
    ScreenPoint anchor{client.left + 30, client.bottom - 30};
    AddIcon(MapIcons::Place(MapIcons::NorthArrow(), anchor, -viewport.RotationDegrees()),
            MapIcons::kNavy, MapIcons::kGrey, out);
    out.Add(
        Text{"N", anchor, HAlign::Centre, VAlign::Centre, Font{"Tahoma", 13, false, 0}, kBlack});
}

void MapDrawing::DrawTargetPointer(const MapModel& model, const MapViewport& viewport,
                                   const WaypointDatabase& waypoints, DrawList& out)
{
    if (!waypoints.IsTargetActive())
        return;
    ScreenPoint here = viewport.GeoToScreen(model.CurrentPosition());
    out.Add(Ellipse{Pen{kBlack, 1}, Brush::Hollow(), CircleBounds(here, kTargetCircleRadius)});
    double angle = BearingToward(TargetPosition(waypoints), model.CurrentPosition()) -
                   viewport.RotationDegrees();
    AddIcon(MapIcons::Place(MapIcons::TargetPointer(), here, angle), MapIcons::kNavy,
            MapIcons::kGrey, out);
}

void MapDrawing::DrawPositionIcon(const MapModel& model, const MapViewport& viewport, DrawList& out)
{
    double angle = 0;
    if (model.NorthUp())
        angle = model.CurrentCourse();
    else if (model.IsPanned())
        angle = model.CurrentCourse() - model.FrozenCourse();
    ScreenPoint here = viewport.GeoToScreen(model.CurrentPosition());
    AddIcon(MapIcons::Place(MapIcons::Position().vertices, here, model.PositionIconSize(), angle),
            model.PositionIconColour(), model.PositionIconColour(), out);
}

void MapDrawing::DrawAveragingMarker(const MapModel& model, const MapViewport& viewport,
                                     DrawList& out)
{
    if (!model.Averaging())
        return;
    const MapModel::AveragingMarker& marker = *model.Averaging();
    ScreenPoint centre = viewport.GeoToScreen(marker.position);
    ScreenPoint edge = viewport.GeoToScreen(ProjectPoint(marker.position, marker.spreadKm, 90));
    int radius = TruncToPixel(std::hypot(edge.x - centre.x, edge.y - centre.y));
    AddIcon(MapIcons::Place(MapIcons::MarkerPlus(), centre, 0), MapIcons::kNavy, MapIcons::kOlive,
            out);
    out.Add(Ellipse{Pen{MapIcons::kNavy, 1}, Brush::Hollow(), CircleBounds(centre, radius)});
}

void MapDrawing::DrawReturnButton(const MapModel& model, DrawList& out)
{
    if (!model.IsPanned())
        return;
    ScreenRect r = model.ReturnButtonRect();
    out.Add(RoundRect{Pen{kBlack, 1}, Brush{kYellow, false}, r, 8});
    out.Add(Text{Translate("MapDrawing", "退出"),
                 {(r.left + r.right) / 2, (r.top + r.bottom) / 2},
                 HAlign::Centre,
                 VAlign::Centre,
                 kSmallFont,
                 kBlack});
}

void MapDrawing::DrawFixIndicator(const MapModel& model, DrawList& out)
{
    if (!model.FixIndicatorOn())
        return;
    const ScreenRect& client = model.ClientRect();
    const int scale = model.DisplayScale();
    const int width = 25 * scale, height = kFixIndicatorHeight * scale;
    const int left = client.left + 3, bottom = FixIndicatorBottom(model);
    const Colour fill = model.PositionIconColour();
    const Colour outline = Rgb(RedOf(fill) / 2, GreenOf(fill) / 2, BlueOf(fill) / 2);
    const int barWidth = width / 5;
    for (int i = 0; i < 5; ++i) {
        int barHeight = height * (i + 1) / 5;
        int x = left + i * barWidth;
        std::vector<ScreenPoint> box{{x, bottom - barHeight},
                                     {x + barWidth, bottom - barHeight},
                                     {x + barWidth, bottom},
                                     {x, bottom}};
        Brush brush = i <= model.FixBars() ? Brush{fill, false} : Brush::Hollow();
        out.Add(Polygon{Pen{outline, 1}, brush, std::move(box)});
    }
}

} // namespace hw
