#include "terrain/TerrainLayer.h"

#include "TestFiles.h"
#include "base/MemorySettingsStore.h"
#include "base/SettingsStore.h"
#include "terrain/HillShade.h"
#include "terrain/TerrainFileWriter.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

TEST(TerrainLayerTest, TheFileOfTheRunOrOfTheSettingAndTheSwitches)
{
    MemorySettingsStore settings;
    HandheldFolders folders{"/home/u/Documents", "/usr/share/hikewise"};
    EXPECT_EQ(TerrainLayer::MapPath(settings, folders, "", "/home/u"),
              "/home/u/Documents/KORV/terrain.dem");
    settings.SetText(section::kMap, map_setting::kTerrainMap, "~/dem/kauai.dem");
    EXPECT_EQ(TerrainLayer::MapPath(settings, folders, "", "/home/u"), "/home/u/dem/kauai.dem");
    EXPECT_EQ(TerrainLayer::MapPath(settings, folders, "/tmp/santo.dem", "/home/u"),
              "/tmp/santo.dem");

    TerrainLayer layer;
    layer.LoadSettings(settings);
    EXPECT_TRUE(layer.Shading());
    EXPECT_TRUE(layer.Contours());
    EXPECT_EQ(layer.Strength(), 50);
    layer.Set(false, true, 250);
    EXPECT_EQ(layer.Strength(), 100);
    layer.StoreSettings(settings);
    EXPECT_EQ(settings.GetInt(section::kMap, map_setting::kTerrainShading, 7), 0);
    EXPECT_EQ(settings.GetInt(section::kMap, map_setting::kTerrainContours, 7), 1);
    EXPECT_EQ(settings.GetInt(section::kMap, map_setting::kTerrainStrength, 7), 100);
    settings.SetInt(section::kMap, map_setting::kTerrainStrength, -4);
    layer.LoadSettings(settings);
    EXPECT_FALSE(layer.Shading());
    EXPECT_EQ(layer.Strength(), 0);
}

TEST(TerrainLayerTest, AMissingOrDamagedFileSaysWhyOnce)
{
    test::TempDir dir;
    TerrainLayer layer;
    EXPECT_FALSE(layer.Open(dir.Path("terrain.dem")));
    std::string problem = layer.TakeProblem();
    EXPECT_EQ(problem.rfind("No terrain: ", 0), 0u) << problem;
    EXPECT_NE(problem.find(dir.Path("terrain.dem")), std::string::npos) << problem;
    EXPECT_EQ(layer.TakeProblem(), "");
    EXPECT_FALSE(layer.HasTerrain());

    ElevationGrid g(20, 20, GridPlacement{166.5, -15.5, 0.001, -0.001});
    std::string bytes = TerrainFileWriter(g).Bytes();
    test::WriteFileBytes(dir.Path("cut.dem"), bytes.substr(0, bytes.size() - 1));
    EXPECT_FALSE(layer.Open(dir.Path("cut.dem")));
    EXPECT_NE(layer.TakeProblem().find("damaged"), std::string::npos);
    test::WriteFileBytes(dir.Path("good.dem"), bytes);
    EXPECT_TRUE(layer.Open(dir.Path("good.dem")));
    EXPECT_TRUE(layer.HasTerrain());
    EXPECT_EQ(layer.TakeProblem(), "");
}

TEST(TerrainLayerTest, TheIntervalGrowsWithTheScaleInTheAltitudeUnit)
{
    // Lines at least six pixels apart on a 30-degree slope.
    struct Case {
        double metresPerPixel;
        bool feet;
        double shown;
    } cases[] = {
        {0.5, false, 10}, {2.8, false, 10}, {2.9, false, 20}, {5, false, 20},
        {10, false, 50},  {25, false, 100}, {50, false, 200}, {120, false, 500},
        {145, false, 0},  {1000, false, 0}, {1, true, 25},    {10, true, 250},
        {20, true, 250},  {30, true, 500},  {70, true, 1000}, {100, true, 0},
    };
    for (const Case& c : cases) {
        ContourInterval i = TerrainLayer::IntervalFor(c.metresPerPixel, c.feet);
        EXPECT_EQ(i.shown, c.shown) << c.metresPerPixel << (c.feet ? " ft" : " m");
        if (c.shown > 0) {
            double spacingPx =
                i.metres / std::tan(30.0 * 3.14159265358979 / 180.0) / c.metresPerPixel;
            EXPECT_GE(spacingPx, 6.0 - 1e-9) << c.metresPerPixel;
        }
    }
    EXPECT_EQ(TerrainLayer::IntervalFor(0, false).shown, 0);
    EXPECT_EQ(TerrainLayer::IntervalFor(-3, false).shown, 0);

    // Every fifth line from sea level is an index line, also below it.
    ContourInterval twenty = TerrainLayer::IntervalFor(5, false);
    for (double e : {0.0, 100.0, 200.0, -100.0, 1500.0})
        EXPECT_TRUE(twenty.IsIndexLine(e)) << e;
    for (double e : {20.0, 80.0, -20.0, 1520.0})
        EXPECT_FALSE(twenty.IsIndexLine(e)) << e;
    ContourInterval feet = TerrainLayer::IntervalFor(10, true); // 250 ft
    EXPECT_TRUE(feet.IsIndexLine(1250 * 0.3048));
    EXPECT_FALSE(feet.IsIndexLine(1000 * 0.3048));
    EXPECT_FALSE(ContourInterval{}.IsIndexLine(0));
}

TEST(TerrainLayerTest, ShadingDarkensOnlyTheSlopesTurnedAway)
{
    const int flat = HillShade().Flat();
    for (bool night : {false, true}) {
        auto none = TerrainLayer::ShadeMultipliers(0, night);
        for (int s = 0; s < 256; ++s)
            EXPECT_EQ(none[s], 255) << s;
        auto half = TerrainLayer::ShadeMultipliers(50, night);
        auto full = TerrainLayer::ShadeMultipliers(100, night);
        // Slopes facing the light, flat ground, and cells of no known slope
        // (sea, voids, borders) are drawn as flat ground.
        EXPECT_EQ(half[0], half[flat]);
        for (int s = flat; s < 256; ++s)
            EXPECT_EQ(half[s], half[flat]) << s;
        for (int s = 2; s < flat; ++s) {
            EXPECT_LE(half[s - 1], half[s]) << s;
            EXPECT_LE(full[s], half[s]) << s;
        }
        EXPECT_LT(full[1], 40);
        // Flat ground is left as it is, by night too: where the data ends
        // no seam shows.
        EXPECT_EQ(half[flat], 255);
        EXPECT_EQ(full[0], 255);
    }
    // The night darkens more than the day.
    auto day = TerrainLayer::ShadeMultipliers(50, false);
    auto night = TerrainLayer::ShadeMultipliers(50, true);
    for (int s = 1; s < 256; ++s)
        EXPECT_LE(night[s], day[s]) << s;
    EXPECT_LT(night[flat / 2], day[flat / 2]);

    // Far out the shading deepens, never beyond black, and not at all close in.
    EXPECT_EQ(TerrainLayer::ShadeGain(5), 1.0);
    EXPECT_GT(TerrainLayer::ShadeGain(100), TerrainLayer::ShadeGain(30));
    EXPECT_LE(TerrainLayer::ShadeGain(100000), 2.5);
    auto deep = TerrainLayer::ShadeMultipliers(50, false, TerrainLayer::ShadeGain(100));
    EXPECT_EQ(deep[flat], 255);
    for (int s = 1; s < flat; ++s)
        EXPECT_LE(deep[s], day[s]) << s;
    EXPECT_LT(deep[flat * 3 / 4], day[flat * 3 / 4]);
}

} // namespace
} // namespace hw
