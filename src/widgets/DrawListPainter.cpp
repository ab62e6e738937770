#include "widgets/DrawListPainter.h"

#include "widgets/ThemeColour.h"

#include <QPainter>
#include <QPolygon>

namespace hw {
namespace {

QPen ToQPen(const Pen& pen)
{
    if (pen.style == PenStyle::None)
        return Qt::NoPen;
    QPen q(ToQColor(pen.colour));
    q.setWidth(std::max(1, pen.width));
    q.setStyle(pen.style == PenStyle::Dash ? Qt::DashLine : Qt::SolidLine);
    q.setCapStyle(pen.round ? Qt::RoundCap : Qt::FlatCap);
    q.setJoinStyle(pen.round ? Qt::RoundJoin : Qt::MiterJoin);
    return q;
}

QBrush ToQBrush(const Brush& brush)
{
    return brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.colour));
}

} // namespace

QFont ToQFont(const Font& font)
{
    QFont q(QString::fromStdString(font.face));
    if (font.pointSize < 0)
        q.setPixelSize(-font.pointSize);
    else
        q.setPointSize(std::max(1, font.pointSize));
    q.setBold(font.bold);
    return q;
}

TextExtent MeasureText(const std::string& text, const Font& font)
{
    const QFontMetrics metrics(ToQFont(font));
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

void DrawListPainter::Paint(const DrawList& list)
{
    Paint(std::span<const DrawItem>(list.Items()));
}

void DrawListPainter::Paint(std::span<const DrawItem> items)
{
    for (size_t i = 0; i < items.size();) {
        if (!std::holds_alternative<BitmapCell>(items[i])) {
            Paint(items[i++]);
            continue;
        }
        cells_.clear();
        for (; i < items.size(); ++i) {
            const auto* cell = std::get_if<BitmapCell>(&items[i]);
            if (!cell)
                break;
            cells_.push_back(*cell);
        }
        DrawCells(cells_);
    }
    p_.setClipping(false);
    pen_.reset();
}

void DrawListPainter::UsePen(const Pen& pen)
{
    // Runs of items in one pen are common (grid, roads): set it once.
    if (pen_ && *pen_ == pen)
        return;
    p_.setPen(ToQPen(pen));
    pen_ = pen;
}

const QPolygon& DrawListPainter::Points(const std::vector<ScreenPoint>& points)
{
    // One buffer for every line: no allocation once it has grown.
    const int n = static_cast<int>(points.size());
    points_.resize(n);
    for (int i = 0; i < n; ++i)
        points_[i] = QPoint(points[static_cast<size_t>(i)].x, points[static_cast<size_t>(i)].y);
    return points_;
}

void DrawListPainter::ForgetPen()
{
    pen_.reset();
}

void DrawListPainter::Paint(const DrawItem& item)
{
    std::visit([this](const auto& i) { Draw(i); }, item);
}

void DrawListPainter::Draw(const FillRect& item)
{
    p_.fillRect(ToQRect(item.rect), ToQColor(item.colour));
}

void DrawListPainter::Draw(const Polyline& item)
{
    if (wide_.Handles(item.pen)) {
        wide_.Paint(item.pen, std::span<const std::vector<ScreenPoint>>(&item.points, 1));
        ForgetPen();
        return;
    }
    UsePen(item.pen);
    p_.drawPolyline(Points(item.points));
}

void DrawListPainter::Draw(const Polylines& item)
{
    if (wide_.Handles(item.pen)) {
        wide_.Paint(item.pen, item.lines);
        ForgetPen();
        return;
    }
    UsePen(item.pen);
    for (const std::vector<ScreenPoint>& line : item.lines)
        p_.drawPolyline(Points(line));
}

void DrawListPainter::Draw(const Polygon& item)
{
    UsePen(item.pen);
    p_.setBrush(ToQBrush(item.brush));
    p_.drawPolygon(Points(item.points));
}

void DrawListPainter::Draw(const Ellipse& item)
{
    UsePen(item.pen);
    p_.setBrush(ToQBrush(item.brush));
    const ScreenRect& r = item.bounds;
    p_.drawEllipse(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
}

void DrawListPainter::Draw(const RoundRect& item)
{
    UsePen(item.pen);
    p_.setBrush(ToQBrush(item.brush));
    const ScreenRect& r = item.rect;
    const qreal radius = item.cornerDiameter / 2.0;
    p_.drawRoundedRect(QRectF(r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1), radius,
                       radius);
}

void DrawListPainter::Draw(const Text& item)
{
    const QFont font = ToQFont(item.font);
    const QFontMetrics metrics(font);
    const QString text = QString::fromStdString(item.text);
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    p_.save();
    p_.setFont(font);
    p_.translate(item.anchor.x, item.anchor.y);
    if (item.font.escapement != 0)
        p_.rotate(-item.font.escapement / 10.0);
    const QRect box = ToQRect(AlignedTextBox({0, 0}, {w, h}, item.hAlign, item.vAlign));
    if (item.opaque)
        p_.fillRect(box, ToQColor(item.background));
    p_.setPen(ToQColor(item.colour));
    p_.drawText(box.left(), box.top() + metrics.ascent(), text);
    p_.restore();
    ForgetPen();
}

void DrawListPainter::Draw(const BitmapCell& item)
{
    DrawCells(std::span<const BitmapCell>(&item, 1));
}

void DrawListPainter::DrawCells(std::span<const BitmapCell> cells)
{
    if (bitmaps_)
        bitmaps_(p_, cells);
    ForgetPen(); // the callback may change the pen
}

void DrawListPainter::Draw(const Clip& item)
{
    if (item.rect.Width() <= 0 || item.rect.Height() <= 0)
        p_.setClipping(false);
    else
        p_.setClipRect(ToQRect(item.rect));
}

} // namespace hw
