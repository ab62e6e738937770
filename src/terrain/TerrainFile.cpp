#include "terrain/TerrainFile.h"

#include "base/ByteReader.h"
#include "terrain/TerrainFileLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace hw {

namespace {

using namespace terrain_file;

constexpr uint32_t kMaxSide = 1u << 20;
constexpr uint32_t kMaxLevels = 24;
constexpr size_t kCachedTiles = 16;
// Every tile of every level, padding included, lies where a position in
// microdegrees can tell it.
constexpr double kMaxTileDegrees = 1000.0;

bool Finite(double v)
{
    return std::isfinite(v);
}

} // namespace

bool TerrainFile::Open(const std::string& path, std::string& error)
{
    file_.reset();
    levels_.clear();
    cache_.clear();
    path_ = path;
    auto fail = [&](const std::string& why) {
        error = "the terrain file " + path + " " + why;
        file_.reset();
        levels_.clear();
        summary_ = {};
        return false;
    };
    std::error_code ec;
    uint64_t fileSize = std::filesystem::file_size(path, ec);
    auto in = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (ec || !*in)
        return fail("cannot be read");
    std::string head(kHeaderBytes, '\0');
    if (fileSize < kHeaderBytes ||
        !in->read(head.data(), static_cast<std::streamsize>(head.size())))
        return fail("is too short to be a terrain file");
    ByteReader r(head);
    if (std::memcmp(r.Here(), kMagic, sizeof kMagic) != 0)
        return fail("is not a terrain file");
    r.Skip(sizeof kMagic);
    const uint32_t version = r.U32();
    if (version != kVersion && version != kVersionWithoutSource)
        return fail("is of a version this program does not read");
    summary_.width = r.U32();
    summary_.height = r.U32();
    GridPlacement p;
    p.originX = r.F64(), p.originY = r.F64(), p.stepX = r.F64(), p.stepY = r.F64();
    summary_.min = r.F64(), summary_.max = r.F64(), summary_.voids = r.U64();
    tileSize_ = r.U32();
    uint32_t levelCount = r.U32();
    bool placed = Finite(p.originX) && Finite(p.originY) && Finite(p.stepX) && Finite(p.stepY) &&
                  p.stepX > 0.0 && p.stepY < 0.0;
    if (summary_.width == 0 || summary_.height == 0 || summary_.width > kMaxSide ||
        summary_.height > kMaxSide || !placed || !Finite(summary_.min) || !Finite(summary_.max) ||
        summary_.min > summary_.max ||
        summary_.voids > uint64_t{summary_.width} * summary_.height || tileSize_ < kMinTileSize ||
        tileSize_ > kMaxTileSize || levelCount == 0 || levelCount > kMaxLevels)
        return fail("is damaged (header)");
    summary_.minLon = p.originX;
    summary_.maxLon = p.X(summary_.width);
    summary_.maxLat = p.originY;
    summary_.minLat = p.Y(summary_.height);
    if (!LiesOnTheEarth(p, summary_.width, summary_.height))
        return fail("is damaged (header)");

    // Where the heights came from; files made before it was kept are
    // credited with what their import read.
    summary_.filled = 0;
    summary_.credit = kUnrecordedCredit;
    if (version >= kVersion) {
        std::string source(kSourceBytes, '\0');
        if (!in->read(source.data(), static_cast<std::streamsize>(source.size())))
            return fail("is damaged (source)");
        ByteReader s(source);
        summary_.filled = s.U64();
        const uint32_t creditBytes = s.U32();
        if (summary_.filled > summary_.voids || creditBytes > kMaxCreditBytes)
            return fail("is damaged (source)");
        summary_.credit.assign(creditBytes, '\0');
        if (!in->read(summary_.credit.data(), creditBytes))
            return fail("is damaged (source)");
    }

    std::string table(kLevelBytes * levelCount, '\0');
    if (!in->read(table.data(), static_cast<std::streamsize>(table.size())))
        return fail("is damaged (levels)");
    ByteReader t(table);
    uint64_t tileCells = uint64_t{tileSize_} * tileSize_;
    uint32_t expectW = summary_.width, expectH = summary_.height;
    for (uint32_t i = 0; i < levelCount; ++i) {
        Level level;
        level.width = t.U32();
        level.height = t.U32();
        level.heightsAt = t.U64();
        level.shadesAt = t.U64();
        if (level.width != expectW || level.height != expectH)
            return fail("is damaged (level sizes)");
        level.tilesX = (level.width + tileSize_ - 1) / tileSize_;
        level.tilesY = (level.height + tileSize_ - 1) / tileSize_;
        uint64_t tiles = uint64_t{level.tilesX} * level.tilesY;
        if (level.heightsAt > fileSize || tiles * tileCells * 4 > fileSize - level.heightsAt ||
            level.shadesAt > fileSize || tiles * tileCells > fileSize - level.shadesAt)
            return fail("is damaged (cut short)");
        double scale = static_cast<double>(uint64_t{1} << i);
        level.placement = {p.originX, p.originY, p.stepX * scale, p.stepY * scale};
        if (level.placement.X(static_cast<double>(tileSize_) * level.tilesX) > kMaxTileDegrees ||
            level.placement.Y(static_cast<double>(tileSize_) * level.tilesY) < -kMaxTileDegrees)
            return fail("is damaged (header)");
        levels_.push_back(level);
        expectW = (expectW + 1) / 2;
        expectH = (expectH + 1) / 2;
    }
    file_ = std::move(in);
    return true;
}

bool TerrainFile::ReadTile(size_t level, uint32_t tx, uint32_t ty, TerrainTile& tile) const
{
    if (!file_ || level >= levels_.size())
        return false;
    const Level& l = levels_[level];
    if (tx >= l.tilesX || ty >= l.tilesY)
        return false;
    size_t cells = size_t{tileSize_} * tileSize_;
    uint64_t index = uint64_t{ty} * l.tilesX + tx;
    tile.size = tileSize_;
    tile.heights.resize(cells);
    tile.shades.resize(cells);
    file_->clear();
    if (!file_->seekg(static_cast<std::streamoff>(l.heightsAt + index * cells * 4)) ||
        !file_->read(reinterpret_cast<char*>(tile.heights.data()),
                     static_cast<std::streamsize>(cells * 4)) ||
        !file_->seekg(static_cast<std::streamoff>(l.shadesAt + index * cells)) ||
        !file_->read(reinterpret_cast<char*>(tile.shades.data()),
                     static_cast<std::streamsize>(cells)))
        return false;
    return true;
}

bool TerrainFile::ReadShades(size_t level, uint32_t tx, uint32_t ty,
                             std::vector<uint8_t>& shades) const
{
    if (!file_ || level >= levels_.size())
        return false;
    const Level& l = levels_[level];
    if (tx >= l.tilesX || ty >= l.tilesY)
        return false;
    const size_t cells = size_t{tileSize_} * tileSize_;
    const uint64_t index = uint64_t{ty} * l.tilesX + tx;
    shades.resize(cells);
    file_->clear();
    return file_->seekg(static_cast<std::streamoff>(l.shadesAt + index * cells)) &&
           file_->read(reinterpret_cast<char*>(shades.data()), static_cast<std::streamsize>(cells));
}

float TerrainFile::CellHeight(int col, int row)
{
    const Level& l = levels_[0];
    if (col < 0 || row < 0 || static_cast<uint32_t>(col) >= l.width ||
        static_cast<uint32_t>(row) >= l.height)
        return ElevationGrid::kVoid;
    uint32_t tx = static_cast<uint32_t>(col) / tileSize_;
    uint32_t ty = static_cast<uint32_t>(row) / tileSize_;
    uint64_t key = uint64_t{ty} << 32 | tx;
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        if (cache_.size() >= kCachedTiles)
            cache_.clear();
        TerrainTile tile;
        if (!ReadTile(0, tx, ty, tile))
            return ElevationGrid::kVoid;
        it = cache_.emplace(key, std::move(tile)).first;
    }
    size_t x = static_cast<uint32_t>(col) % tileSize_;
    size_t y = static_cast<uint32_t>(row) % tileSize_;
    return it->second.heights[y * tileSize_ + x];
}

double TerrainFile::HeightAt(double lat, double lon)
{
    if (levels_.empty())
        return std::nan("");
    const GridPlacement& p = levels_[0].placement;
    return SampleBilinear((lon - p.originX) / p.stepX, (lat - p.originY) / p.stepY,
                          static_cast<int>(levels_[0].width), static_cast<int>(levels_[0].height),
                          [this](int c, int r) { return static_cast<double>(CellHeight(c, r)); });
}

} // namespace hw
