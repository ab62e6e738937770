#include "terrain/TerrainFileWriter.h"

#include "base/AtomicFile.h"
#include "base/ByteWriter.h"
#include "base/Utf8.h"
#include "terrain/HillShade.h"
#include "terrain/TerrainFileLayout.h"

#include <algorithm>
#include <cmath>

namespace hw {

namespace {

using namespace terrain_file;

uint32_t TilesOf(uint32_t cells, uint32_t tile)
{
    return (cells + tile - 1) / tile;
}

// Appends the tiles of a level of cells of type T, padded with fill.
template <typename T>
void AppendTiles(ByteWriter& out, const T* cells, uint32_t width, uint32_t height, uint32_t t,
                 T fill)
{
    std::vector<T> row(t);
    for (uint32_t ty = 0; ty < TilesOf(height, t); ++ty)
        for (uint32_t tx = 0; tx < TilesOf(width, t); ++tx)
            for (uint32_t r = 0; r < t; ++r) {
                uint32_t y = ty * t + r;
                std::fill(row.begin(), row.end(), fill);
                if (y < height) {
                    uint32_t x0 = tx * t;
                    uint32_t n = std::min(t, width - x0);
                    std::copy_n(cells + static_cast<size_t>(y) * width + x0, n, row.begin());
                }
                out.Bytes(row.data(), row.size() * sizeof(T));
            }
}

} // namespace

TerrainSummary SummaryOf(const ElevationGrid& grid)
{
    TerrainSummary s;
    s.width = static_cast<uint32_t>(grid.Width());
    s.height = static_cast<uint32_t>(grid.Height());
    const GridPlacement& p = grid.Placement();
    s.minLon = std::min(p.X(0), p.X(grid.Width()));
    s.maxLon = std::max(p.X(0), p.X(grid.Width()));
    s.minLat = std::min(p.Y(0), p.Y(grid.Height()));
    s.maxLat = std::max(p.Y(0), p.Y(grid.Height()));
    ElevationStatistics stats = ElevationStatistics::Of(grid);
    s.min = stats.min;
    s.max = stats.max;
    s.voids = stats.voids;
    return s;
}

ElevationGrid HalveGrid(const ElevationGrid& grid)
{
    int w = (grid.Width() + 1) / 2;
    int h = (grid.Height() + 1) / 2;
    GridPlacement p = grid.Placement();
    p.stepX *= 2.0;
    p.stepY *= 2.0;
    ElevationGrid half(w, h, p);
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            double sum = 0.0;
            int n = 0;
            for (int y = 2 * r; y < std::min(2 * r + 2, grid.Height()); ++y)
                for (int x = 2 * c; x < std::min(2 * c + 2, grid.Width()); ++x) {
                    float v = grid.At(x, y);
                    if (!ElevationGrid::IsVoid(v)) {
                        sum += v;
                        ++n;
                    }
                }
            if (n > 0)
                half.At(c, r) = static_cast<float>(sum / n);
        }
    return half;
}

TerrainFileWriter::TerrainFileWriter(const ElevationGrid& grid, uint32_t tileSize)
    : grid_(grid), tileSize_(std::clamp(tileSize, kMinTileSize, kMaxTileSize)),
      summary_(SummaryOf(grid))
{
}

void TerrainFileWriter::SetSource(const std::string& credit, uint64_t filled)
{
    summary_.credit = credit.substr(0, Utf8CutLength(credit, kMaxCreditBytes));
    summary_.voids = SummaryOf(grid_).voids + filled;
    summary_.filled = filled;
}

std::string TerrainFileWriter::Bytes() const
{
    // The levels: the grid itself, then halves until one tile holds it.
    std::vector<ElevationGrid> overviews;
    std::vector<const ElevationGrid*> levels = {&grid_};
    while (std::max(levels.back()->Width(), levels.back()->Height()) >
           static_cast<int>(tileSize_)) {
        overviews.push_back(HalveGrid(*levels.back()));
        levels.clear();
        levels.push_back(&grid_);
        for (const ElevationGrid& o : overviews)
            levels.push_back(&o);
    }
    HillShade shade;
    size_t tileCells = static_cast<size_t>(tileSize_) * tileSize_;
    std::vector<uint64_t> offsets;
    uint64_t at =
        kHeaderBytes + kSourceBytes + summary_.credit.size() + kLevelBytes * levels.size();
    for (const ElevationGrid* g : levels) {
        uint64_t tiles = uint64_t{TilesOf(static_cast<uint32_t>(g->Width()), tileSize_)} *
                         TilesOf(static_cast<uint32_t>(g->Height()), tileSize_);
        offsets.push_back(at);
        at += tiles * tileCells * sizeof(float);
        offsets.push_back(at);
        at += tiles * tileCells;
    }

    ByteWriter out;
    out.Text().reserve(at);
    out.Bytes(kMagic, sizeof kMagic);
    out.U32(kVersion);
    out.U32(summary_.width);
    out.U32(summary_.height);
    const GridPlacement& p = grid_.Placement();
    out.F64(p.originX), out.F64(p.originY), out.F64(p.stepX), out.F64(p.stepY);
    out.F64(summary_.min), out.F64(summary_.max), out.U64(summary_.voids);
    out.U32(tileSize_);
    out.U32(static_cast<uint32_t>(levels.size()));
    out.U64(summary_.filled);
    out.U32(static_cast<uint32_t>(summary_.credit.size()));
    out.Bytes(summary_.credit.data(), summary_.credit.size());
    for (size_t i = 0; i < levels.size(); ++i) {
        out.U32(static_cast<uint32_t>(levels[i]->Width()));
        out.U32(static_cast<uint32_t>(levels[i]->Height()));
        out.U64(offsets[2 * i]);
        out.U64(offsets[2 * i + 1]);
    }
    for (const ElevationGrid* g : levels) {
        auto w = static_cast<uint32_t>(g->Width());
        auto h = static_cast<uint32_t>(g->Height());
        AppendTiles<float>(out, g->Heights().data(), w, h, tileSize_, ElevationGrid::kVoid);
        std::vector<uint8_t> shades = shade.ShadeGround(*g);
        AppendTiles<uint8_t>(out, shades.data(), w, h, tileSize_, 0);
    }
    return std::move(out.Text());
}

bool TerrainFileWriter::Write(const std::string& path, std::string& error) const
{
    if (!WriteFileAtomically(path, Bytes())) {
        error = "cannot write the terrain file " + path;
        return false;
    }
    return true;
}

} // namespace hw
