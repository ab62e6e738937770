#include "map/gui/SymbolStrips.h"

#include "map/WaypointLayer.h"
#include "shell/gui/AppPaths.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

namespace hw {

SymbolStrips& SymbolStrips::Shared()
{
    static SymbolStrips strips;
    return strips;
}

const QPixmap& SymbolStrips::Strip(int resourceId)
{
    auto it = strips_.find(resourceId);
    if (it != strips_.end())
        return it->second;
    QImage image(AppPaths::DataFile(QStringLiteral("images/symbols-%1.png").arg(resourceId)));
    QPixmap strip;
    if (!image.isNull()) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb magenta = qRgb(255, 0, 255);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0xFFFFFF) == (magenta & 0xFFFFFF))
                    line[x] = 0;
            }
        }
        strip = QPixmap::fromImage(image);
    }
    return strips_.emplace(resourceId, strip).first->second;
}

QPixmap SymbolStrips::Symbol(int symbol, bool large)
{
    const BitmapCell cell = WaypointLayer::SymbolBitmap(symbol, large, {0, 0});
    return Cell(cell.resourceId, cell.cell, cell.cellSize);
}

QPixmap SymbolStrips::Cell(int resourceId, int cell, int cellSize)
{
    const QPixmap& strip = Strip(resourceId);
    if (strip.isNull())
        return {};
    return strip.copy(cell * cellSize, 0, cellSize, cellSize);
}

void SymbolStrips::Draw(QPainter& p, const BitmapCell& cell)
{
    const int half = cell.cellSize / 2;
    Draw(p, cell, QRect(cell.centre.x - half, cell.centre.y - half, cell.cellSize, cell.cellSize));
}

void SymbolStrips::Draw(QPainter& p, const BitmapCell& cell, const QRect& target)
{
    const QPixmap& strip = Strip(cell.resourceId);
    if (strip.isNull())
        return;
    p.drawPixmap(target, strip, QRect(cell.cell * cell.cellSize, 0, cell.cellSize, cell.cellSize));
}

} // namespace hw
