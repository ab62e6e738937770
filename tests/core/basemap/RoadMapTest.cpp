#include "basemap/RoadMap.h"

#include "TestFiles.h"
#include "base/MemorySettingsStore.h"
#include "base/SettingsStore.h"
#include "basemap/RoadLayer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace hw {
namespace {

TEST(RoadMapTest, TheTenClassesByTag)
{
    EXPECT_EQ(RoadClassOf("motorway_link", ""), 0);
    EXPECT_EQ(RoadClassOf("trunk", ""), 1);
    EXPECT_EQ(RoadClassOf("primary_link", ""), 2);
    EXPECT_EQ(RoadClassOf("secondary", ""), 3);
    EXPECT_EQ(RoadClassOf("tertiary_link", ""), 4);
    for (const char* v : {"unclassified", "residential", "living_street", "road"})
        EXPECT_EQ(RoadClassOf(v, ""), 5) << v;
    EXPECT_EQ(RoadClassOf("service", ""), 6);
    EXPECT_EQ(RoadClassOf("track", ""), 7);
    for (const char* v : {"path", "footway", "bridleway", "cycleway", "steps", "pedestrian"})
        EXPECT_EQ(RoadClassOf(v, ""), 8) << v;
    for (const char* v : {"rail", "light_rail", "narrow_gauge"})
        EXPECT_EQ(RoadClassOf("", v), 9) << v;
    for (auto [h, r] : {std::pair{"proposed", ""},
                        {"bus_stop", ""},
                        {"", "subway"},
                        {"", "abandoned"},
                        {"Primary", ""},
                        {"", ""}})
        EXPECT_EQ(RoadClassOf(h, r), -1) << h << r;
    // A way tagged both ways is drawn by its highway.
    EXPECT_EQ(RoadClassOf("service", "rail"), 6);
    EXPECT_EQ(RoadClassOf("platform", "rail"), 9);
}

class RoadMapFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A grid of streets 0.01 degree apart near Monaco, one long motorway
        // across all of it, and a path.
        for (int i = 0; i < 20; ++i)
            writer.AddWay(5, {{43700000 + i * 10000, 7300000}, {43700000 + i * 10000, 7500000}});
        writer.AddWay(0, {{43690000, 7290000}, {43750000, 7400000}, {43900000, 7510000}});
        writer.AddWay(8, {{43750000, 7420000}, {43751000, 7421000}, {43752000, 7420500}});
        writer.AddWay(3, {{43750000, 7420000}}); // one point: no line
        bytes = writer.Bytes();
        ASSERT_TRUE(map.Parse(bytes, error)) << error;
    }

    std::vector<int> WaysIn(const RoadBox& area, unsigned mask = kAllRoadClasses)
    {
        std::vector<int> classes;
        map.ForEachWay(area, mask, [&](int c, const RoadPoint* p, uint32_t n) {
            EXPECT_GE(n, 2u);
            EXPECT_NE(p, nullptr);
            classes.push_back(c);
        });
        return classes;
    }

    RoadMapWriter writer;
    std::string bytes;
    RoadMap map;
    std::string error;
};

TEST_F(RoadMapFileTest, SummaryReadsBackAsWritten)
{
    const RoadMapSummary& s = map.Summary();
    EXPECT_EQ(s.ways, 22u);
    EXPECT_EQ(s.nodes, 20u * 2 + 3 + 3);
    EXPECT_EQ(s.classes[5], 20u);
    EXPECT_EQ(s.classes[0], 1u);
    EXPECT_EQ(s.classes[8], 1u);
    EXPECT_EQ(s.classes[3], 0u);
    EXPECT_EQ(s.Json(), writer.Summary().Json());
    EXPECT_EQ(s.Json(),
              "{\"ways\":22,\"nodes\":46,\"classes\":[1,0,0,0,0,20,0,0,1,0],"
              "\"bounds\":{\"minlat\":43.690000,\"minlon\":7.290000,"
              "\"maxlat\":43.900000,\"maxlon\":7.510000},"
              "\"areas\":[0,0,0,0,0,0,0,0],\"lines\":[0,0,0,0,0,0],\"points\":[0,0,0,0,0,0],"
              "\"broken_areas\":0,\"graph\":{\"nodes\":0,\"edges\":0}}");
}

TEST_F(RoadMapFileTest, AreaAndClassesChooseTheWays)
{
    // A small area in the middle: two streets, the path, and the motorway
    // whose box spans the whole map, each once.
    RoadBox area{43745000, 7410000, 43761000, 7430000};
    std::vector<int> ways = WaysIn(area);
    std::multiset<int> got(ways.begin(), ways.end());
    EXPECT_EQ(got, (std::multiset<int>{0, 5, 5, 8}));
    // Only paths.
    EXPECT_EQ(WaysIn(area, 1u << 8), std::vector<int>{8});
    EXPECT_TRUE(WaysIn(area, 0).empty());
    // Outside the map, or beside it: nothing.
    EXPECT_TRUE(WaysIn({10000000, 10000000, 10001000, 10001000}).empty());
    // The whole map and more: every way, once.
    EXPECT_EQ(WaysIn({-90000000, -180000000, 90000000, 180000000}).size(), 22u);
    // Asked twice, the same answer.
    EXPECT_EQ(WaysIn(area).size(), 4u);
}

TEST_F(RoadMapFileTest, DamagedFilesAreRefused)
{
    RoadMap damaged;
    // Every cut-off length, and every byte of the header changed.
    for (std::size_t n = 0; n < bytes.size(); n += 7)
        EXPECT_FALSE(damaged.Parse(std::string_view(bytes).substr(0, n), error)) << n;
    EXPECT_TRUE(damaged.Empty());
    for (std::size_t i = 0; i < 88; ++i) {
        std::string bad = bytes;
        bad[i] = static_cast<char>(bad[i] ^ 0x40);
        if (damaged.Parse(bad, error)) {
            // Only a bound moved inside the grid's cell is not noticed; the
            // map then still reads safely.
            EXPECT_TRUE(i >= 12 && i < 28) << i;
            EXPECT_LE(damaged.Summary().ways, 22u);
        }
    }
    EXPECT_FALSE(damaged.Parse(bytes + "x", error));
    // A way number past the end, in the last cell entry.
    std::string bad = bytes;
    bad[bad.size() - 1] = '\x7f';
    EXPECT_FALSE(damaged.Parse(bad, error));
    EXPECT_NE(error.find("damaged"), std::string::npos);
    EXPECT_FALSE(damaged.Load("/nonexistent/ca.map", error));
    EXPECT_NE(error.find("/nonexistent/ca.map"), std::string::npos);
}

TEST(RoadMapTest, AnEmptyMapIsAFileToo)
{
    RoadMapWriter writer;
    RoadMap map;
    std::string error;
    ASSERT_TRUE(map.Parse(writer.Bytes(), error)) << error;
    EXPECT_TRUE(map.Empty());
    int n = 0;
    map.ForEachWay({-1, -1, 1, 1}, kAllRoadClasses, [&](int, const RoadPoint*, uint32_t) { ++n; });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(map.Summary().Json(),
              "{\"ways\":0,\"nodes\":0,\"classes\":[0,0,0,0,0,0,0,0,0,0],"
              "\"bounds\":{\"minlat\":0.000000,\"minlon\":0.000000,"
              "\"maxlat\":0.000000,\"maxlon\":0.000000},"
              "\"areas\":[0,0,0,0,0,0,0,0],\"lines\":[0,0,0,0,0,0],\"points\":[0,0,0,0,0,0],"
              "\"broken_areas\":0,\"graph\":{\"nodes\":0,\"edges\":0}}");
}

TEST(RoadLayerTest, TheFileOfTheRunOrOfTheSetting)
{
    MemorySettingsStore settings;
    HandheldFolders folders{"/home/u/Documents", "/usr/share/hikewise"};
    EXPECT_EQ(RoadLayer::MapPath(settings, folders, "", "/home/u"),
              "/home/u/Documents/KORV/ca.map");
    settings.SetText(section::kMap, map_setting::kRoadMap, "~/maps/alps.map");
    EXPECT_EQ(RoadLayer::MapPath(settings, folders, "", "/home/u"), "/home/u/maps/alps.map");
    EXPECT_EQ(RoadLayer::MapPath(settings, folders, "/tmp/monaco.map", "/home/u"),
              "/tmp/monaco.map");
}

TEST(RoadLayerTest, AMissingOrDamagedFileSaysWhyOnce)
{
    test::TempDir dir;
    RoadLayer layer;
    EXPECT_EQ(layer.ClassMask(), kAllRoadClasses);
    EXPECT_FALSE(layer.Open(dir.Path("ca.map")));
    std::string problem = layer.TakeProblem();
    EXPECT_NE(problem.find(dir.Path("ca.map")), std::string::npos) << problem;
    EXPECT_EQ(layer.TakeProblem(), "");
    EXPECT_TRUE(layer.Map().Empty());

    RoadMapWriter writer;
    writer.AddWay(7, {{1, 1}, {2, 2}});
    std::string bytes = writer.Bytes();
    test::WriteFileBytes(dir.Path("cut.map"), bytes.substr(0, bytes.size() - 3));
    EXPECT_FALSE(layer.Open(dir.Path("cut.map")));
    EXPECT_NE(layer.TakeProblem().find("damaged"), std::string::npos);

    test::WriteFileBytes(dir.Path("good.map"), bytes);
    EXPECT_TRUE(layer.Open(dir.Path("good.map")));
    EXPECT_EQ(layer.TakeProblem(), "");
    EXPECT_EQ(layer.Map().Summary().classes[7], 1u);

    layer.SetClassMask(0xFFFF);
    EXPECT_EQ(layer.ClassMask(), kAllRoadClasses);
    layer.SetClassMask(kAllRoadClasses & ~(1u << 7));
    EXPECT_FALSE(layer.Shows(7));
    EXPECT_TRUE(layer.Shows(8));
}

} // namespace
} // namespace hw
