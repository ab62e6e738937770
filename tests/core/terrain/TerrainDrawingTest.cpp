#include "terrain/TerrainDrawing.h"

#include "TestFiles.h"
#include "base/LabelPlacer.h"
#include "geo/MapViewport.h"
#include "terrain/TerrainFileWriter.h"
#include "terrain/TerrainLayer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hw {
namespace {

// A cone 900 m high and about 7 km wide in the middle of a 600 x 600 grid
// of 3-arc-second cells (half a degree square), sea (0 m) around it.
ElevationGrid Cone()
{
    const double step = 1.0 / 1200;
    ElevationGrid grid(600, 600, {166.5, -15.0, step, -step});
    for (int row = 0; row < 600; ++row)
        for (int col = 0; col < 600; ++col) {
            const double r = std::hypot(col - 300.0, row - 300.0);
            grid.At(col, row) = static_cast<float>(std::max(0.0, 900.0 - r * 12.0));
        }
    return grid;
}

class TerrainDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        const ElevationGrid cone = Cone();
        TerrainFileWriter writer(cone);
        writer.SetSource("NASA/USGS SRTM", 0);
        ASSERT_TRUE(writer.Write(dir.Path("cone.dem"), error)) << error;
        ASSERT_TRUE(layer.Open(dir.Path("cone.dem")));
    }
    static MapViewport View(double scaleKm)
    {
        return MapViewport(GeoPoint::FromDegrees(-15.25, 166.75), scaleKm, {0, 0, 800, 600});
    }
    // The lines, then their labels where the placer finds room.
    void DrawWithLabels(double scaleKm, DrawList& out)
    {
        const MapViewport view = View(scaleKm);
        drawing.Draw(view, scaleKm, out);
        LabelPlacer placer(view.Client(), {});
        drawing.DrawNames(view, scaleKm, placer, {}, out);
    }
    // The labels without their halos.
    static std::vector<const Text*> Labels(const DrawList& out)
    {
        std::vector<const Text*> labels;
        for (const Text* t : out.All<Text>())
            if (t->colour != Rgb(255, 255, 255) && t->colour != Rgb(0, 0, 0))
                labels.push_back(t);
        return labels;
    }

    test::TempDir dir;
    TerrainLayer layer;
    TerrainDrawing drawing{layer};
};

TEST_F(TerrainDrawingTest, ContoursEveryIntervalWithUprightLabelsOnEveryFifthLine)
{
    DrawList out;
    DrawWithLabels(10, out);
    const auto lines = out.All<Polylines>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->pen.colour, TerrainDrawing::kContour);
    EXPECT_EQ(lines[1]->pen.colour, TerrainDrawing::kIndexContour);
    EXPECT_GT(lines[1]->pen.width, lines[0]->pen.width);
    // The interval for this scale, and a closed ring per level around the
    // cone (pieces at tile edges aside), none at the sea's 0 m.
    const ContourInterval interval =
        TerrainLayer::IntervalFor(TerrainDrawing::MetresPerPixel(View(10)), false);
    ASSERT_GT(interval.metres, 0);
    const int levels = static_cast<int>(899 / interval.metres);
    EXPECT_GE(lines[0]->lines.size() + lines[1]->lines.size(), static_cast<size_t>(levels));

    const auto labels = Labels(out);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(drawing.LabelsDrawn(), static_cast<int>(labels.size()));
    for (const Text* t : labels) {
        const int elevation = std::stoi(t->text);
        EXPECT_EQ(elevation % static_cast<int>(interval.shown * 5), 0) << t->text;
        EXPECT_GT(elevation, 0);
        EXPECT_GT(t->font.escapement, -900) << t->text;
        EXPECT_LE(t->font.escapement, 900) << t->text;
    }
    // No two labels on one spot.
    for (size_t i = 0; i < labels.size(); ++i)
        for (size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_GT(std::hypot(labels[i]->anchor.x - labels[j]->anchor.x,
                                 labels[i]->anchor.y - labels[j]->anchor.y),
                      8.0);
    EXPECT_TRUE(drawing.Drew());
}

TEST_F(TerrainDrawingTest, TilesTracedTogetherGiveTheLinesOfTilesTracedOneByOne)
{
    // A fresh view traces the tiles in sight side by side; a view that
    // first saw each tile alone (a small window at the same metres per
    // pixel, so the same interval) traced them one at a time.
    const uint32_t level = drawing.LevelFor(View(10), 1.5);
    const auto tiles = drawing.TilesInSight(View(10), level);
    ASSERT_GE(tiles.size(), 4u);
    DrawList together;
    drawing.Draw(View(10), 10, together);
    TerrainDrawing alone(layer);
    for (const auto& tile : tiles) {
        const GeoPoint middle{(tile.northEast.lat + tile.southWest.lat) / 2,
                              (tile.northEast.lon + tile.southWest.lon) / 2, 0};
        const MapViewport small(middle, 1, {0, 0, 80, 60});
        ASSERT_EQ(alone.TilesInSight(small, alone.LevelFor(small, 1.5)).size(), 1u);
        DrawList ignored;
        alone.Draw(small, 1, ignored);
    }
    DrawList oneByOne;
    alone.Draw(View(10), 10, oneByOne);
    const auto a = together.All<Polylines>(), b = oneByOne.All<Polylines>();
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(b.size(), a.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(a[i]->lines == b[i]->lines) << "lines of pen " << i;
}

TEST_F(TerrainDrawingTest, ShadesAroundATileHoldTheNeighboursNearestCellsOrRepeatTheEdge)
{
    // The cone's file: three by three tiles of 256 cells at full resolution.
    const auto find = [](uint32_t tx, uint32_t ty) {
        return TerrainDrawing::TileRef{0, tx, ty, {}, {}, {}};
    };
    const size_t n = 256, side = n + 2;
    const auto at = [&](const std::vector<uint8_t>& v, size_t col, size_t row) {
        return v[row * side + col];
    };
    const auto own = [&](const TerrainDrawing::TileRef& t, size_t col, size_t row) {
        return drawing.Shades(t)[row * n + col];
    };
    // The middle tile of three by three: every side from a neighbour.
    const auto middle = find(1, 1);
    const std::vector<uint8_t> around = drawing.ShadesAround(middle);
    ASSERT_EQ(around.size(), side * side);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(at(around, i + 1, i + 1), own(middle, i, i));
        EXPECT_EQ(at(around, i + 1, 0), own(find(1, 0), i, n - 1));
        EXPECT_EQ(at(around, i + 1, side - 1), own(find(1, 2), i, 0));
        EXPECT_EQ(at(around, 0, i + 1), own(find(0, 1), n - 1, i));
        EXPECT_EQ(at(around, side - 1, i + 1), own(find(2, 1), 0, i));
    }
    // The cone crosses the seams: there the ring is not the tile's own edge.
    int differ = 0;
    for (size_t i = 0; i < n; ++i)
        differ += at(around, i + 1, 0) != own(middle, i, 0);
    EXPECT_GT(differ, 10);
    EXPECT_EQ(at(around, 0, 0), own(find(0, 0), n - 1, n - 1));
    EXPECT_EQ(at(around, side - 1, side - 1), own(find(2, 2), 0, 0));
    // The north-west tile, at the edge of the data: its own edge repeated.
    const auto corner = find(0, 0);
    const std::vector<uint8_t> edge = drawing.ShadesAround(corner);
    ASSERT_EQ(edge.size(), side * side);
    for (size_t i = 0; i < n; ++i) {
        EXPECT_EQ(at(edge, i + 1, 0), own(corner, i, 0));
        EXPECT_EQ(at(edge, 0, i + 1), own(corner, 0, i));
        EXPECT_EQ(at(edge, side - 1, i + 1), own(find(1, 0), 0, i));
    }
    EXPECT_EQ(at(edge, 0, 0), own(corner, 0, 0));
}

TEST(TerrainDrawingSightTest, OnlyLinesWhollyOutsideTheViewAreLeftOut)
{
    using Box = MapViewport::GeoBox; // south, west, north, east
    const Box seen{-15'300'000, 166'700'000, -15'200'000, 166'800'000};
    const int32_t centre = 166'750'000;
    EXPECT_FALSE(TerrainDrawing::OutOfSight(seen, seen, centre));
    // Inside, across an edge, around the whole view: kept.
    EXPECT_FALSE(TerrainDrawing::OutOfSight({-15'260'000, 166'740'000, -15'250'000, 166'760'000},
                                            seen, centre));
    EXPECT_FALSE(TerrainDrawing::OutOfSight({-15'400'000, 166'600'000, -15'300'000, 166'700'000},
                                            seen, centre));
    EXPECT_FALSE(TerrainDrawing::OutOfSight({-16'000'000, 166'000'000, -15'000'000, 167'000'000},
                                            seen, centre));
    // North, south, east or west of it: left out.
    for (const Box& beside : {Box{-15'199'999, 166'740'000, -15'100'000, 166'760'000},
                              Box{-15'400'000, 166'740'000, -15'300'001, 166'760'000},
                              Box{-15'260'000, 166'800'001, -15'250'000, 166'900'000},
                              Box{-15'260'000, 166'600'000, -15'250'000, 166'699'999}})
        EXPECT_TRUE(TerrainDrawing::OutOfSight(beside, seen, centre))
            << beside.south << " " << beside.west;
    // A file running on past 180 east: 193.25 east is 166.75 west.
    const Box west{-15'300'000, -166'800'000, -15'200'000, -166'700'000};
    EXPECT_FALSE(TerrainDrawing::OutOfSight({-15'260'000, 193'240'000, -15'250'000, 193'260'000},
                                            west, -166'750'000));
    EXPECT_TRUE(TerrainDrawing::OutOfSight({-15'260'000, 166'740'000, -15'250'000, 166'760'000},
                                           west, -166'750'000));
    // A view across the date line spans every longitude: only the latitude counts.
    const Box across{-15'300'000, -179'950'000, -15'200'000, 179'950'000};
    EXPECT_FALSE(TerrainDrawing::OutOfSight({-15'260'000, 179'960'000, -15'250'000, 180'100'000},
                                            across, 180'000'000));
    EXPECT_TRUE(TerrainDrawing::OutOfSight({-15'100'000, 179'960'000, -15'050'000, 180'100'000},
                                           across, 180'000'000));
}

TEST_F(TerrainDrawingTest, TheIntervalGrowsWithTheScaleAndFeetWriteFeet)
{
    DrawList near, far;
    DrawWithLabels(3, near);
    DrawWithLabels(40, far);
    EXPECT_FALSE(near.All<Polylines>().empty());
    EXPECT_FALSE(far.All<Polylines>().empty());
    // The wider view's labels step by its own, larger index spacing.
    const double nearStep =
        TerrainLayer::IntervalFor(TerrainDrawing::MetresPerPixel(View(3)), false).shown * 5;
    const double farStep =
        TerrainLayer::IntervalFor(TerrainDrawing::MetresPerPixel(View(40)), false).shown * 5;
    EXPECT_GT(farStep, nearStep);
    for (const Text* t : Labels(far))
        EXPECT_EQ(std::stoi(t->text) % static_cast<int>(farStep), 0) << t->text;

    drawing.SetFeet(true);
    DrawList feet;
    DrawWithLabels(10, feet);
    const ContourInterval interval =
        TerrainLayer::IntervalFor(TerrainDrawing::MetresPerPixel(View(10)), true);
    for (const Text* t : Labels(feet))
        EXPECT_EQ(std::stoi(t->text) % static_cast<int>(interval.shown * 5), 0) << t->text;
    EXPECT_FALSE(Labels(feet).empty());
}

TEST_F(TerrainDrawingTest, SwitchesShadesAndCredit)
{
    // Shading picks tiles in sight at a level whose cells are about a pixel.
    const auto tiles = drawing.ShadeTiles(View(10));
    ASSERT_FALSE(tiles.empty());
    for (const auto& t : tiles) {
        EXPECT_EQ(drawing.Shades(t).size(), size_t{256} * 256);
        EXPECT_LT(t.northWest.lon, t.northEast.lon);
        EXPECT_GT(t.northWest.lat, t.southWest.lat);
    }
    EXPECT_GT(drawing.LevelFor(View(150), 0.7), drawing.LevelFor(View(3), 0.7));

    DrawList credit;
    drawing.DrawLabels(View(10), 0, credit);
    ASSERT_EQ(credit.All<Text>().size(), 1u);
    EXPECT_EQ(credit.All<Text>()[0]->text, "Elevation: NASA/USGS SRTM");

    const uint64_t before = drawing.Revision();
    layer.Set(false, false, 50);
    EXPECT_NE(drawing.Revision(), before);
    EXPECT_TRUE(drawing.ShadeTiles(View(10)).empty());
    DrawList none;
    drawing.Draw(View(10), 10, none);
    drawing.DrawLabels(View(10), 0, none);
    EXPECT_TRUE(none.Items().empty());
    EXPECT_FALSE(drawing.Drew());

    // Far from the file, nothing.
    layer.Set(true, true, 50);
    const MapViewport elsewhere(GeoPoint::FromDegrees(46.5, 7.9), 10, {0, 0, 800, 600});
    EXPECT_TRUE(drawing.ShadeTiles(elsewhere).empty());
    DrawList empty;
    drawing.Draw(elsewhere, 10, empty);
    EXPECT_TRUE(empty.All<Polylines>().empty());
}

TEST(TerrainDrawingNoiseTest, ATileOfNoiseDrawsNoContours)
{
    // A damaged file: heights of 0 and 2000 m in turn, cell by cell, under
    // the view of the cone. Its tiles draw no lines, and take no time.
    test::TempDir dir;
    const double step = 1.0 / 1200;
    ElevationGrid noise(600, 600, {166.5, -15.0, step, -step});
    for (int row = 0; row < 600; ++row)
        for (int col = 0; col < 600; ++col)
            noise.At(col, row) = (row + col) % 2 ? 2000.0f : 0.0f;
    std::string error;
    ASSERT_TRUE(TerrainFileWriter(noise).Write(dir.Path("noise.dem"), error)) << error;
    TerrainLayer layer;
    ASSERT_TRUE(layer.Open(dir.Path("noise.dem")));
    TerrainDrawing drawing(layer);
    const MapViewport view(GeoPoint::FromDegrees(-15.25, 166.75), 3, {0, 0, 800, 600});
    ASSERT_GT(TerrainLayer::IntervalFor(TerrainDrawing::MetresPerPixel(view), false).metres, 0);
    DrawList out;
    drawing.Draw(view, 3, out);
    EXPECT_TRUE(out.All<Polylines>().empty());
    EXPECT_FALSE(drawing.ShadeTiles(view).empty()); // the shading stays
}

TEST(TerrainDrawingWithoutFileTest, DrawsNothing)
{
    TerrainLayer layer;
    EXPECT_FALSE(layer.Open("/nonexistent/terrain.dem"));
    TerrainDrawing drawing(layer);
    const MapViewport view(GeoPoint::FromDegrees(-15.1, 166.6), 10, {0, 0, 800, 600});
    DrawList out;
    drawing.Draw(view, 10, out);
    drawing.DrawLabels(view, 0, out);
    EXPECT_TRUE(out.Items().empty());
    EXPECT_TRUE(drawing.ShadeTiles(view).empty());
}

} // namespace
} // namespace hw
