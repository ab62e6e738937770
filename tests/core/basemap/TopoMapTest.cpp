#include "basemap/CoastlineSea.h"
#include "basemap/RoadMap.h"
#include "basemap/TopoClasses.h"
#include "geo/LineSimplifier.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace hw {
namespace {

TagLookup Tags(const std::map<std::string, std::string>& tags)
{
    return [&tags](const char* key) -> const char* {
        auto it = tags.find(key);
        return it == tags.end() ? nullptr : it->second.c_str();
    };
}

TEST(TopoClassesTest, FirstClassOfEachKindAndNoNeverMatches)
{
    using T = std::map<std::string, std::string>;
    EXPECT_EQ(AreaClassOf(Tags(T{{"landuse", "basin"}})), topo::kWater);
    EXPECT_EQ(AreaClassOf(Tags(T{{"waterway", "riverbank"}})), topo::kWater);
    EXPECT_EQ(AreaClassOf(Tags(T{{"natural", "wood"}})), topo::kWood);
    EXPECT_EQ(AreaClassOf(Tags(T{{"landuse", "village_green"}})), topo::kGrass);
    EXPECT_EQ(AreaClassOf(Tags(T{{"landuse", "allotments"}})), topo::kFarmland);
    EXPECT_EQ(AreaClassOf(Tags(T{{"landuse", "retail"}})), topo::kBuiltUp);
    EXPECT_EQ(AreaClassOf(Tags(T{{"natural", "glacier"}})), topo::kRock);
    EXPECT_EQ(AreaClassOf(Tags(T{{"natural", "wetland"}})), topo::kWetland);
    EXPECT_EQ(AreaClassOf(Tags(T{{"building", "house"}})), topo::kBuildings);
    // The first class in the table wins: a pond on a building's roof is water.
    EXPECT_EQ(AreaClassOf(Tags(T{{"building", "yes"}, {"natural", "water"}})), topo::kWater);
    EXPECT_EQ(AreaClassOf(Tags(T{{"building", "no"}})), -1);
    EXPECT_EQ(AreaClassOf(Tags(T{{"building", "no"}, {"landuse", "forest"}})), topo::kWood);
    EXPECT_EQ(AreaClassOf(Tags(T{{"landuse", "forestry"}})), -1);
    EXPECT_EQ(AreaClassOf(Tags(T{})), -1);

    EXPECT_EQ(LineClassOf(Tags(T{{"waterway", "canal"}})), topo::kRivers);
    EXPECT_EQ(LineClassOf(Tags(T{{"waterway", "drain"}})), topo::kStreams);
    EXPECT_EQ(LineClassOf(Tags(T{{"natural", "arete"}})), topo::kCliffs);
    EXPECT_EQ(LineClassOf(Tags(T{{"aerialway", "t-bar"}})), topo::kAerialways);
    EXPECT_EQ(LineClassOf(Tags(T{{"aerialway", "pylon"}})), -1);
    EXPECT_EQ(LineClassOf(Tags(T{{"power", "line"}})), topo::kPowerLines);
    EXPECT_EQ(LineClassOf(Tags(T{{"power", "minor_line"}})), -1);
    EXPECT_EQ(LineClassOf(Tags(T{{"natural", "coastline"}})), topo::kCoastline);

    EXPECT_EQ(PointClassOf(Tags(T{{"natural", "volcano"}})), topo::kPeaks);
    EXPECT_EQ(PointClassOf(Tags(T{{"mountain_pass", "yes"}})), topo::kPasses);
    EXPECT_EQ(PointClassOf(Tags(T{{"mountain_pass", "no"}})), -1);
    EXPECT_EQ(PointClassOf(Tags(T{{"place", "hamlet"}, {"name", "Gorbio"}})), topo::kPlaces);
    // A place counts only with a name; a nameless one may still be a viewpoint.
    EXPECT_EQ(PointClassOf(Tags(T{{"place", "village"}})), -1);
    EXPECT_EQ(PointClassOf(Tags(T{{"place", "village"}, {"tourism", "viewpoint"}})),
              topo::kViewpoints);
    EXPECT_EQ(PointClassOf(Tags(T{{"place", "suburb"}, {"name", "Monte"}})), -1);
    EXPECT_EQ(PointClassOf(Tags(T{{"amenity", "shelter"}})), topo::kHuts);
    EXPECT_EQ(PointClassOf(Tags(T{{"amenity", "drinking_water"}})), topo::kDrinkingWater);
}

TEST(TopoClassesTest, EachInterfaceItsOwnNameThroughTheMapFile)
{
    // Chinese shows name:zh, else name; English shows name:en, else name.
    using T = std::map<std::string, std::string>;
    const struct {
        T tags;
        const char* chinese;
        const char* english;
    } cases[] = {
        {{{"name", "Andorra la Vella"}, {"name:zh", "安道尔城"}}, "安道尔城", "Andorra la Vella"},
        {{{"name", "Monaco"}, {"name:zh", "摩纳哥"}, {"name:en", "Monaco"}}, "摩纳哥", "Monaco"},
        {{{"name", "Monaco"}, {"name:zh", ""}}, "Monaco", "Monaco"},
        {{{"name", "Sant Julià"}, {"name:en", ""}}, "Sant Julià", "Sant Julià"},
        {{{"name", "Pic"}, {"name:zh", "峰"}, {"name:en", "Peak"}}, "峰", "Peak"},
        {{{"name:zh", "无名"}}, "无名", "无名"},
    };
    RoadMapWriter writer;
    writer.AddWay(5, {{42500000, 1500000}, {42510000, 1510000}});
    for (const auto& c : cases) {
        const char* english = EnglishNameOf(Tags(c.tags));
        writer.Topo().AddPoint(topo::kPlaces, {42505000, 1505000}, DisplayNameOf(Tags(c.tags)),
                               kNoElevation, 0, english ? english : "");
    }
    std::string error;
    RoadMap map;
    ASSERT_TRUE(map.Parse(writer.Bytes(), error)) << error;
    size_t i = 0;
    map.Topo().ForEachLabel({-90000000, -180000000, 90000000, 180000000}, ~0u,
                            [&](const TopoLabel& l) {
                                ASSERT_LT(i, std::size(cases));
                                EXPECT_EQ(map.Topo().Name(l), cases[i].chinese) << i;
                                EXPECT_EQ(map.Topo().EnglishName(l), cases[i].english) << i;
                                ++i;
                            });
    EXPECT_EQ(i, std::size(cases));
    EXPECT_EQ(DisplayNameOf(Tags(T{})), nullptr);
    EXPECT_EQ(EnglishNameOf(Tags(T{})), nullptr);
}

TEST(TopoClassesTest, Elevations)
{

    int m = 0;
    EXPECT_TRUE(ParseElevation("2962", m));
    EXPECT_EQ(m, 2962);
    EXPECT_TRUE(ParseElevation("1234.6", m));
    EXPECT_EQ(m, 1235);
    EXPECT_TRUE(ParseElevation(" 812 m", m));
    EXPECT_EQ(m, 812);
    EXPECT_TRUE(ParseElevation("1000 ft", m));
    EXPECT_EQ(m, 305);
    EXPECT_TRUE(ParseElevation("-28", m));
    EXPECT_EQ(m, -28);
    for (const char* bad : {"", "approx.", "m", "-", "1e99999"})
        EXPECT_FALSE(ParseElevation(bad, m) && m > 100000) << bad;
    EXPECT_FALSE(ParseElevation(nullptr, m));
    EXPECT_FALSE(ParseElevation("ca. 900", m));
}

TEST(LineSimplifierTest, KeepsTheShapeWithinTheToleranceAndTheEnds)
{
    // A zigzag of 1 microdegree on a long line, and one real corner.
    std::vector<RoadPoint> line;
    for (int i = 0; i <= 100; ++i)
        line.push_back({i % 2, i * 100});
    line.push_back({5000, 10000});
    std::vector<RoadPoint> kept = LineSimplifier(4, 0).Simplify(line);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept.front().lon, 0);
    EXPECT_EQ(kept[1].lon, 10000);
    EXPECT_EQ(kept.back().lat, 5000);
    // No tolerance: every point stays.
    EXPECT_EQ(LineSimplifier(0, 0).Simplify(line).size(), line.size());
    // A closed ring stays closed and keeps its far corners.
    std::vector<RoadPoint> ring{{0, 0},       {0, 1000}, {1, 1500}, {0, 2000},
                                {2000, 2000}, {2000, 0}, {0, 0}};
    kept = LineSimplifier(10, 45).Simplify(ring);
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(kept.front().lat, kept.back().lat);
    EXPECT_EQ(kept.front().lon, kept.back().lon);
}

// Whether a point lies in the sea: inside an odd number of the rings.
bool InSea(const std::vector<std::vector<RoadPoint>>& rings, RoadPoint p)
{
    bool inside = false;
    for (const auto& ring : rings)
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const RoadPoint &a = ring[i], &b = ring[j];
            if ((a.lat > p.lat) != (b.lat > p.lat) &&
                p.lon < double(b.lon - a.lon) * (p.lat - a.lat) / double(b.lat - a.lat) + a.lon)
                inside = !inside;
        }
    return inside;
}

TEST(CoastlineSeaTest, ClosesCutCoastsAlongTheBoundsWithTheSeaOnTheRight)
{
    const RoadBox box{0, 0, 100000, 100000};
    // A coast from the east edge to the west edge, land on its left (south,
    // as it runs west), in two ways given out of order and stopping short of
    // the edges.
    CoastlineSea sea(box);
    sea.AddWay({{50000, 50000}, {45000, 30000}, {50000, 2000}});
    sea.AddWay({{52000, 99000}, {55000, 70000}, {50000, 50000}});
    std::vector<std::vector<RoadPoint>> rings;
    ASSERT_EQ(sea.Build(rings), CoastlineSea::Outcome::Sea);
    EXPECT_TRUE(InSea(rings, {90000, 50000}));
    EXPECT_TRUE(InSea(rings, {60000, 10000}));
    EXPECT_FALSE(InSea(rings, {10000, 50000}));
    EXPECT_FALSE(InSea(rings, {40000, 90000}));

    // Running east, the land is north.
    CoastlineSea reversed(box);
    reversed.AddWay({{50000, 2000}, {50000, 99000}});
    ASSERT_EQ(reversed.Build(rings), CoastlineSea::Outcome::Sea);
    EXPECT_TRUE(InSea(rings, {10000, 50000}));
    EXPECT_FALSE(InSea(rings, {90000, 50000}));

    // A bay: the coast enters and leaves through the north edge, the sea in
    // between reaching into the land (the coast runs anticlockwise around it).
    CoastlineSea bay(box);
    bay.AddWay({{100000, 60000}, {40000, 60000}, {40000, 30000}, {100000, 30000}});
    ASSERT_EQ(bay.Build(rings), CoastlineSea::Outcome::Sea);
    EXPECT_TRUE(InSea(rings, {80000, 45000}));
    EXPECT_FALSE(InSea(rings, {20000, 45000}));
    EXPECT_FALSE(InSea(rings, {80000, 80000}));

    // A coast that leaves the bounds and comes back is cut at the edge.
    CoastlineSea outside(box);
    outside.AddWay({{50000, -20000}, {50000, 120000}});
    ASSERT_EQ(outside.Build(rings), CoastlineSea::Outcome::Sea);
    EXPECT_TRUE(InSea(rings, {10000, 50000}));
    EXPECT_FALSE(InSea(rings, {90000, 50000}));
    for (const auto& ring : rings)
        for (const RoadPoint& p : ring)
            EXPECT_TRUE(p.lon >= 0 && p.lon <= 100000) << p.lon;
}

TEST(CoastlineSeaTest, IslandsAreLandAndAnUnclosableCoastFloodsNothing)
{
    const RoadBox box{0, 0, 100000, 100000};
    CoastlineSea island(box);
    // Anticlockwise: land inside.
    island.AddWay({{40000, 40000}, {40000, 60000}, {60000, 60000}});
    island.AddWay({{60000, 60000}, {60000, 40000}, {40000, 40000}});
    std::vector<std::vector<RoadPoint>> rings;
    ASSERT_EQ(island.Build(rings), CoastlineSea::Outcome::Sea);
    EXPECT_FALSE(InSea(rings, {50000, 50000}));
    EXPECT_TRUE(InSea(rings, {10000, 10000}));

    // A coast that ends in the middle of the bounds cannot be closed.
    CoastlineSea cut(box);
    cut.AddWay({{50000, 0}, {50000, 50000}});
    EXPECT_EQ(cut.Build(rings), CoastlineSea::Outcome::Unclosed);
    EXPECT_TRUE(rings.empty());

    CoastlineSea none(box);
    EXPECT_EQ(none.Build(rings), CoastlineSea::Outcome::NoCoast);
}

class TopoMapFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer.AddWay(5, {{43730000, 7410000}, {43740000, 7420000}});
        // A wood with a clearing, a building, a stream, a peak and a nameless spring.
        writer.Topo().AddArea(
            topo::kWood,
            {{{43700000, 7400000},
              {43700000, 7450000},
              {43750000, 7450000},
              {43750000, 7400000},
              {43700000, 7400000}},
             {{43710000, 7410000}, {43720000, 7410000}, {43720000, 7420000}, {43710000, 7410000}}});
        writer.Topo().AddArea(
            topo::kBuildings,
            {{{43731000, 7421000}, {43731000, 7421100}, {43731100, 7421100}, {43731000, 7421000}}});
        writer.Topo().AddArea(topo::kWater, {{{1, 1}, {1, 1}}}); // degenerate: left out
        writer.Topo().AddLine(topo::kStreams, {{43700000, 7400000}, {43760000, 7460000}});
        writer.Topo().AddPoint(topo::kPeaks, {43745000, 7430000}, "Mont Agel", 1148);
        writer.Topo().AddPoint(topo::kDrinkingWater, {43735000, 7425000}, "");
        writer.Topo().AddBrokenArea();
        writer.Topo().AddAreaName(topo::kWood, {43725000, 7425000}, "Bois", 50000);
        writer.Topo().AddAreaName(topo::kBuildings, {43725000, 7425000}, "Not kept", 50000);
        bytes = writer.Bytes();
        ASSERT_TRUE(map.Parse(bytes, error)) << error;
    }

    RoadMapWriter writer;
    std::string bytes;
    RoadMap map;
    std::string error;
};

TEST_F(TopoMapFileTest, CountsAndShapesReadBackAsWritten)
{
    const RoadMapSummary& s = map.Summary();
    EXPECT_EQ(s.ways, 1u);
    EXPECT_EQ(s.areas[topo::kWood], 1u);
    EXPECT_EQ(s.areas[topo::kBuildings], 1u);
    EXPECT_EQ(s.areas[topo::kWater], 0u);
    EXPECT_EQ(s.lines[topo::kStreams], 1u);
    EXPECT_EQ(s.points[topo::kPeaks], 1u);
    EXPECT_EQ(s.points[topo::kDrinkingWater], 1u);
    EXPECT_EQ(s.brokenAreas, 1u);
    // The bounds hold the topographic part too.
    EXPECT_EQ(s.bounds.minLat, 43700000);
    EXPECT_EQ(s.bounds.maxLon, 7460000);
    EXPECT_NE(
        s.Json().find(
            R"("areas":[0,1,0,0,0,0,0,1],"lines":[0,1,0,0,0,0],"points":[1,0,0,0,1,0],"broken_areas":1,)"),
        std::string::npos)
        << s.Json();

    const RoadBox all{43000000, 7000000, 44000000, 8000000};
    int woods = 0, buildings = 0, streams = 0;
    map.ForEachShape(all, 0, kAllAreaClasses, kAllLineClasses,
                     [&](const TopoShape& shape, const TopoRing* rings) {
                         if (shape.kind == ShapeKind::Line) {
                             ++streams;
                             EXPECT_EQ(rings[0].count, 2u);
                         } else if (shape.cls == topo::kWood) {
                             ++woods;
                             ASSERT_EQ(shape.ringCount, 2u);
                             EXPECT_EQ(map.Topo().Points(rings[1])[2].lon, 7420000);
                         } else {
                             ++buildings;
                         }
                     });
    EXPECT_EQ(woods, 1);
    EXPECT_EQ(buildings, 1);
    EXPECT_EQ(streams, 1);
    // Far out the building is gone; the masks choose the classes.
    buildings = woods = 0;
    map.ForEachShape(all, ZoomBands::kCount - 1, kAllAreaClasses, 0,
                     [&](const TopoShape& shape, const TopoRing*) {
                         EXPECT_EQ(shape.kind, ShapeKind::Area);
                         shape.cls == topo::kWood ? ++woods : ++buildings;
                     });
    EXPECT_EQ(woods, 1);
    EXPECT_EQ(buildings, 0);
    // Out of the area nothing.
    map.ForEachShape({40000000, 7000000, 40100000, 7100000}, 0, kAllAreaClasses, kAllLineClasses,
                     [&](const TopoShape&, const TopoRing*) { ADD_FAILURE(); });

    std::vector<std::string> names;
    map.Topo().ForEachLabel(all, kAllPointClasses, [&](const TopoLabel& label) {
        names.push_back(std::string(map.Topo().Name(label)));
        if (label.cls == topo::kPeaks)
            EXPECT_EQ(label.ele, 1148);
        else
            EXPECT_EQ(label.ele, kNoElevation);
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Mont Agel", ""}));
    // The wood's name is a label, not a point of the counts.
    EXPECT_EQ(s.points[topo::kPeaks] + s.points[topo::kDrinkingWater], 2u);
    names.clear();
    map.Topo().ForEachLabel(all, 1u << kWoodNameLabel, [&](const TopoLabel& label) {
        names.push_back(std::string(map.Topo().Name(label)));
        EXPECT_EQ(label.ele, 50000);
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Bois"}));
}

TEST_F(TopoMapFileTest, EveryCutAndDamageIsRefused)
{
    // Cut anywhere, or with a byte changed in the counts of the shapes, the
    // file is refused, never read past its end (the sanitizer build checks).
    RoadMap other;
    for (std::size_t n = 0; n < bytes.size(); n += 7)
        EXPECT_FALSE(other.Parse(std::string_view(bytes).substr(0, n), error)) << n;
    const std::size_t topo = bytes.find("TOPO");
    ASSERT_NE(topo, std::string::npos);
    for (std::size_t at = topo; at < bytes.size(); at += 3) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x80);
        RoadMap read;
        if (read.Parse(damaged, error)) {
            // A change that still parses (a coordinate, a count) keeps every shape in range.
            read.ForEachShape({-90000000, -180000000, 90000000, 180000000}, 0, kAllAreaClasses,
                              kAllLineClasses, [&](const TopoShape&, const TopoRing*) {});
        }
    }
    EXPECT_TRUE(other.Parse(bytes, error)) << error;
}

TEST(TopoMapNamesTest, EnglishNamesBesideTheShownOnesAndFilesWithout)
{
    RoadMapWriter writer;
    writer.AddWay(5, {{43730000, 7410000}, {43740000, 7420000}});
    writer.Topo().AddPoint(topo::kPlaces, {43731000, 7420000}, "摩納哥", kNoElevation, 0, "Monaco");
    writer.Topo().AddPoint(topo::kPeaks, {43745000, 7430000}, "Mont Agel", 1148, 0, "Mont Agel");
    writer.Topo().AddPoint(topo::kPlaces, {43740000, 7410000}, "Beausoleil", kNoElevation, 1);
    writer.Topo().AddAreaName(topo::kWater, {43735000, 7425000}, "港口", 5000, "Port Hercule");
    auto names = [](const RoadMap& map) {
        std::vector<std::string> shown, english;
        map.Topo().ForEachLabel({-90000000, -180000000, 90000000, 180000000}, ~0u,
                                [&](const TopoLabel& l) {
                                    shown.emplace_back(map.Topo().Name(l));
                                    english.emplace_back(map.Topo().EnglishName(l));
                                });
        return std::make_pair(shown, english);
    };
    std::string error;
    RoadMap map;
    ASSERT_TRUE(map.Parse(writer.Bytes(), error)) << error;
    const auto [shown, english] = names(map);
    EXPECT_EQ(shown, (std::vector<std::string>{"摩納哥", "Mont Agel", "Beausoleil", "港口"}));
    EXPECT_EQ(english,
              (std::vector<std::string>{"Monaco", "Mont Agel", "Beausoleil", "Port Hercule"}));

    // The earlier topographic version has no English names: the shown ones
    // stand for them.
    RoadMap older;
    ASSERT_TRUE(older.Parse(writer.Bytes(RoadMapWriter::kTopographic), error)) << error;
    EXPECT_EQ(names(older).second, shown);

    // An English name beyond the names, or the table cut off, is refused.
    std::string bytes = writer.Bytes();
    EXPECT_FALSE(map.Parse(std::string_view(bytes).substr(0, bytes.size() - 4), error));
    bytes[bytes.size() - 8] = '\x7f'; // the last label's English offset
    EXPECT_FALSE(map.Parse(bytes, error));
}

TEST_F(TopoMapFileTest, ARoadsOnlyFileStillLoads)
{
    // The roads as the earlier version of the file holds them.
    const std::string old = writer.Bytes(RoadMapWriter::kRoadsOnly);
    RoadMap roads;
    ASSERT_TRUE(roads.Parse(old, error)) << error;
    EXPECT_EQ(roads.Summary().ways, 1u);
    EXPECT_TRUE(roads.Topo().Empty());
    EXPECT_EQ(roads.Summary().areas[topo::kWood], 0u);
    int ways = 0;
    roads.ForEachWay({43000000, 7000000, 44000000, 8000000}, kAllRoadClasses,
                     [&](int cls, const RoadPoint*, uint32_t n) {
                         EXPECT_EQ(cls, 5);
                         EXPECT_EQ(n, 2u);
                         ++ways;
                     });
    EXPECT_EQ(ways, 1);
}

TEST(TopoMapFixtureTest, AMapMadeBeforeTheTopographicPartLoads)
{
    // Made by map-import before areas, lines and points were kept, from a
    // few streets of Monaco.
    RoadMap map;
    std::string error;
    ASSERT_TRUE(map.Load(std::string(HIKEWISE_SOURCE_DIR) + "/tests/core/data/roads-v1.map", error))
        << error;
    EXPECT_GT(map.Summary().ways, 0u);
    EXPECT_TRUE(map.HasRoads());
    uint32_t drawn = 0;
    map.ForEachWay(map.Summary().bounds, kAllRoadClasses,
                   [&](int, const RoadPoint*, uint32_t) { ++drawn; });
    EXPECT_EQ(drawn, map.Summary().ways);
}

} // namespace
} // namespace hw
