#pragma once

#include "base/DrawList.h"

#include <QPixmap>

#include <map>

class QPainter;

namespace hw {

// The waypoint symbol strips (bitmap resources 120 to 130): 32 cells each, 15
// or 30 pixels, magenta transparent. Loaded once from the data folder; a
// missing strip draws nothing.
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
    // Draws a cell into a target rectangle (stretched).
    void Draw(QPainter& p, const BitmapCell& cell, const QRect& target);

private:
    std::map<int, QPixmap> strips_;
};

} // namespace hw
