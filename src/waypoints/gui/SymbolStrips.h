#pragma once

#include "base/DrawList.h"
#include "base/SpanSprite.h"

#include <QPixmap>

#include <map>
#include <optional>
#include <span>
#include <vector>

class QPainter;

namespace hw {

// The waypoint symbol strips (bitmap resources 120 to 130): 32 cells each, 15
// or 30 pixels, magenta transparent. Loaded once from the data folder; a
// missing strip draws nothing. Cells drawn at their own size into a raster
// image go straight into its pixels, as runs of opaque pixels: the map draws
// thousands a frame.
class SymbolStrips {
public:
    static SymbolStrips& Shared();

    // The strip of a resource with magenta made transparent; null when missing.
    const QPixmap& Strip(int resourceId);
    // One cell of a strip, null when missing.
    QPixmap Cell(int resourceId, int cell, int cellSize);
    // The image of a waypoint symbol (15 or 30 pixels); null when missing.
    QPixmap Symbol(int symbol, bool large);
    // Draws a cell centred on its point.
    void Draw(QPainter& p, const BitmapCell& cell);
    // Draws a run of cells, in order, each centred on its point: the target
    // is looked at once for the whole run.
    void Draw(QPainter& p, std::span<const BitmapCell> cells);
    // Draws a cell into a target rectangle (stretched).
    void Draw(QPainter& p, const BitmapCell& cell, const QRect& target);
    // Whether cells may be copied straight into the painter's image (on
    // unless turned off, to compare with the painter's own drawing).
    void SetDirectCopy(bool on) { directCopy_ = on; }

private:
    // The pixels a painter paints into, when cells may be copied there.
    struct RasterTarget {
        uint32_t* pixels = nullptr;
        int stride = 0;
        SpanSprite::Area area; // clip, in device pixels
        int dx = 0, dy = 0;    // the painter's translation
    };
    static std::optional<RasterTarget> TargetOf(QPainter& p);
    const SpanSprite* Sprite(const BitmapCell& cell);

    std::map<int, QPixmap> strips_;
    std::map<int, QImage> images_;    // the strips as premultiplied pixels
    std::vector<SpanSprite> sprites_; // by resource and cell, empty until made
    std::vector<bool> made_;
    bool directCopy_ = true;
};

} // namespace hw
