#include "terrain/TerrainFile.h"

#include "TestFiles.h"
#include "terrain/HillShade.h"
#include "terrain/TerrainFileLayout.h"
#include "terrain/TerrainFileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <random>
#include <sys/stat.h>

namespace hw {
namespace {

using test::TempDir;

void Save(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// 600 x 300 cells of 1/1200 degree north-west of (22.25, -159.5), a valley
// with a void block.
ElevationGrid Valley()
{
    double step = 1.0 / 1200;
    ElevationGrid g(600, 300, GridPlacement{-159.5, 22.25, step, -step});
    for (int r = 0; r < 300; ++r)
        for (int c = 0; c < 600; ++c)
            g.At(c, r) = static_cast<float>(std::abs(c - 300) * 2.5 + r * 0.5 - 20.0);
    for (int r = 100; r < 110; ++r)
        for (int c = 40; c < 45; ++c)
            g.At(c, r) = ElevationGrid::kVoid;
    return g;
}

TEST(TerrainFileTest, ReadsBackWhatWasWritten)
{
    TempDir dir;
    ElevationGrid g = Valley();
    TerrainFileWriter writer(g);
    std::string error;
    ASSERT_TRUE(writer.Write(dir.Path("v.dem"), error)) << error;
    const TerrainSummary& s = writer.Summary();
    EXPECT_EQ(s.width, 600u);
    EXPECT_EQ(s.height, 300u);
    EXPECT_EQ(s.voids, 50u);
    EXPECT_EQ(s.min, -20.0 + 0.5 * 0); // at column 300, row 0
    EXPECT_EQ(s.max, 300 * 2.5 + 299 * 0.5 - 20.0);
    EXPECT_NEAR(s.minLat, 22.0, 1e-12);
    EXPECT_NEAR(s.maxLon, -159.0, 1e-12);
    std::string json = s.Json();
    EXPECT_EQ(json.rfind("{\"width\":600,\"height\":300,\"bounds\":{\"minlat\":", 0), 0u) << json;
    EXPECT_NE(json.find("\"maxlat\":22.25,"), std::string::npos) << json;
    EXPECT_NE(json.find("},\"min\":-20,\"max\":879.5,\"voids\":50,\"filled\":0}"),
              std::string::npos)
        << json;

    TerrainFile file;
    ASSERT_TRUE(file.Open(dir.Path("v.dem"), error)) << error;
    EXPECT_EQ(file.Summary().Json(), s.Json());
    // Full size, then halves until one tile holds it.
    ASSERT_EQ(file.Levels().size(), 3u);
    EXPECT_EQ(file.Levels()[1].width, 300u);
    EXPECT_EQ(file.Levels()[2].width, 150u);
    EXPECT_EQ(file.Levels()[2].height, 75u);

    // A tile of the full level holds the heights and the shading of the
    // whole grid, padded with voids beyond its edge.
    TerrainTile tile;
    ASSERT_TRUE(file.ReadTile(0, 2, 1, tile));
    uint32_t t = file.TileSize();
    std::vector<uint8_t> shades = HillShade().ShadeGround(g);
    for (uint32_t y = 0; y < t; ++y)
        for (uint32_t x = 0; x < t; ++x) {
            int c = static_cast<int>(2 * t + x), r = static_cast<int>(t + y);
            float h = tile.heights[y * t + x];
            if (c < 600 && r < 300) {
                EXPECT_EQ(h, g.At(c, r));
                EXPECT_EQ(tile.shades[y * t + x], shades[static_cast<size_t>(r) * 600 + c]);
            } else {
                EXPECT_TRUE(std::isnan(h));
            }
        }
    EXPECT_FALSE(file.ReadTile(0, 3, 0, tile));
    EXPECT_FALSE(file.ReadTile(3, 0, 0, tile));
    // The shades alone, as the whole tile holds them.
    std::vector<uint8_t> alone;
    ASSERT_TRUE(file.ReadShades(0, 2, 1, alone));
    EXPECT_EQ(alone, tile.shades);
    EXPECT_FALSE(file.ReadShades(0, 3, 0, alone));
    EXPECT_FALSE(file.ReadShades(3, 0, 0, alone));

    // Heights at points: a cell's centre, between centres, a void, outside.
    double step = 1.0 / 1200;
    EXPECT_FLOAT_EQ(file.HeightAt(22.25 - 10.5 * step, -159.5 + 20.5 * step), g.At(20, 10));
    EXPECT_NEAR(file.HeightAt(22.25 - 11.0 * step, -159.5 + 21.0 * step),
                (g.At(20, 10) + g.At(21, 10) + g.At(20, 11) + g.At(21, 11)) / 4.0, 1e-3);
    EXPECT_TRUE(std::isnan(file.HeightAt(22.25 - 105 * step, -159.5 + 42 * step)));
    EXPECT_TRUE(std::isnan(file.HeightAt(23.0, -159.4)));
}

// The bytes of a terrain file as the first version wrote them (no source).
std::string FirstVersionOf(std::string bytes)
{
    using namespace terrain_file;
    const uint32_t version = kVersionWithoutSource;
    std::memcpy(bytes.data() + 8, &version, 4);
    uint32_t credit, levels;
    std::memcpy(&credit, bytes.data() + kHeaderBytes + 8, 4);
    std::memcpy(&levels, bytes.data() + kHeaderBytes - 4, 4);
    const size_t source = kSourceBytes + credit;
    bytes.erase(kHeaderBytes, source);
    for (uint32_t i = 0; i < levels; ++i)
        for (size_t at : {size_t{8}, size_t{16}}) {
            uint64_t offset;
            char* p = bytes.data() + kHeaderBytes + i * kLevelBytes + at;
            std::memcpy(&offset, p, 8);
            offset -= source;
            std::memcpy(p, &offset, 8);
        }
    return bytes;
}

TEST(TerrainFileTest, TheSourceOfItsHeightsAndFilesWithout)
{
    // The credit and the voids filled are kept; a file of the first version
    // opens with the credit of what its import read, and the same heights.
    TempDir dir;
    ElevationGrid g = Valley();
    TerrainFileWriter writer(g);
    writer.SetSource("NASA/USGS SRTM", 12);
    const std::string credited = writer.Bytes();
    const struct {
        const char* name;
        std::string bytes;
        const char* credit;
        uint64_t voids, filled;
    } cases[] = {
        {"credited", credited, "NASA/USGS SRTM", 62, 12},
        {"uncredited", TerrainFileWriter(g).Bytes(), "", 50, 0},
        {"first version", FirstVersionOf(credited), "NASA/USGS SRTM, \xC2\xA9 Copernicus DEM", 62,
         0},
    };
    std::vector<float> heights;
    for (const auto& c : cases) {
        Save(dir.Path("s.dem"), c.bytes);
        TerrainFile file;
        std::string error;
        ASSERT_TRUE(file.Open(dir.Path("s.dem"), error)) << c.name << ": " << error;
        EXPECT_EQ(file.Summary().credit, c.credit) << c.name;
        EXPECT_EQ(file.Summary().voids, c.voids) << c.name;
        EXPECT_EQ(file.Summary().filled, c.filled) << c.name;
        TerrainTile tile;
        ASSERT_TRUE(file.ReadTile(1, 0, 0, tile)) << c.name;
        if (heights.empty())
            heights = tile.heights;
        EXPECT_EQ(std::memcmp(heights.data(), tile.heights.data(), heights.size() * 4), 0)
            << c.name;
    }
    // More filled than voids, or a credit beyond its bounds: damaged.
    for (size_t at : {terrain_file::kHeaderBytes, terrain_file::kHeaderBytes + 9}) {
        std::string damaged = credited;
        damaged[at + 2] = '\x7f';
        Save(dir.Path("d.dem"), damaged);
        TerrainFile file;
        std::string error;
        EXPECT_FALSE(file.Open(dir.Path("d.dem"), error)) << at;
        EXPECT_NE(error.find("damaged"), std::string::npos) << error;
    }
}

TEST(TerrainFileTest, OverviewsAverageTheKnownHeights)
{
    ElevationGrid g(3, 3);
    float cells[] = {1, 3, 10, 5, ElevationGrid::kVoid, 20, ElevationGrid::kVoid, 7, 8};
    for (int i = 0; i < 9; ++i)
        g.At(i % 3, i / 3) = cells[i];
    g.At(0, 2) = ElevationGrid::kVoid;
    ElevationGrid half = HalveGrid(g);
    ASSERT_EQ(half.Width(), 2);
    ASSERT_EQ(half.Height(), 2);
    EXPECT_FLOAT_EQ(half.At(0, 0), 3.0f); // 1, 3, 5 and a void
    EXPECT_FLOAT_EQ(half.At(1, 0), 15.0f);
    EXPECT_FLOAT_EQ(half.At(0, 1), 7.0f);
    EXPECT_FLOAT_EQ(half.At(1, 1), 8.0f);
    EXPECT_DOUBLE_EQ(half.Placement().stepX, 2.0);
    ElevationGrid allVoid(2, 2);
    EXPECT_TRUE(ElevationGrid::IsVoid(HalveGrid(allVoid).At(0, 0)));
}

TEST(TerrainFileTest, SmallTilesHoldTheSameGrid)
{
    // The smallest tiles: more of them and more levels, the same heights.
    TempDir dir;
    ElevationGrid g = Valley();
    std::string error;
    ASSERT_TRUE(TerrainFileWriter(g, 16).Write(dir.Path("small.dem"), error)) << error;
    ASSERT_TRUE(TerrainFileWriter(g).Write(dir.Path("large.dem"), error)) << error;
    TerrainFile small, large;
    ASSERT_TRUE(small.Open(dir.Path("small.dem"), error)) << error;
    ASSERT_TRUE(large.Open(dir.Path("large.dem"), error)) << error;
    EXPECT_EQ(small.TileSize(), 16u);
    EXPECT_EQ(small.Summary().Json(), large.Summary().Json());
    ASSERT_EQ(small.Levels().size(), 7u); // 600 wide, halved until 16 or less
    EXPECT_EQ(small.Levels().back().width, 10u);
    TerrainTile tile;
    ASSERT_TRUE(small.ReadTile(0, 37, 18, tile)); // the last, half outside the grid
    EXPECT_FALSE(small.ReadTile(0, 38, 0, tile));
    for (int r = 0; r < 300; r += 7)
        for (int c = 0; c < 600; c += 11) {
            const double lat = 22.25 - (r + 0.5) / 1200, lon = -159.5 + (c + 0.5) / 1200;
            const double a = small.HeightAt(lat, lon), b = large.HeightAt(lat, lon);
            EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << c << "," << r;
        }
}

TEST(TerrainFileTest, DamagedFilesAreRefusedWithAReason)
{
    TempDir dir;
    ElevationGrid g = Valley();
    std::string bytes = TerrainFileWriter(g).Bytes();
    TerrainFile file;
    std::string error;
    // Cut anywhere in the header, the level table or the tiles.
    for (size_t cut : {size_t{0}, size_t{7}, size_t{40}, size_t{83}, size_t{84}, size_t{100},
                       size_t{155}, size_t{4000}, bytes.size() / 2, bytes.size() - 1}) {
        Save(dir.Path("cut.dem"), bytes.substr(0, cut));
        error.clear();
        EXPECT_FALSE(file.Open(dir.Path("cut.dem"), error)) << cut;
        EXPECT_NE(error.find("cut.dem"), std::string::npos) << cut;
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_FALSE(file.Open(dir.Path("missing.dem"), error));
    EXPECT_NE(error.find("cannot be read"), std::string::npos);
    // Another kind of file, another version, absurd sizes.
    std::string foreign = bytes;
    foreign[0] = 'X';
    Save(dir.Path("f.dem"), foreign);
    EXPECT_FALSE(file.Open(dir.Path("f.dem"), error));
    EXPECT_NE(error.find("not a terrain file"), std::string::npos);
    std::string version = bytes;
    version[8] = 3;
    Save(dir.Path("v.dem"), version);
    EXPECT_FALSE(file.Open(dir.Path("v.dem"), error));
    for (size_t at : {size_t{12}, size_t{16}, size_t{76}, size_t{80}, size_t{84}, size_t{92}}) {
        std::string huge = bytes;
        huge[at + 3] = '\x7f';
        Save(dir.Path("h.dem"), huge);
        EXPECT_FALSE(file.Open(dir.Path("h.dem"), error)) << at;
    }
    // Cells off the earth, or so large that a tile's far corner is no
    // position: refused before the map turns them into one.
    for (auto [at, value] : {std::pair{20, -200.0},
                             {20, 360.8},
                             {28, 95.0},
                             {28, -90.9},
                             {36, 1e10},
                             {36, 2.0},
                             {44, -1e10}}) {
        std::string off = bytes;
        std::memcpy(off.data() + at, &value, sizeof value);
        Save(dir.Path("off.dem"), off);
        error.clear();
        EXPECT_FALSE(file.Open(dir.Path("off.dem"), error)) << at << " " << value;
        EXPECT_NE(error.find("damaged"), std::string::npos) << at << " " << value;
    }
    // One cell in level after level of one cell, each of twice the cell
    // size: a few levels lie on the earth, two dozen run far beyond it.
    ElevationGrid one(1, 1, {7.0, 46.0, 0.001, -0.001});
    one.At(0, 0) = 500;
    const std::string single = TerrainFileWriter(one, 16).Bytes();
    for (uint32_t count : {10u, 24u}) {
        const size_t head = terrain_file::kHeaderBytes + terrain_file::kSourceBytes;
        const size_t entry = terrain_file::kLevelBytes;
        std::string many = single.substr(0, head);
        std::memcpy(many.data() + terrain_file::kHeaderBytes - 4, &count, 4);
        std::string level = single.substr(head, entry);
        for (size_t at : {size_t{8}, size_t{16}}) {
            uint64_t offset;
            std::memcpy(&offset, level.data() + at, 8);
            offset += (count - 1) * entry;
            std::memcpy(level.data() + at, &offset, 8);
        }
        for (uint32_t i = 0; i < count; ++i)
            many += level;
        Save(dir.Path("many.dem"), many + single.substr(head + entry));
        EXPECT_EQ(file.Open(dir.Path("many.dem"), error), count == 10) << count << error;
    }
    // Random bytes of every length up to a header and a table.
    std::mt19937 random(27);
    for (int n = 0; n < 300; ++n) {
        std::string noise(static_cast<size_t>(random() % 200), '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        if (n % 2)
            noise.replace(0, std::min<size_t>(8, noise.size()), "HWTERRN\0",
                          std::min<size_t>(8, noise.size()));
        Save(dir.Path("n.dem"), noise);
        EXPECT_FALSE(file.Open(dir.Path("n.dem"), error));
    }
    // The whole file still opens.
    Save(dir.Path("whole.dem"), bytes);
    EXPECT_TRUE(file.Open(dir.Path("whole.dem"), error)) << error;
}

TEST(TerrainFileTest, AFailedWriteKeepsThePreviousFile)
{
    TempDir dir;
    ElevationGrid g = Valley();
    std::string error;
    ASSERT_TRUE(TerrainFileWriter(g).Write(dir.Path("t.dem"), error));
    std::string before = test::ReadFileBytes(dir.Path("t.dem"));
    EXPECT_FALSE(TerrainFileWriter(g).Write(dir.Path("no/such/folder/t.dem"), error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    // A folder nobody may write to (as root this is not refused: skipped).
    ASSERT_EQ(::chmod(dir.Root().c_str(), 0555), 0);
    ElevationGrid other(3, 3);
    bool written = TerrainFileWriter(other).Write(dir.Path("t.dem"), error);
    ::chmod(dir.Root().c_str(), 0755);
    if (written)
        GTEST_SKIP() << "running as root: a read-only folder does not refuse the write";
    EXPECT_EQ(test::ReadFileBytes(dir.Path("t.dem")), before);
}

} // namespace
} // namespace hw
