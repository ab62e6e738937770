#include "map/gui/TerrainShading.h"

#include "geo/MapViewport.h"
#include "terrain/ShadeMultiply.h"
#include "terrain/TerrainLayer.h"

#include <QImage>

#include <algorithm>

namespace hw {

const std::vector<uint8_t>& TerrainShading::TileMultipliers(const TerrainDrawing::TileRef& tile)
{
    auto found = tiles_.find(tile);
    if (found != tiles_.end())
        return found->second;
    std::vector<uint8_t>& cells = tiles_[tile];
    const std::vector<uint8_t> shades = terrain_.ShadesAround(tile);
    cells.resize(shades.size());
    std::transform(shades.begin(), shades.end(), cells.begin(),
                   [this](uint8_t shade) { return multipliers_[shade]; });
    return cells;
}

void TerrainShading::Paint(QImage& picture, const MapViewport& viewport)
{
    const std::vector<TerrainDrawing::TileRef> tiles = terrain_.ShadeTiles(viewport);
    if (tiles.empty() || (picture.format() != QImage::Format_RGB32 &&
                          picture.format() != QImage::Format_ARGB32_Premultiplied))
        return;
    const double gain = TerrainLayer::ShadeGain(TerrainDrawing::MetresPerPixel(viewport));
    if (revision_ != terrain_.Revision() || gain_ != gain) {
        tiles_.clear();
        revision_ = terrain_.Revision();
        gain_ = gain;
        multipliers_ =
            TerrainLayer::ShadeMultipliers(terrain_.Layer().Strength(), terrain_.Night(), gain);
    }
    // A simple bound, kept once before the tiles of this view are looked
    // up, as the picture holds on to all of their cells.
    if (tiles_.size() + tiles.size() > TerrainDrawing::kMaxKeptTiles)
        tiles_.clear();
    // Each tile's square onto the picture through three of its corners,
    // which also turns it with a course-up view.
    const double ratio = picture.devicePixelRatio();
    const double size = terrain_.Layer().File().TileSize();
    std::vector<ShadeTileOnPicture> placed;
    for (const TerrainDrawing::TileRef& tile : tiles) {
        const std::vector<uint8_t>& cells = TileMultipliers(tile);
        if (cells.empty())
            continue;
        const ScreenPoint nw = viewport.GeoToScreen(tile.northWest);
        const ScreenPoint ne = viewport.GeoToScreen(tile.northEast);
        const ScreenPoint sw = viewport.GeoToScreen(tile.southWest);
        placed.push_back({cells.data(), static_cast<int>(size), nw.x * ratio, nw.y * ratio,
                          (ne.x - nw.x) * ratio / size, (ne.y - nw.y) * ratio / size,
                          (sw.x - nw.x) * ratio / size, (sw.y - nw.y) * ratio / size});
    }
    const ScreenRect& client = viewport.Client();
    const auto scaled = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    ShadeMultiply::Apply(
        {reinterpret_cast<uint32_t*>(picture.bits()), picture.width(), picture.height(),
         picture.bytesPerLine() / 4},
        {scaled(client.left), scaled(client.top), scaled(client.right), scaled(client.bottom)},
        placed);
}

} // namespace hw
