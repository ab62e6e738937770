// The topographic map of the Monaco extract, imported by map-import: the
// sea closed along the extract's bounds, and names that never overlap.
#include "base/LabelPlacer.h"
#include "base/MemorySettingsStore.h"
#include "base/Translate.h"
#include "basemap/RoadDrawing.h"
#include "basemap/RoadLayer.h"
#include "basemap/TopoDrawing.h"
#include "geo/MapViewport.h"
#include "map/MapDrawing.h"
#include "map/MapModel.h"
#include "terrain/TerrainDrawing.h"
#include "terrain/TerrainFileWriter.h"
#include "terrain/TerrainLayer.h"
#include "track/TrackLog.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace hw {
namespace {

class MonacoTopoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string pbf = test::PeerDataDir() + "/osm/monaco.osm.pbf";
        if (!std::filesystem::exists(pbf))
            return;
        dir_ = new test::TempDir;
        path_ = dir_->Path("monaco.map");
        const std::string command = std::string("'") + HIKEWISE_BIN_DIR +
                                    "/hikewise-tool' map-import '" + pbf + "' '" + path_ +
                                    "' > /dev/null";
        imported_ = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override
    {
        HW_REQUIRE_PEER_DATA("osm");
        ASSERT_TRUE(imported_) << "map-import of the Monaco extract failed";
        ASSERT_TRUE(layer.Open(path_)) << layer.TakeProblem();
    }

    // Whether the sea (band 0, every point) covers a place.
    bool IsSea(double lat, double lon)
    {
        const RoadPoint p{static_cast<int32_t>(lat * 1e6), static_cast<int32_t>(lon * 1e6)};
        bool inside = false;
        layer.Map().ForEachShape({p.lat, p.lon, p.lat, p.lon}, 0, 1u, 0,
                                 [&](const TopoShape& shape, const TopoRing* rings) {
                                     if (shape.cls != kSeaClass)
                                         return;
                                     for (uint32_t r = 0; r < shape.ringCount; ++r) {
                                         const RoadPoint* ring =
                                             layer.Map().Topo().Points(rings[r]);
                                         const uint32_t n = rings[r].count;
                                         for (uint32_t i = 0, j = n - 1; i < n; j = i++) {
                                             const RoadPoint &a = ring[i], &b = ring[j];
                                             if ((a.lat > p.lat) != (b.lat > p.lat) &&
                                                 p.lon < double(b.lon - a.lon) * (p.lat - a.lat) /
                                                                 double(b.lat - a.lat) +
                                                             a.lon)
                                                 inside = !inside;
                                         }
                                     }
                                 });
        return inside;
    }

    static test::TempDir* dir_;
    static std::string path_;
    static bool imported_;
    RoadLayer layer;
};

test::TempDir* MonacoTopoTest::dir_ = nullptr;
std::string MonacoTopoTest::path_;
bool MonacoTopoTest::imported_ = false;

TEST_F(MonacoTopoTest, TheHarbourAndTheOpenSeaAreSeaTheTownsAreLand)
{
    EXPECT_TRUE(layer.Map().Topo().Counts().hasSea);
    EXPECT_TRUE(IsSea(43.7351, 7.4256)) << "Port Hercule";
    EXPECT_TRUE(IsSea(43.7200, 7.4400)) << "open sea off Monaco";
    EXPECT_TRUE(IsSea(43.7250, 7.4250)) << "off the Rock";
    EXPECT_FALSE(IsSea(43.7311, 7.4200)) << "the old town on the Rock";
    EXPECT_FALSE(IsSea(43.7396, 7.4276)) << "Monte Carlo casino";
    EXPECT_FALSE(IsSea(43.7600, 7.4000)) << "the hills above La Turbie";
    EXPECT_FALSE(IsSea(43.7450, 7.3600)) << "inland, west";
}

// Texts measured as the painter would roughly draw them: wide characters
// a font's size, narrow ones half of it.
TextExtent Measure(const std::string& text, const Font& font)
{
    int width = 0;
    for (unsigned char c : text)
        width +=
            c < 0x80 ? font.pointSize * 2 / 3 + 1 : ((c & 0xC0) != 0x80 ? font.pointSize + 3 : 0);
    return {width, font.pointSize + 6};
}

TEST_F(MonacoTopoTest, NamesNeverOverlapEachOtherTheMarksOrTheEdge)
{
    const ScreenRect client{0, 0, 1280, 800};
    const std::vector<ScreenRect> obstacles{
        {0, 0, 200, 30}, {600, 380, 680, 420}, {1000, 760, 1280, 800}};
    int placedAnywhere = 0;
    for (double scaleKm : {0.3, 1.0, 3.0, 10.0, 30.0})
        for (double turn : {0.0, 35.0}) {
            MapViewport viewport(GeoPoint::FromDegrees(43.7376, 7.4240), scaleKm, client);
            if (turn != 0)
                viewport.SetRotation(turn, viewport.Centre());
            TopoDrawing drawing(layer);
            DrawList out;
            LabelPlacer placer(client, obstacles);
            drawing.DrawNames(viewport, scaleKm, RoadStyle::Palette::Day, false, placer, Measure,
                              out);
            const std::vector<ScreenRect>& boxes = placer.Placed();
            placedAnywhere += static_cast<int>(boxes.size());
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                EXPECT_GE(boxes[i].left, client.left);
                EXPECT_LE(boxes[i].right, client.right);
                EXPECT_GE(boxes[i].top, client.top);
                EXPECT_LE(boxes[i].bottom, client.bottom);
                for (const ScreenRect& o : obstacles)
                    EXPECT_FALSE(boxes[i].Intersects(o)) << scaleKm << " km";
                for (std::size_t j = i + 1; j < boxes.size(); ++j)
                    EXPECT_FALSE(boxes[i].Intersects(boxes[j]))
                        << scaleKm << " km, " << i << "/" << j;
            }
            // Every text drawn lies inside a box that was placed for it.
            for (const Text* text : out.All<Text>()) {
                const ScreenRect box = TextBox(*text, Measure);
                bool within = false;
                for (const ScreenRect& b : boxes)
                    within = within || (box.left >= b.left - 1 && box.right <= b.right + 1 &&
                                        box.top >= b.top - 1 && box.bottom <= b.bottom + 1);
                EXPECT_TRUE(within) << text->text << " at " << scaleKm << " km";
            }
        }
    EXPECT_GT(placedAnywhere, 10);
}

TEST_F(MonacoTopoTest, AnEnglishInterfaceShowsTheEnglishNamesTheMapHas)
{
    // Monaco is "摩納哥" in Chinese (name:zh) and "Monaco" in English
    // (name:en); a place without an English name keeps its own.
    const ScreenRect client{0, 0, 1920, 1080};
    auto namesShown = [&](const std::string& language) {
        SetLanguageCode(language);
        std::set<std::string> names;
        for (double scaleKm : {1.0, 3.0, 10.0}) {
            MapViewport viewport(GeoPoint::FromDegrees(43.7376, 7.4240), scaleKm, client);
            TopoDrawing drawing(layer);
            DrawList out;
            LabelPlacer placer(client, {});
            drawing.DrawNames(viewport, scaleKm, RoadStyle::Palette::Day, false, placer, Measure,
                              out);
            for (const Text* text : out.All<Text>())
                names.insert(text->text);
        }
        SetLanguageCode("");
        return names;
    };
    const std::set<std::string> chinese = namesShown("");
    const std::set<std::string> english = namesShown("en");
    EXPECT_TRUE(chinese.count("摩納哥")) << "Chinese shows name:zh";
    EXPECT_FALSE(chinese.count("Monaco"));
    EXPECT_TRUE(english.count("Monaco")) << "English shows name:en";
    EXPECT_FALSE(english.count("摩納哥"));
    EXPECT_EQ(chinese.size(), english.size()) << "the same labels, other names";
}

TEST_F(MonacoTopoTest, PeaksShowTheirElevationInTheAltitudeUnit)
{
    const ScreenRect client{0, 0, 1920, 1080};
    MapViewport viewport(GeoPoint::FromDegrees(43.7450, 7.4100), 10.0, client);
    TopoDrawing drawing(layer);
    auto peakTexts = [&](bool feet) {
        DrawList out;
        LabelPlacer placer(client, {});
        drawing.DrawNames(viewport, 10.0, RoadStyle::Palette::Day, feet, placer, Measure, out);
        std::vector<std::string> texts;
        for (const Text* t : out.All<Text>())
            if (t->text.find(feet ? " ft" : " m") != std::string::npos)
                texts.push_back(t->text);
        return texts;
    };
    const std::vector<std::string> metres = peakTexts(false), feet = peakTexts(true);
    ASSERT_FALSE(metres.empty());
    ASSERT_EQ(metres.size(), feet.size());
    EXPECT_NE(metres.front(), feet.front());
}

// Monaco's names and the labels of contours over it (a hill of 800 m
// made up for the test) are placed together: at every zoom, north up and
// turned, no text drawn meets another, a mark over the map or the position
// icon, and both kinds are drawn somewhere.
TEST_F(MonacoTopoTest, NamesAndContourLabelsNeverOverlapOneAnother)
{
    const double step = 1.0 / 1200;
    ElevationGrid grid(240, 120, {7.36, 43.78, step, -step});
    for (int row = 0; row < 120; ++row)
        for (int col = 0; col < 240; ++col)
            grid.At(col, row) = static_cast<float>(
                std::max(0.0, 800.0 - 9.0 * std::hypot(col - 100.0, (row - 40.0) * 1.4)));
    std::string error;
    ASSERT_TRUE(TerrainFileWriter(grid).Write(dir_->Path("hill.dem"), error)) << error;
    TerrainLayer relief;
    ASSERT_TRUE(relief.Open(dir_->Path("hill.dem")));
    TerrainDrawing terrain(relief);
    RoadDrawing roads(layer);

    MapModel model(GeoPoint::FromDegrees(43.7376, 7.4240));
    model.SetClientRect({0, 0, 1280, 800});
    model.SetCurrentPosition(GeoPoint::FromDegrees(43.7376, 7.4240));
    model.SetCurrentCourse(35);
    MemorySettingsStore settings;
    UnitFormatter units(settings);
    TrackLog track;
    WaypointDatabase waypoints;
    int names = 0, contourLabels = 0;
    for (int zoom : {4, 7, 9, 11, 13, 15})
        for (bool northUp : {true, false}) {
            model.SetZoomIndex(zoom);
            model.SetNorthUp(northUp);
            const MapDrawing::Sources sources{track,  waypoints, units,   0,
                                              &roads, Measure,   &terrain};
            const MapViewport viewport = model.Viewport();
            DrawList out;
            MapDrawing::BuildOverGround(model, sources, viewport, out);
            std::vector<ScreenRect> fixed = MapDrawing::MarkAreas(model, sources, viewport);
            DrawList icon;
            MapDrawing::DrawPositionIcon(model, viewport, icon);
            fixed.push_back(ItemBounds(icon.Items().front(), Measure));
            std::vector<ScreenRect> boxes;
            for (const Text* t : out.All<Text>()) {
                if (t->colour == TopoStyle::Halo(RoadStyle::Palette::Day))
                    continue; // a halo lies under its own text
                const ScreenRect box = TextBox(*t, Measure);
                const bool isContour =
                    t->text.find_first_not_of("0123456789") == std::string::npos &&
                    t->colour == TerrainDrawing::kIndexContour;
                (isContour ? contourLabels : names) += 1;
                for (const ScreenRect& f : fixed)
                    EXPECT_FALSE(box.Intersects(f)) << t->text << " at zoom " << zoom;
                for (const ScreenRect& b : boxes)
                    EXPECT_FALSE(box.Intersects(b)) << t->text << " at zoom " << zoom;
                boxes.push_back(box);
            }
        }
    EXPECT_GT(names, 10);
    EXPECT_GT(contourLabels, 3);
}

} // namespace
} // namespace hw
