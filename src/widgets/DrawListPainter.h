#pragma once

#include "base/DrawList.h"
#include "base/TextMeasure.h"
#include "widgets/WideLinePainter.h"

#include <QFont>
#include <QPolygon>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class QPainter;

namespace hw {

// Qt's font for a drawing font: the face by name, the size in points, bold,
// and no rotation (the painter turns escaped text itself).
QFont ToQFont(const Font& font);
// Measures a text as the painter draws it.
TextExtent MeasureText(const std::string& text, const Font& font);

// Paints a core drawing list with a QPainter, item by item in order. Bitmap
// cells go to the optional callback, since only the window knows its images;
// a run of cells one after another goes to it in one call (a map draws
// thousands of symbols a frame).
class DrawListPainter {
public:
    using BitmapPainter = std::function<void(QPainter&, std::span<const BitmapCell>)>;

    explicit DrawListPainter(QPainter& painter, BitmapPainter bitmaps = {})
        : p_(painter), bitmaps_(std::move(bitmaps)), wide_(painter)
    {
    }
    void Paint(const DrawList& list);
    // A part of a list, in order.
    void Paint(std::span<const DrawItem> items);
    void Paint(const DrawItem& item);

private:
    void Draw(const FillRect& item);
    void Draw(const Polyline& item);
    void Draw(const Polylines& item);
    void Draw(const Polygon& item);
    void Draw(const Ellipse& item);
    void Draw(const RoundRect& item);
    void Draw(const Text& item);
    void Draw(const BitmapCell& item);
    void DrawCells(std::span<const BitmapCell> cells);
    void Draw(const Clip& item);

    void UsePen(const Pen& pen);
    void ForgetPen();
    const QPolygon& Points(const std::vector<ScreenPoint>& points);

    QPainter& p_;
    BitmapPainter bitmaps_;
    std::optional<Pen> pen_; // the painter's pen, when set from an item
    QPolygon points_;
    std::vector<BitmapCell> cells_; // the run of cells being gathered
    WideLinePainter wide_;
};

} // namespace hw
