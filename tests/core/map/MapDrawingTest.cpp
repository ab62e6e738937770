#include "map/MapDrawing.h"
#include "base/MemorySettingsStore.h"
#include "geo/MapLayer.h"
#include "geo/SphericalGeometry.h"
#include "map/MapModel.h"
#include "map/WaypointLayer.h"
#include "track/TrackLog.h"
#include "units/UnitFormatter.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointSymbol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace hw {
namespace {

const GeoPoint kHere = GeoPoint::FromDegrees(46.55, 7.98);
constexpr int64_t kNow = 1700000000;

Waypoint WaypointAt(const GeoPoint& p, const std::string& name, int icon = 0)
{
    Waypoint w;
    w.nLatitude = p.lat;
    w.nLongitude = p.lon;
    w.strName = name;
    w.icon = icon;
    return w;
}

TEST(WaypointLayerTest, SymbolFollowsTheGeocacheStateWhenAsked)
{
    Waypoint w;
    w.icon = 30;
    EXPECT_EQ(WaypointSymbol::Choose(w, kNow), 30);
    w.bUseGeocacheStateForIconID = 1;
    w.timeCreated = static_cast<int32_t>(kNow - 100);
    EXPECT_EQ(WaypointSymbol::Choose(w, kNow), 86); // placed within 30 days
    w.timeCreated = static_cast<int32_t>(kNow - 2592000);
    EXPECT_EQ(WaypointSymbol::Choose(w, kNow), 24);
    w.timeCreated = static_cast<int32_t>(kNow + 1);
    EXPECT_EQ(WaypointSymbol::Choose(w, kNow), 87); // not yet placed
    w.geocache.bArchived = 1;
    EXPECT_EQ(WaypointSymbol::Choose(w, kNow), 85);
    w.geocache.bArchived = 0;
    w.geocache.bAvailable = 0;
    EXPECT_EQ(WaypointSymbol::Choose(w, kNow), 85);
    const int expected[] = {25,  26,  84,  85,  83,  86,  88,  94, 105,
                            112, 113, 114, 115, 116, 117, 123, 146};
    for (int state = 1; state <= 17; ++state) {
        w.nGeocacheState = state;
        EXPECT_EQ(WaypointSymbol::Choose(w, kNow), expected[state - 1]) << state;
    }
    w.nGeocacheState = 18;
    EXPECT_EQ(WaypointSymbol::Choose(w, kNow), 0);

    BitmapCell last = WaypointSymbol::Bitmap(150, false, {});
    EXPECT_EQ(last.resourceId, 129);
    EXPECT_EQ(last.cell, 22);
    BitmapCell large = WaypointSymbol::Bitmap(33, true, {});
    EXPECT_EQ(large.resourceId, 123);
    EXPECT_EQ(large.cell, 1);
    EXPECT_EQ(large.cellSize, 30);
    // A symbol index from a damaged file draws the plain waypoint symbol.
    EXPECT_EQ(WaypointSymbol::Bitmap(5000, false, {}).resourceId, 120);
    EXPECT_EQ(WaypointSymbol::Bitmap(-3, false, {}).cell, 0);
}

TEST(WaypointLayerTest, OnlyWaypointsNearTheViewAreDrawnAndManyAreThinned)
{
    EXPECT_EQ(WaypointLayer::ThinningStep(500, 200), 1);
    EXPECT_EQ(WaypointLayer::ThinningStep(6, 201), 1);
    EXPECT_EQ(WaypointLayer::ThinningStep(6.5, 201), 5);
    EXPECT_EQ(WaypointLayer::ThinningStep(10, 201), 10);
    EXPECT_EQ(WaypointLayer::ThinningStep(15, 201), 15);

    WaypointDatabase db;
    ASSERT_GT(db.Add(WaypointAt(kHere, "here", 11)), 0);
    // Same cell, 20 degrees east: found by the cell walk, not drawn.
    ASSERT_GT(db.Add(WaypointAt({kHere.lat, kHere.lon + 20000000, 0}, "far")), 0);
    ASSERT_GT(db.Add(WaypointAt(ProjectPoint(kHere, 0.5, 90), "east")), 0);
    MapModel model(kHere);
    model.SetClientRect({0, 0, 240, 320});
    DrawList list;
    WaypointLayer::Draw(model.Viewport(), model.Scale(), false, db, kNow, list);
    auto cells = list.All<BitmapCell>();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0]->centre, model.GeoToScreen(kHere));
    EXPECT_EQ(cells[0]->cell, 11);
    EXPECT_GT(cells[1]->centre.x, cells[0]->centre.x);

    // 300 waypoints in one cell: at 20 km every 15th is drawn, at 6 km all.
    WaypointDatabase many;
    for (int i = 0; i < 300; ++i)
        ASSERT_GT(many.Add(WaypointAt({kHere.lat + 10 * i, kHere.lon, 0}, "n" + std::to_string(i))),
                  0);
    model.SetScale(20);
    DrawList thinned;
    WaypointLayer::Draw(model.Viewport(), model.Scale(), false, many, kNow, thinned);
    EXPECT_EQ(thinned.All<BitmapCell>().size(), 20u);
    model.SetScale(6);
    DrawList all;
    WaypointLayer::Draw(model.Viewport(), model.Scale(), false, many, kNow, all);
    EXPECT_EQ(all.All<BitmapCell>().size(), 300u);
}

TEST(MapHitTest, ATapOnTwoCloseWaypointsFindsBoth)
{
    MapModel model(kHere);
    model.SetClientRect({0, 0, 240, 320});
    model.SetZoomIndex(2);
    ScreenPoint tap = model.GeoToScreen(kHere);
    WaypointDatabase db;
    int a = db.Add(WaypointAt(model.ScreenToGeo({tap.x + 2, tap.y + 1}), "a"));
    int b = db.Add(WaypointAt(model.ScreenToGeo({tap.x - 5, tap.y - 4}), "b"));
    db.Add(WaypointAt(model.ScreenToGeo({tap.x + 30, tap.y}), "c"));
    // Same cell, 20 degrees away: not under the tap.
    db.Add(WaypointAt({kHere.lat, kHere.lon + 20000000, 0}, "d"));
    std::vector<int> serials{99};
    ASSERT_TRUE(model.HitTest(tap, db, serials));
    EXPECT_EQ(serials, (std::vector<int>{99, a, b}));
    std::vector<int> none;
    EXPECT_FALSE(model.HitTest({tap.x, tap.y + 60}, db, none));
    EXPECT_TRUE(none.empty());
}

class MapDrawingTest : public ::testing::Test {
protected:
    MapDrawingTest()
    {
        model.SetClientRect({0, 0, 240, 320});
        track.SetFilter(0);
    }
    DrawList Build()
    {
        DrawList list;
        MapDrawing::Build(model, {track, db, units, kNow}, list);
        return list;
    }

    MapModel model{kHere};
    TrackLog track;
    WaypointDatabase db;
    MemorySettingsStore store;
    UnitFormatter units{store};
};

TEST_F(MapDrawingTest, AQuietMapHasSheetGridNorthArrowScaleBarAndIcon)
{
    DrawList list = Build();
    ASSERT_FALSE(list.Items().empty());
    ASSERT_TRUE(std::holds_alternative<FillRect>(list.Items().front()));
    EXPECT_EQ(std::get<FillRect>(list.Items().front()).colour, Rgb(255, 255, 255));
    auto polygons = list.All<Polygon>();
    ASSERT_EQ(polygons.size(), 2u); // north arrow, position icon
    EXPECT_EQ(polygons[0]->points.size(), 8u);
    EXPECT_EQ(polygons[1]->brush.colour, Rgb(0, 255, 0));
    EXPECT_TRUE(list.All<RoundRect>().empty()); // following: no return button
    EXPECT_TRUE(list.All<Ellipse>().empty());   // no goto

    // Course up: the north arrow turns by minus the course, the icon not.
    model.SetNorthUp(false);
    model.SetCurrentCourse(90);
    DrawList turned = Build();
    auto arrow = turned.All<Polygon>()[0]->points;
    ScreenPoint tip = arrow[5]; // (0,-6) x 3 turned by -90: to the left
    EXPECT_EQ(tip, (ScreenPoint{30 - 18, 320 - 30}));
    auto icon = turned.All<Polygon>()[1]->points;
    ScreenPoint here = model.GeoToScreen(kHere);
    EXPECT_EQ(icon[0], (ScreenPoint{here.x, here.y - 12}));
    // Grid labels only while north up.
    size_t labelsTurned = 0;
    for (const Text* t : turned.All<Text>())
        labelsTurned += t->font.pointSize == 7 && t->text.find('.') != std::string::npos &&
                        t->text.front() != ' ';
    EXPECT_EQ(labelsTurned, 0u);
}

TEST_F(MapDrawingTest, TrackGotoPointerReturnButtonAndFixIndicator)
{
    for (int i = 0; i < 40; ++i) {
        TrackPoint p;
        GeoPoint g = ProjectPoint(kHere, 0.02 * i, 45);
        p.lat = g.lat;
        p.lon = g.lon;
        p.segmentStart = i == 20;
        track.AddPoint(p);
    }
    // A goto whose leg crosses the view with both ends far outside.
    Waypoint target = WaypointAt(ProjectPoint(kHere, 30, 0), "target");
    db.SetTarget(target, ProjectPoint(kHere, 30, 180));
    db.SetTargetActive(1);
    model.SetFixBars(2);
    model.SetFixIndicatorOn(true);
    model.PanTo({130, 150});

    DrawList list = Build();
    int trackStrokes = 0, gotoLegs = 0;
    for (const Polyline* p : list.All<Polyline>()) {
        if (p->pen.colour == MapModel::kTrackColour)
            ++trackStrokes;
        if (p->pen.colour == Rgb(192, 0, 0) && p->pen.width == 2) {
            ++gotoLegs;
            EXPECT_GE(p->points[0].y, 323); // from the origin in the south
            EXPECT_LE(p->points[1].y, -4);
        }
    }
    EXPECT_EQ(trackStrokes, 2); // two segments
    EXPECT_EQ(gotoLegs, 1);
    ASSERT_EQ(list.All<Ellipse>().size(), 1u); // the circle round the icon
    EXPECT_EQ(list.All<Ellipse>()[0]->bounds.Width(), 100);
    ASSERT_EQ(list.All<RoundRect>().size(), 1u);
    EXPECT_EQ(list.All<RoundRect>()[0]->rect, (ScreenRect{210, 0, 240, 30}));
    // Five bars, three filled, outlined in half the icon colour.
    int filled = 0, bars = 0;
    for (const Polygon* p : list.All<Polygon>()) {
        if (p->pen.colour != Rgb(0, 127, 0))
            continue;
        ++bars;
        filled += !p->brush.hollow;
    }
    EXPECT_EQ(bars, 5);
    EXPECT_EQ(filled, 3);
    // The target pointer points north, toward the target.
    const Polygon* pointer = list.All<Polygon>()[1];
    ScreenPoint here = model.GeoToScreen(kHere);
    EXPECT_EQ(pointer->points[1], (ScreenPoint{here.x, here.y - 48}));
}

// The grid's labels stay off the marks over the map: a latitude beside the
// north arrow or under the fix indicator, a longitude through the scale bar's
// figure is left out, every other label is drawn.
TEST_F(MapDrawingTest, GridLabelsKeepClearOfTheFixedMarks)
{
    const TextMeasure measure = [](const std::string& text, const Font&) {
        return TextExtent{6 * static_cast<int>(text.size()), 10};
    };
    model.SetNorthUp(true);
    model.SetFixIndicatorOn(true);
    model.SetScale(0.2); // a line every 0.001 degrees, several in view
    int kept = 0, leftOut = 0;
    // Across one step of the grid, so that lines pass under every mark.
    for (int shift = 0; shift < 1000; shift += 25) {
        model.SetCurrentPosition({kHere.lat + shift, kHere.lon + shift, 0});
        const MapViewport viewport = model.Viewport();
        DrawList all, clear;
        MapDrawing::BuildBackground(model, {track, db, units, kNow}, viewport, all);
        const MapDrawing::Sources measured{track, db, units, kNow, nullptr, measure};
        MapDrawing::BuildBackground(model, measured, viewport, clear);
        const std::vector<ScreenRect> marks = MapDrawing::MarkAreas(model, measured, viewport);
        ASSERT_GE(marks.size(), 3u); // fix indicator, north arrow, scale bar
        const auto meets = [&](const Text& label) {
            const ScreenRect box = TextBox(label, measure);
            return std::any_of(marks.begin(), marks.end(),
                               [&](const ScreenRect& m) { return m.Intersects(box); });
        };
        int expected = 0;
        for (const Text* label : all.All<Text>()) {
            if (meets(*label))
                ++leftOut;
            else
                ++expected;
        }
        int drawn = 0;
        for (const Text* label : clear.All<Text>()) {
            EXPECT_FALSE(meets(*label)) << label->text << " at shift " << shift;
            ++drawn;
        }
        EXPECT_EQ(drawn, expected) << "shift " << shift;
        kept += drawn;
        // The lines themselves are all drawn.
        EXPECT_EQ(clear.All<Polyline>().size(), all.All<Polyline>().size());
    }
    EXPECT_GT(leftOut, 0);
    EXPECT_GT(kept, leftOut);
}

TEST(TextBoxTest, UprightTextRisesFromItsAnchor)
{
    const TextMeasure measure = [](const std::string&, const Font&) { return TextExtent{30, 10}; };
    Text flat{"x", {100, 50}, HAlign::Left, VAlign::Centre, Font{"Tahoma", 7, false, 0}, 0};
    EXPECT_EQ(TextBox(flat, measure), (ScreenRect{100, 45, 130, 55}));
    // Written upward: the text's length runs up the screen from the anchor,
    // its height across it.
    Text upright = flat;
    upright.font.escapement = 900;
    EXPECT_EQ(TextBox(upright, measure), (ScreenRect{95, 20, 105, 50}));
    Text centred = flat;
    centred.hAlign = HAlign::Centre;
    centred.vAlign = VAlign::Bottom;
    EXPECT_EQ(TextBox(centred, measure), (ScreenRect{85, 40, 115, 50}));
}

// A road layer stands for the background map: its items come after the grid
// lines and before the track.
class MarkerLayer : public MapLayer {
public:
    void Draw(const MapViewport&, double scaleKm, DrawList& out) const override
    {
        out.Add(FillRect{{1, 2, 3, 4}, Rgb(1, 2, 3)});
        lastScale = scaleKm;
    }
    mutable double lastScale = 0;
};

TEST_F(MapDrawingTest, TheRoadLayerLiesBetweenGridAndTrack)
{
    track.AddPoint({kHere.lat, kHere.lon, 0, 1, 0});
    track.AddPoint({kHere.lat + 1000, kHere.lon + 1000, 0, 0, 60});
    MarkerLayer roads;
    DrawList list;
    MapDrawing::Build(model, {track, db, units, kNow, &roads}, list);
    const auto& items = list.Items();
    size_t layer = items.size(), lastGrid = 0, firstTrack = items.size();
    for (size_t i = 0; i < items.size(); ++i) {
        if (auto* r = std::get_if<FillRect>(&items[i]); r && r->colour == Rgb(1, 2, 3))
            layer = i;
        if (auto* l = std::get_if<Polyline>(&items[i])) {
            if (l->pen.colour == Rgb(192, 192, 192))
                lastGrid = i;
            else if (l->pen.colour == 0 && firstTrack == items.size())
                firstTrack = i;
        }
    }
    ASSERT_LT(layer, items.size());
    EXPECT_GT(layer, lastGrid);
    EXPECT_LT(layer, firstTrack);
    EXPECT_DOUBLE_EQ(roads.lastScale, 1.0);
}

// A layer of ground and lines over it, and a relief layer: the ground lies
// under the shading (the first part), the relief's lines over it and under
// the roads.
class GroundLayer : public MapLayer {
public:
    explicit GroundLayer(Colour ground, Colour lines) : ground_(ground), lines_(lines) {}
    void DrawGround(const MapViewport&, double, DrawList& out) const override
    {
        if (ground_)
            out.Add(FillRect{{1, 2, 3, 4}, ground_});
    }
    void Draw(const MapViewport&, double, DrawList& out) const override
    {
        out.Add(FillRect{{1, 2, 3, 4}, lines_});
    }

private:
    Colour ground_, lines_;
};

TEST_F(MapDrawingTest, ContoursLieOverTheGroundAndUnderTheRoads)
{
    const Colour wood = Rgb(1, 1, 1), road = Rgb(2, 2, 2), contour = Rgb(3, 3, 3);
    GroundLayer roads(wood, road), terrain(0, contour);
    MapDrawing::Sources sources{track, db, units, kNow, &roads};
    sources.terrain = &terrain;
    const MapViewport viewport = model.Viewport();
    auto colours = [](const DrawList& list) {
        std::vector<Colour> found;
        for (const FillRect* r : list.All<FillRect>())
            found.push_back(r->colour);
        return found;
    };
    DrawList ground, over, whole;
    MapDrawing::BuildGround(model, sources, viewport, ground);
    MapDrawing::BuildOverGround(model, sources, viewport, over);
    MapDrawing::BuildBackground(model, sources, viewport, whole);
    EXPECT_EQ(colours(ground), (std::vector<Colour>{Rgb(255, 255, 255), wood}));
    EXPECT_EQ(colours(over), (std::vector<Colour>{contour, road}));
    EXPECT_EQ(colours(whole), (std::vector<Colour>{Rgb(255, 255, 255), wood, contour, road}));
}

} // namespace
} // namespace hw
