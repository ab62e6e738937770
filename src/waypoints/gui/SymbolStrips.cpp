#include "waypoints/gui/SymbolStrips.h"

#include "waypoints/WaypointSymbol.h"
#include "widgets/AppPaths.h"

#include <QBitmap>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>

namespace hw {
namespace {

// Sprites are kept by resource (120 to 130) and cell (32 a strip).
constexpr int kFirstResource = 120;
constexpr int kResources = 11;
constexpr int kCellsPerStrip = 32;

} // namespace

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
        images_.emplace(resourceId, image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return strips_.emplace(resourceId, strip).first->second;
}

QPixmap SymbolStrips::Symbol(int symbol, bool large)
{
    const BitmapCell cell = WaypointSymbol::Bitmap(symbol, large, {0, 0});
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
    Draw(p, std::span<const BitmapCell>(&cell, 1));
}

void SymbolStrips::Draw(QPainter& p, std::span<const BitmapCell> cells)
{
    const std::optional<RasterTarget> target = directCopy_ ? TargetOf(p) : std::nullopt;
    if (target &&
        (target->area.right <= target->area.left || target->area.bottom <= target->area.top))
        return; // all clipped away
    for (const BitmapCell& cell : cells) {
        const int half = cell.cellSize / 2;
        const int left = cell.centre.x - half, top = cell.centre.y - half;
        const SpanSprite* sprite = target ? Sprite(cell) : nullptr;
        if (sprite && sprite->Width() == cell.cellSize)
            sprite->Draw(target->pixels, target->stride, target->area, left + target->dx,
                         top + target->dy);
        else
            Draw(p, cell, QRect(left, top, cell.cellSize, cell.cellSize));
    }
}

const SpanSprite* SymbolStrips::Sprite(const BitmapCell& cell)
{
    const int strip = cell.resourceId - kFirstResource;
    if (strip < 0 || strip >= kResources || cell.cell < 0 || cell.cell >= kCellsPerStrip)
        return nullptr;
    const size_t index = static_cast<size_t>(strip * kCellsPerStrip + cell.cell);
    if (sprites_.empty()) {
        sprites_.resize(kResources * kCellsPerStrip);
        made_.resize(sprites_.size());
    }
    if (!made_[index]) {
        made_[index] = true;
        Strip(cell.resourceId);
        const auto it = images_.find(cell.resourceId);
        const QRect source(cell.cell * cell.cellSize, 0, cell.cellSize, cell.cellSize);
        if (it != images_.end() && it->second.rect().contains(source)) {
            const QImage& image = it->second;
            const auto* pixels = reinterpret_cast<const uint32_t*>(image.constScanLine(0));
            const int stride = static_cast<int>(image.bytesPerLine() / 4);
            sprites_[index] =
                SpanSprite(pixels + source.x(), stride, source.width(), source.height());
        }
    }
    return &sprites_[index];
}

std::optional<SymbolStrips::RasterTarget> SymbolStrips::TargetOf(QPainter& p)
{
    // Only a plain raster image, painted unscaled and unblended, takes the
    // copy; anything else is left to the painter.
    QPaintEngine* engine = p.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return std::nullopt;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    if (image->format() != QImage::Format_RGB32 &&
        image->format() != QImage::Format_ARGB32_Premultiplied)
        return std::nullopt;
    const QTransform& t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate || p.opacity() < 1.0 ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver)
        return std::nullopt;
    const int dx = qRound(t.dx()), dy = qRound(t.dy());
    if (dx != t.dx() || dy != t.dy())
        return std::nullopt;
    QRect area = image->rect();
    const QRegion system = engine->systemClip();
    if (!system.isEmpty()) {
        if (system.rectCount() != 1)
            return std::nullopt;
        area &= system.boundingRect();
    }
    if (p.hasClipping()) {
        const QRegion clip = p.clipRegion();
        if (clip.rectCount() > 1)
            return std::nullopt;
        area &= clip.boundingRect().translated(dx, dy);
    }
    RasterTarget target;
    target.pixels = reinterpret_cast<uint32_t*>(image->bits());
    target.stride = static_cast<int>(image->bytesPerLine() / 4);
    if (!area.isEmpty())
        target.area = {area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    target.dx = dx;
    target.dy = dy;
    return target;
}

void SymbolStrips::Draw(QPainter& p, const BitmapCell& cell, const QRect& target)
{
    const QPixmap& strip = Strip(cell.resourceId);
    if (strip.isNull())
        return;
    p.drawPixmap(target, strip, QRect(cell.cell * cell.cellSize, 0, cell.cellSize, cell.cellSize));
}

} // namespace hw
