#include "terrain/GeoTiffRaster.h"
#include "terrain/HgtRaster.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string_view>

namespace hw {
namespace {

using test::TempDir;
using test::WriteFileBytes;

// Writes small TIFF files: the image's blocks first, then the directory,
// then the values too large for their entries.
class TiffMaker {
public:
    bool big = false;
    int width = 37, height = 23;
    int bits = 16, format = 2; // signed 16-bit
    int rowsPerStrip = 0;      // 0: one strip
    int tileWidth = 0, tileHeight = 0;
    std::function<double(int col, int row)> value = [](int c, int r) { return r * 100 - c; };
    std::vector<double> tie = {0, 0, 0, 166.0, -15.0, 0};
    std::vector<double> scale = {0.5, 0.25, 0};
    int modelType = 2;  // geographic
    int rasterType = 1; // pixel is area
    std::string noData;
    int compression = 1;
    int countsShortBy = 0; // bytes missing from each block's count
    int blocksAt = -1;     // where every block's offset points, when not -1
    // Changes to the finished entries (tag, type, count) for damaged files.
    std::function<void(std::vector<std::array<uint64_t, 3>>&)> damage;

    std::string Make() const
    {
        std::string out(8, '\0');
        out[0] = out[1] = big ? 'M' : 'I';
        Put(out, 2, 2, 42);
        const bool tiled = tileWidth > 0;
        const int bw = tiled ? tileWidth : width;
        const int bh = tiled ? tileHeight : (rowsPerStrip > 0 ? rowsPerStrip : height);
        const int across = (width + bw - 1) / bw, down = (height + bh - 1) / bh;
        std::vector<uint64_t> offsets, counts;
        for (int by = 0; by < down; ++by)
            for (int bx = 0; bx < across; ++bx) {
                offsets.push_back(out.size());
                const int rows = tiled ? bh : std::min(bh, height - by * bh);
                for (int y = 0; y < rows; ++y)
                    for (int x = 0; x < bw; ++x) {
                        const int c = bx * bw + x, r = by * bh + y;
                        Sample(out, c < width && r < height ? value(c, r) : 0.0);
                    }
                counts.push_back(out.size() - offsets.back() - countsShortBy);
            }
        if (blocksAt >= 0)
            std::fill(offsets.begin(), offsets.end(), blocksAt);
        // Entries: tag, type, values.
        struct E {
            uint16_t tag, type;
            std::vector<double> values;
            std::string text;
        };
        auto ints = [](const std::vector<uint64_t>& v) {
            return std::vector<double>(v.begin(), v.end());
        };
        std::vector<E> entries = {
            {256, 4, {double(width)}, {}},
            {257, 4, {double(height)}, {}},
            {258, 3, {double(bits)}, {}},
            {259, 3, {double(compression)}, {}},
            {277, 3, {1}, {}},
            {339, 3, {double(format)}, {}},
            {33550, 12, scale, {}},
            {33922, 12, tie, {}},
            {34735,
             3,
             {1, 1, 0, 2, 1024, 0, 1, double(modelType), 1025, 0, 1, double(rasterType)},
             {}},
        };
        if (tiled) {
            entries.push_back({322, 3, {double(bw)}, {}});
            entries.push_back({323, 3, {double(bh)}, {}});
            entries.push_back({324, 4, ints(offsets), {}});
            entries.push_back({325, 4, ints(counts), {}});
        } else {
            entries.push_back({273, 4, ints(offsets), {}});
            entries.push_back({278, 4, {double(bh)}, {}});
            entries.push_back({279, 4, ints(counts), {}});
        }
        if (!noData.empty())
            entries.push_back({42113, 2, {}, noData + '\0'});
        std::vector<std::array<uint64_t, 3>> shape;
        for (const E& e : entries)
            shape.push_back({e.tag, e.type, e.text.empty() ? e.values.size() : e.text.size()});
        if (damage)
            damage(shape);

        Put(out, 4, 4, out.size());
        const size_t ifd = out.size();
        out.resize(ifd + 2 + 12 * entries.size() + 4, '\0');
        Put(out, ifd, 2, entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            const E& e = entries[i];
            const size_t at = ifd + 2 + 12 * i;
            const uint64_t type = shape[i][1];
            const uint64_t size = type == 12 ? 8 : type == 4 ? 4 : type == 3 ? 2 : 1;
            std::string bytes;
            if (!e.text.empty())
                bytes = e.text;
            for (double v : e.values) {
                std::string one(size, '\0');
                if (type == 12) {
                    uint64_t b;
                    std::memcpy(&b, &v, 8);
                    Put(one, 0, 8, b);
                } else {
                    Put(one, 0, static_cast<int>(size), static_cast<uint64_t>(v));
                }
                bytes += one;
            }
            Put(out, at, 2, shape[i][0]);
            Put(out, at + 2, 2, type);
            Put(out, at + 4, 4, shape[i][2]);
            if (bytes.size() <= 4) {
                std::memcpy(out.data() + at + 8, bytes.data(), bytes.size());
            } else {
                Put(out, at + 8, 4, out.size());
                out += bytes;
            }
        }
        return out;
    }

private:
    void Put(std::string& out, size_t at, int size, uint64_t v) const
    {
        for (int i = 0; i < size; ++i) {
            const int shift = big ? 8 * (size - 1 - i) : 8 * i;
            out[at + i] = static_cast<char>((v >> shift) & 0xff);
        }
    }

    void Sample(std::string& out, double v) const
    {
        const size_t at = out.size();
        out.resize(at + bits / 8);
        if (format == 3) {
            float f = static_cast<float>(v);
            uint32_t b;
            std::memcpy(&b, &f, 4);
            Put(out, at, 4, b);
        } else {
            Put(out, at, bits / 8, static_cast<uint64_t>(static_cast<int64_t>(v)));
        }
    }
};

std::vector<float> Row(const ElevationRows& rows, int r)
{
    std::vector<float> out(rows.Width());
    rows.ReadRow(r, out.data());
    return out;
}

TEST(GeoTiffRasterTest, StripsTilesSampleTypesAndByteOrdersReadTheSameHeights)
{
    TempDir dir;
    struct Case {
        const char* name;
        std::function<void(TiffMaker&)> set;
    } cases[] = {
        {"one strip", [](TiffMaker&) {}},
        {"strips of 5, the last short", [](TiffMaker& m) { m.rowsPerStrip = 5; }},
        {"big-endian strips of 1",
         [](TiffMaker& m) {
             m.big = true;
             m.rowsPerStrip = 1;
         }},
        {"tiles cut at the edges",
         [](TiffMaker& m) {
             m.tileWidth = 16;
             m.tileHeight = 16;
         }},
        {"big-endian tiles",
         [](TiffMaker& m) {
             m.big = true;
             m.tileWidth = 16;
             m.tileHeight = 8;
         }},
        {"float",
         [](TiffMaker& m) {
             m.bits = 32;
             m.format = 3;
             m.tileWidth = m.tileHeight = 32;
         }},
        {"big-endian float",
         [](TiffMaker& m) {
             m.big = true;
             m.bits = 32;
             m.format = 3;
         }},
        {"32-bit", [](TiffMaker& m) { m.bits = 32; }},
        {"unsigned 16-bit",
         [](TiffMaker& m) {
             m.format = 1;
             m.value = [](int c, int r) { return 40000 + r * 100 + c; };
         }},
        {"bytes",
         [](TiffMaker& m) {
             m.bits = 8;
             m.format = 1;
             m.value = [](int c, int r) { return r * 10 + c % 10; };
         }},
    };
    for (const Case& k : cases) {
        TiffMaker maker;
        k.set(maker);
        WriteFileBytes(dir.Path("t.tif"), maker.Make());
        auto tiff = GeoTiffRaster::Open(dir.Path("t.tif"));
        ASSERT_TRUE(tiff) << k.name;
        ASSERT_EQ(tiff->Width(), 37);
        ASSERT_EQ(tiff->Height(), 23);
        for (int r = 0; r < 23; ++r) {
            std::vector<float> row = Row(*tiff, r);
            for (int c = 0; c < 37; ++c)
                ASSERT_EQ(row[c], static_cast<float>(maker.value(c, r)))
                    << k.name << " at " << c << "," << r;
        }
    }
}

TEST(GeoTiffRasterTest, PlacementVoidsAndModelType)
{
    TempDir dir;
    TiffMaker maker;
    maker.tie = {2, 4, 0, 166.0, -15.0, 0}; // a tie point inside the grid
    maker.noData = "-5";
    WriteFileBytes(dir.Path("area.tif"), maker.Make());
    auto area = GeoTiffRaster::Open(dir.Path("area.tif"));
    ASSERT_TRUE(area);
    EXPECT_DOUBLE_EQ(area->Placement().originX, 165.0);
    EXPECT_DOUBLE_EQ(area->Placement().originY, -14.0);
    EXPECT_DOUBLE_EQ(area->Placement().stepX, 0.5);
    EXPECT_DOUBLE_EQ(area->Placement().stepY, -0.25);
    EXPECT_TRUE(area->Geographic());
    std::vector<float> row0 = Row(*area, 0);
    EXPECT_TRUE(std::isnan(row0[5])) << "the no-data value is a void";
    EXPECT_EQ(row0[4], -4.0f);

    // The value as GDAL writes it, read with '.' whatever the locale; no
    // number, or NaN, marks no cell.
    for (const char* text : {"-4", " -4", "-4.0", "-4e0", "+-4"}) {
        maker.noData = text;
        WriteFileBytes(dir.Path("nodata.tif"), maker.Make());
        auto tiff = GeoTiffRaster::Open(dir.Path("nodata.tif"));
        ASSERT_TRUE(tiff);
        const std::vector<float> row = Row(*tiff, 0);
        const bool number = std::string(text) != "+-4";
        EXPECT_EQ(std::isnan(row[4]), number) << text;
        EXPECT_EQ(std::count_if(row.begin(), row.end(), [](float h) { return std::isnan(h); }),
                  number ? 1 : 0)
            << text;
    }
    for (const char* text : {"none", "", "nan"}) {
        maker.noData = text;
        WriteFileBytes(dir.Path("nodata.tif"), maker.Make());
        auto tiff = GeoTiffRaster::Open(dir.Path("nodata.tif"));
        ASSERT_TRUE(tiff);
        const std::vector<float> row = Row(*tiff, 0);
        EXPECT_TRUE(std::none_of(row.begin(), row.end(), [](float h) { return std::isnan(h); }))
            << text;
    }

    // A tie point on a cell's centre puts the edge half a cell out;
    // projected grids are not geographic.
    maker.rasterType = 2;
    maker.modelType = 1;
    maker.noData = "1e300"; // no float holds it: no cell is a void
    WriteFileBytes(dir.Path("point.tif"), maker.Make());
    auto point = GeoTiffRaster::Open(dir.Path("point.tif"));
    ASSERT_TRUE(point);
    EXPECT_DOUBLE_EQ(point->Placement().originX, 164.75);
    EXPECT_DOUBLE_EQ(point->Placement().originY, -13.875);
    EXPECT_FALSE(point->Geographic());
    EXPECT_FALSE(std::isnan(Row(*point, 0)[5]));
}

TEST(GeoTiffRasterTest, WhatItDoesNotReadIsLeftToTheGeneralReader)
{
    // Each must come back as "not mine", never as a crash or as heights read
    // from beyond the file.
    TempDir dir;
    using Shape = std::vector<std::array<uint64_t, 3>>;
    auto set = [](uint64_t tag, int field, uint64_t v) {
        return [=](Shape& s) {
            for (auto& e : s)
                if (e[0] == tag)
                    e[field] = v;
        };
    };
    struct Case {
        const char* name;
        std::function<void(TiffMaker&)> change;
    } cases[] = {
        {"compressed", [](TiffMaker& m) { m.compression = 5; }},
        {"64-bit floats",
         [](TiffMaker& m) {
             m.bits = 64;
             m.format = 3;
         }},
        {"two tie points", [](TiffMaker& m) { m.tie.resize(12, 1.0); }},
        {"no pixel scale", [&](TiffMaker& m) { m.damage = set(33550, 0, 33551); }},
        {"zero pixel scale",
         [](TiffMaker& m) {
             m.scale = {0, 0.25, 0};
         }},
        {"strip offsets count short",
         [&](TiffMaker& m) {
             m.rowsPerStrip = 5;
             m.damage = set(273, 2, 4);
         }},
        {"strip byte counts short",
         [](TiffMaker& m) {
             m.rowsPerStrip = 5;
             m.countsShortBy = 1;
         }},
        {"tiles counted wrong",
         [&](TiffMaker& m) {
             m.tileWidth = m.tileHeight = 16;
             m.damage = set(324, 2, 5);
         }},
        {"entry values past the end", [&](TiffMaker& m) { m.damage = set(33922, 2, 1u << 30); }},
        {"strips inside the header",
         [](TiffMaker& m) {
             m.rowsPerStrip = 3;
             m.blocksAt = 0;
         }},
        {"tiles inside the header",
         [](TiffMaker& m) {
             m.tileWidth = m.tileHeight = 16;
             m.blocksAt = 4;
         }},
        {"strip byte counts past the end",
         [](TiffMaker& m) {
             m.rowsPerStrip = 3;
             m.countsShortBy = -100000;
         }},
        {"no width", [&](TiffMaker& m) { m.damage = set(256, 0, 300); }},
    };
    for (const Case& k : cases) {
        TiffMaker maker;
        k.change(maker);
        WriteFileBytes(dir.Path("bad.tif"), maker.Make());
        EXPECT_FALSE(GeoTiffRaster::Open(dir.Path("bad.tif"))) << k.name;
    }

    // Cut anywhere, a good file is refused or read within its bytes.
    TiffMaker maker;
    maker.rowsPerStrip = 3;
    const std::string whole = maker.Make();
    for (size_t n = 0; n < whole.size(); n += 7) {
        WriteFileBytes(dir.Path("cut.tif"), whole.substr(0, n));
        if (auto tiff = GeoTiffRaster::Open(dir.Path("cut.tif")))
            for (int r = 0; r < tiff->Height(); ++r)
                (void)Row(*tiff, r);
    }
    using namespace std::string_view_literals;
    for (std::string_view bytes : {""sv, "II"sv, "II+\0\x08\0\0\0\0\0\0\0"sv,
                                   "MM\0*\xff\xff\xff\xff"sv, "P5\n1 1\n255\n\0"sv}) {
        WriteFileBytes(dir.Path("odd.tif"), std::string(bytes));
        EXPECT_FALSE(GeoTiffRaster::Open(dir.Path("odd.tif"))) << bytes;
    }
}

TEST(HgtRasterTest, TilesByNameAndLength)
{
    TempDir dir;
    std::string bytes(2 * 1201 * 1201, '\0');
    auto put = [&](int c, int r, int16_t h) {
        const size_t at = 2 * (static_cast<size_t>(r) * 1201 + c);
        bytes[at] = static_cast<char>(static_cast<uint16_t>(h) >> 8);
        bytes[at + 1] = static_cast<char>(h & 0xff);
    };
    put(0, 0, 1234);
    put(1200, 1200, -12);
    put(7, 3, -32768);
    for (const char* name : {"S16E166.hgt", "s16e166.HGT", "S16E166.SRTMGL3.hgt"}) {
        WriteFileBytes(dir.Path(name), bytes);
        auto tile = HgtRaster::Open(dir.Path(name));
        ASSERT_TRUE(tile) << name;
        EXPECT_EQ(tile->Width(), 1201);
        EXPECT_EQ(tile->Height(), 1201);
        // Cell centres on the degree lines: the edge half a cell out.
        EXPECT_DOUBLE_EQ(tile->Placement().originX, 166.0 - 0.5 / 1200);
        EXPECT_DOUBLE_EQ(tile->Placement().originY, -15.0 + 0.5 / 1200);
        EXPECT_DOUBLE_EQ(tile->Placement().stepY, -1.0 / 1200);
        EXPECT_EQ(Row(*tile, 0)[0], 1234.0f);
        EXPECT_EQ(Row(*tile, 1200)[1200], -12.0f);
        EXPECT_TRUE(std::isnan(Row(*tile, 3)[7]));
    }
    WriteFileBytes(dir.Path("N22W160.hgt"), bytes);
    auto west = HgtRaster::Open(dir.Path("N22W160.hgt"));
    ASSERT_TRUE(west);
    EXPECT_DOUBLE_EQ(west->Placement().originX, -160.0 - 0.5 / 1200);
    EXPECT_DOUBLE_EQ(west->Placement().originY, 23.0 + 0.5 / 1200);

    // Not such a tile: left to the general reader.
    for (const char* name :
         {"X16E166.hgt", "S16E166.tif", "N95E000.hgt", "S16E1x6.hgt", "S16.hgt"}) {
        WriteFileBytes(dir.Path(name), bytes);
        EXPECT_FALSE(HgtRaster::Open(dir.Path(name))) << name;
    }
    WriteFileBytes(dir.Path("N00E000.hgt"), bytes.substr(0, 1000000)); // cut short
    EXPECT_FALSE(HgtRaster::Open(dir.Path("N00E000.hgt")));
    EXPECT_FALSE(HgtRaster::Open(dir.Path("N01E000.hgt"))); // missing
}

} // namespace
} // namespace hw
