#include "map/gui/TerrainShading.h"

#include "map/MapViewport.h"
#include "map/TerrainLayer.h"

#include <QPainter>
#include <QTransform>

namespace hw {

const QImage& TerrainShading::TileImage(const TerrainDrawing::TileRef& tile)
{
    auto found = images_.find(tile);
    if (found != images_.end())
        return found->second;
    if (images_.size() >= TerrainDrawing::kMaxKeptTiles)
        images_.clear();
    QImage& image = images_[tile];
    const std::vector<uint8_t>& shades = terrain_.Shades(tile);
    const int size = static_cast<int>(terrain_.Layer().File().TileSize());
    if (shades.size() != static_cast<size_t>(size) * static_cast<size_t>(size))
        return image;
    image = QImage(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uint8_t* row = shades.data() + static_cast<size_t>(y) * static_cast<size_t>(size);
        for (int x = 0; x < size; ++x) {
            const int m = multipliers_[row[x]];
            line[x] = qRgb(m, m, m);
        }
    }
    return image;
}

void TerrainShading::Paint(QPainter& p, const MapViewport& viewport)
{
    const std::vector<TerrainDrawing::TileRef> tiles = terrain_.ShadeTiles(viewport);
    if (tiles.empty())
        return;
    const double gain = TerrainLayer::ShadeGain(TerrainDrawing::MetresPerPixel(viewport));
    if (revision_ != terrain_.Revision() || gain_ != gain) {
        images_.clear();
        revision_ = terrain_.Revision();
        gain_ = gain;
        multipliers_ =
            TerrainLayer::ShadeMultipliers(terrain_.Layer().Strength(), terrain_.Night(), gain);
    }
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    // Smooth, so that cells show neither as squares nor as grain.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setClipRect(QRect(viewport.Client().left, viewport.Client().top, viewport.Client().Width(),
                        viewport.Client().Height()));
    for (const TerrainDrawing::TileRef& tile : tiles) {
        const QImage& image = TileImage(tile);
        if (image.isNull())
            continue;
        // The tile's square onto the screen through three of its corners,
        // which also turns it with a course-up view.
        const ScreenPoint nw = viewport.GeoToScreen(tile.northWest);
        const ScreenPoint ne = viewport.GeoToScreen(tile.northEast);
        const ScreenPoint sw = viewport.GeoToScreen(tile.southWest);
        const double size = image.width();
        const QTransform onto((ne.x - nw.x) / size, (ne.y - nw.y) / size, (sw.x - nw.x) / size,
                              (sw.y - nw.y) / size, nw.x, nw.y);
        p.setTransform(onto);
        p.drawImage(0, 0, image);
    }
    p.restore();
}

} // namespace hw
