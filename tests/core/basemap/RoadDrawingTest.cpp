#include "basemap/RoadDrawing.h"

#include "base/MemorySettingsStore.h"
#include "basemap/RoadLayer.h"
#include "geo/ClippedPolyline.h"
#include "geo/SphericalGeometry.h"
#include "map/MapDrawing.h"
#include "map/MapModel.h"
#include "track/TrackLog.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace hw {
namespace {

const GeoPoint kCentre = GeoPoint::FromDegrees(43.7384, 7.4246);

RoadPoint At(const GeoPoint& from, double km, double bearing)
{
    const GeoPoint g = ProjectPoint(from, km, bearing);
    return {g.lat, g.lon};
}

// A way of a class across the centre, west to east, of `points` points.
std::vector<RoadPoint> Across(const GeoPoint& centre, double halfKm, int points)
{
    std::vector<RoadPoint> way;
    for (int i = 0; i < points; ++i)
        way.push_back(At(centre, halfKm * (2.0 * i / (points - 1) - 1.0), 90));
    return way;
}

class RoadDrawingTest : public ::testing::Test {
protected:
    void Load(const RoadMapWriter& writer)
    {
        dir_ = std::make_unique<test::TempDir>();
        test::WriteFileBytes(dir_->Path("roads.map"), writer.Bytes());
        ASSERT_TRUE(layer_.Open(dir_->Path("roads.map")));
    }
    // Every class once across the centre, 0.4 km to each side, five points each.
    void LoadEveryClass()
    {
        RoadMapWriter writer;
        for (int c = 0; c < kRoadClassCount; ++c)
            writer.AddWay(c, Across(ProjectPoint(kCentre, 0.05 * c, 0), 0.4, 5));
        Load(writer);
    }
    DrawList Draw(int zoom, bool northUp = true)
    {
        model_.SetClientRect({0, 0, 480, 640});
        model_.SetZoomIndex(zoom);
        model_.SetNorthUp(northUp);
        model_.SetCurrentCourse(30);
        DrawList out;
        MapDrawing::Build(model_, {track_, waypoints_, units_, 0, &drawing_}, out);
        return out;
    }
    std::vector<const Polylines*> Roads(const DrawList& list) const
    {
        return list.All<Polylines>();
    }
    std::vector<std::string> Texts(const DrawList& list) const
    {
        std::vector<std::string> texts;
        for (const Text* t : list.All<Text>())
            texts.push_back(t->text);
        return texts;
    }
    bool HasText(const DrawList& list, const std::string& text) const
    {
        auto texts = Texts(list);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    std::unique_ptr<test::TempDir> dir_;
    RoadLayer layer_;
    RoadDrawing drawing_{layer_};
    MapModel model_{kCentre};
    TrackLog track_;
    WaypointDatabase waypoints_;
    MemorySettingsStore store_;
    UnitFormatter units_{store_};
};

TEST_F(RoadDrawingTest, TheTrackIsCasedOnlyOverDrawnRoads)
{
    for (int i = 0; i < 5; ++i) {
        const GeoPoint g = ProjectPoint(kCentre, 0.1 * i, 0);
        TrackPoint p;
        p.lat = g.lat;
        p.lon = g.lon;
        track_.AddPoint(p);
    }
    auto casings = [](const DrawList& list) {
        const auto lines = list.All<Polyline>();
        return std::count_if(lines.begin(), lines.end(),
                             [](const Polyline* l) { return l->pen.width == 4; });
    };
    LoadEveryClass();
    EXPECT_GT(casings(Draw(7)), 0);
    layer_.SetClassMask(0); // nothing of the map drawn: the bare sheet
    EXPECT_EQ(casings(Draw(7)), 0);
}

TEST_F(RoadDrawingTest, EveryShownClassIsDrawnInItsStyleAndCounted)
{
    LoadEveryClass();
    DrawList list = Draw(7);
    // Edged classes give two items (edge, then road); the rest one each.
    size_t expected = 0;
    for (int c = 0; c < kRoadClassCount; ++c)
        expected += RoadStyle::StrokeOf(c, model_.Scale(), RoadStyle::Palette::Day).edged ? 2 : 1;
    EXPECT_EQ(Roads(list).size(), expected);
    EXPECT_EQ(drawing_.NodesDrawn(), 50u);
    EXPECT_TRUE(HasText(list, "节点计数:50"));
    EXPECT_TRUE(HasText(list, RoadDrawing::kCredit));
    // Every text (the grid's labels too) lies over the roads, readable.
    size_t lastRoad = 0, firstText = list.Items().size();
    for (size_t i = 0; i < list.Items().size(); ++i) {
        if (std::holds_alternative<Polylines>(list.Items()[i]))
            lastRoad = i;
        if (std::holds_alternative<Text>(list.Items()[i]))
            firstText = std::min(firstText, i);
    }
    EXPECT_LT(lastRoad, firstText);
    EXPECT_GT(Texts(list).size(), 4u);

    // Paths and tracks dashed, rail thin and dark, streets solid.
    for (int c : {7, 8})
        EXPECT_EQ(RoadStyle::StrokeOf(c, 1.0, RoadStyle::Palette::Day).line.style, PenStyle::Dash);
    const Pen rail = RoadStyle::StrokeOf(9, 1.0, RoadStyle::Palette::Day).line;
    EXPECT_EQ(rail.style, PenStyle::Solid);
    EXPECT_LE(rail.width, 1);
    EXPECT_LT(RedOf(rail.colour) + GreenOf(rail.colour) + BlueOf(rail.colour), 3 * 80);
    EXPECT_EQ(RoadStyle::StrokeOf(5, 1.0, RoadStyle::Palette::Day).line.style, PenStyle::Solid);
}

TEST_F(RoadDrawingTest, ClassesMaskedOutDrawNothing)
{
    LoadEveryClass();
    const unsigned onlyPathsAndRail = (1u << 8) | (1u << 9);
    layer_.SetClassMask(onlyPathsAndRail);
    DrawList list = Draw(7);
    ASSERT_EQ(Roads(list).size(), 2u);
    EXPECT_EQ(Roads(list)[0]->pen, RoadStyle::StrokeOf(8, 1.0, RoadStyle::Palette::Day).line);
    EXPECT_EQ(Roads(list)[1]->pen, RoadStyle::StrokeOf(9, 1.0, RoadStyle::Palette::Day).line);
    EXPECT_EQ(drawing_.NodesDrawn(), 10u);

    // Nothing shown: no lines, no credit, but the count says 0.
    layer_.SetClassMask(0);
    list = Draw(7);
    EXPECT_TRUE(Roads(list).empty());
    EXPECT_TRUE(HasText(list, "节点计数:0"));
    EXPECT_FALSE(HasText(list, RoadDrawing::kCredit));

    // The mask goes through its setting.
    MemorySettingsStore settings;
    layer_.SetClassMask(onlyPathsAndRail);
    layer_.StoreClassMask(settings);
    RoadLayer again;
    again.LoadClassMask(settings);
    EXPECT_EQ(again.ClassMask(), onlyPathsAndRail);
}

TEST_F(RoadDrawingTest, WidthsShrinkAsTheScaleGrows)
{
    for (int c = 0; c < kRoadClassCount; ++c) {
        int previous = 1000;
        for (double km : {0.01, 0.1, 0.3, 0.5, 1.0, 3.0, 10.0, 50.0, 500.0}) {
            const RoadStyle::Stroke s = RoadStyle::StrokeOf(c, km, RoadStyle::Palette::Day);
            const int width = s.edged ? s.edge.width : s.line.width;
            EXPECT_LE(width, previous) << c << " at " << km;
            EXPECT_GE(s.line.width, 1);
            previous = width;
        }
    }
    const auto motorway = [](double km) {
        return RoadStyle::StrokeOf(0, km, RoadStyle::Palette::Day).edge.width;
    };
    EXPECT_EQ(motorway(0.05), RoadStyle::kWidestRoad);
    EXPECT_GT(motorway(0.1), RoadStyle::StrokeOf(0, 10, RoadStyle::Palette::Day).line.width);

    // In the drawing: the motorway's edge is wider close in than far out.
    LoadEveryClass();
    const auto motorwayPen = [&](int zoom) {
        DrawList list = Draw(zoom);
        auto roads = Roads(list);
        return roads[roads.size() - 2]->pen.width; // the motorway line, under the rail
    };
    EXPECT_GT(motorwayPen(2), motorwayPen(10));
}

TEST_F(RoadDrawingTest, OnlyTheCellsInSightAreReadAndLinesAreCutToTheView)
{
    RoadMapWriter writer;
    writer.AddWay(5, Across(kCentre, 3.0, 61)); // 6 km long through the centre
    const GeoPoint far = ProjectPoint(kCentre, 40, 45);
    writer.AddWay(5, Across(far, 0.5, 3)); // 40 km away
    Load(writer);
    const RoadMap& map = layer_.Map();
    ASSERT_GT(map.CellCount(), 100u);

    DrawList list = Draw(2); // 0.05 km: a view about 70 m wide
    EXPECT_LE(map.CellsLastRead(), 4u);
    EXPECT_EQ(drawing_.NodesDrawn(), 61u); // the far way is not read
    const ScreenRect area = model_.ClientRect().Grown(RoadDrawing::kMargin);
    auto roads = Roads(list);
    ASSERT_FALSE(roads.empty());
    for (const Polylines* r : roads)
        for (const auto& line : r->lines)
            for (ScreenPoint p : line)
                EXPECT_TRUE(area.Contains(p)) << p.x << "," << p.y;

    // Turned (course up), the cells around the turned view are read and the
    // way still crosses it.
    list = Draw(2, false);
    EXPECT_FALSE(Roads(list).empty());
    EXPECT_LE(map.CellsLastRead(), 4u);
}

TEST(ClippedPolylineTest, PiecesLeaveAndComeBackAndSamePixelsAreDropped)
{
    ClippedPolyline clip({0, 0, 100, 100});
    std::vector<std::vector<ScreenPoint>> out;
    clip.Begin();
    for (ScreenPoint p :
         {ScreenPoint{10, 50}, ScreenPoint{10, 50}, ScreenPoint{50, 50}, ScreenPoint{200, 50},
          ScreenPoint{300, 60}, ScreenPoint{50, 60}, ScreenPoint{40, 60}})
        clip.Add(p, out);
    clip.End(out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], (std::vector<ScreenPoint>{{10, 50}, {50, 50}, {99, 50}}));
    EXPECT_EQ(out[1], (std::vector<ScreenPoint>{{99, 60}, {50, 60}, {40, 60}}));

    // A line wholly outside, or one pixel long, gives nothing.
    out.clear();
    clip.Begin();
    for (ScreenPoint p : {ScreenPoint{-50, -50}, ScreenPoint{-10, 200}, ScreenPoint{5, 5}})
        clip.Add(p, out);
    clip.End(out);
    ASSERT_EQ(out.size(), 1u); // only the part that enters at the end
    clip.Begin();
    clip.Add({7, 7}, out);
    clip.Add({7, 7}, out);
    clip.End(out);
    EXPECT_EQ(out.size(), 1u);
}

TEST_F(RoadDrawingTest, NoMapDrawsNoRoadsAndNoLabels)
{
    DrawList list = Draw(7);
    EXPECT_TRUE(Roads(list).empty());
    for (const std::string& t : Texts(list))
        EXPECT_EQ(t.find("节点计数"), std::string::npos);
    EXPECT_FALSE(HasText(list, RoadDrawing::kCredit));
}

TEST(RoadStyleTest, TheNightPaletteStaysDark)
{
    EXPECT_EQ(RoadStyle::PaletteOfTheme(2), RoadStyle::Palette::Night);
    EXPECT_EQ(RoadStyle::PaletteOfTheme(4), RoadStyle::Palette::Night);
    EXPECT_EQ(RoadStyle::PaletteOfTheme(3), RoadStyle::Palette::Day);
    const auto light = [](Colour c) { return std::max({RedOf(c), GreenOf(c), BlueOf(c)}); };
    for (int c = 0; c < kRoadClassCount; ++c)
        for (double km : {0.05, 1.0, 50.0}) {
            const RoadStyle::Stroke s = RoadStyle::StrokeOf(c, km, RoadStyle::Palette::Night);
            EXPECT_LE(light(s.line.colour), 160) << c;
            EXPECT_LE(light(s.edge.colour), 160) << c;
        }
}

// The recorded track is a line a hiker can follow: at least three pixels at
// 96 dpi and wider on a denser screen, solid, in a colour that no road, the
// grid or the goto leg shares; and no dashed path or track, at any scale
// and in either palette, is red like the goto leg.
TEST(RoadStyleTest, TheTrackStandsOutAndNoRoadPassesForTheGotoLeg)
{
    MapModel model;
    Pen track = model.TrackPen();
    EXPECT_GE(track.width, 3);
    EXPECT_EQ(track.style, PenStyle::Solid);
    model.SetScreenDpi(192);
    EXPECT_GE(model.TrackPen().width, 6);
    const Colour gotoLeg = Rgb(192, 0, 0);
    const auto distance = [](Colour a, Colour b) {
        return std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) +
               std::abs(BlueOf(a) - BlueOf(b));
    };
    const auto reddish = [](Colour c) {
        return RedOf(c) > 100 && RedOf(c) > 2 * GreenOf(c) && RedOf(c) > 2 * BlueOf(c);
    };
    EXPECT_GT(distance(track.colour, gotoLeg), 200);
    EXPECT_GT(distance(track.colour, Rgb(192, 192, 192)), 200); // the grid
    for (RoadStyle::Palette palette : {RoadStyle::Palette::Day, RoadStyle::Palette::Night}) {
        for (int c = 0; c < kRoadClassCount; ++c) {
            for (double km : {0.05, 1.0, 50.0}) {
                const RoadStyle::Stroke s = RoadStyle::StrokeOf(c, km, palette);
                for (Colour colour : {s.line.colour, s.edge.colour}) {
                    EXPECT_GT(distance(track.colour, colour), 120) << c;
                    if (s.line.style == PenStyle::Dash) {
                        EXPECT_FALSE(reddish(colour)) << "class " << c << " at " << km;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace hw
