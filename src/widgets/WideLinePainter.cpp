#include "widgets/WideLinePainter.h"

#include "widgets/ThemeColour.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace hw {
namespace {

// The painter's dash line: four widths drawn, two left out.
constexpr qreal kDashOn = 4;
constexpr qreal kDashOff = 2;

QPointF ToPoint(ScreenPoint p)
{
    return QPointF(p.x, p.y);
}

QPen FlatPen(const Pen& pen)
{
    return QPen(ToQColor(pen.colour), pen.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

} // namespace

bool WideLinePainter::Handles(const Pen& pen) const
{
    if (pen.width < 2)
        return false;
    const bool round = pen.style == PenStyle::Solid && pen.round;
    const bool dashed = pen.style == PenStyle::Dash && !pen.round;
    if (!round && !dashed)
        return false;
    // Discs are stamped pixel for pixel: only where a pixel of the line is
    // a whole number of the device's pixels and nothing turns or smooths.
    const qreal ratio = p_.device() ? p_.device()->devicePixelRatio() : 1.0;
    return !p_.testRenderHint(QPainter::Antialiasing) &&
           p_.worldTransform().type() <= QTransform::TxTranslate && ratio == std::floor(ratio);
}

void WideLinePainter::Paint(const Pen& pen, std::span<const std::vector<ScreenPoint>> lines)
{
    if (pen.style == PenStyle::Dash)
        PaintDashed(pen, lines);
    else
        PaintRound(pen, lines);
}

void WideLinePainter::PaintRound(const Pen& pen, std::span<const std::vector<ScreenPoint>> lines)
{
    segments_.clear();
    for (const std::vector<ScreenPoint>& line : lines)
        for (std::size_t i = 1; i < line.size(); ++i)
            if (!(line[i] == line[i - 1]))
                segments_.emplace_back(ToPoint(line[i - 1]), ToPoint(line[i]));
    p_.setPen(FlatPen(pen));
    p_.drawLines(segments_.data(), static_cast<int>(segments_.size()));
    corners_.clear();
    for (const std::vector<ScreenPoint>& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i)
            if (i == 0 || !(line[i] == line[i - 1]))
                corners_.push_back(line[i]);
    StampDiscs(pen, corners_);
}

void WideLinePainter::StampDiscs(const Pen& pen, const std::vector<ScreenPoint>& points)
{
    int centre = 0;
    const QImage& stamp = Stamp(pen, centre);
    // A disc wholly outside the window leaves nothing: those are skipped.
    const QRect window = p_.window().adjusted(-centre, -centre, centre, centre);
    const QPoint shift = p_.worldTransform().map(QPoint(0, 0));
    for (const ScreenPoint& point : points)
        if (window.contains(QPoint(point.x, point.y) + shift))
            p_.drawImage(QPoint(point.x - centre, point.y - centre), stamp);
}

void WideLinePainter::PaintDashed(const Pen& pen, std::span<const std::vector<ScreenPoint>> lines)
{
    segments_.clear();
    corners_.clear();
    const qreal on = kDashOn * pen.width, off = kDashOff * pen.width;
    for (const std::vector<ScreenPoint>& line : lines) {
        // Each line starts with a whole dash, as the painter starts each
        // polyline it strokes.
        bool drawn = true;
        qreal left = on;
        for (std::size_t i = 1; i < line.size(); ++i) {
            const QPointF a = ToPoint(line[i - 1]), b = ToPoint(line[i]);
            const qreal length = std::hypot(b.x() - a.x(), b.y() - a.y());
            if (length == 0)
                continue;
            if (drawn && left < on)
                corners_.push_back(line[i - 1]); // a dash turns here
            QPointF from = a;
            qreal at = 0;
            while (length - at >= left) {
                at += left;
                const QPointF cut = a + (b - a) * (at / length);
                if (drawn)
                    segments_.emplace_back(from, cut);
                from = cut;
                drawn = !drawn;
                left = drawn ? on : off;
            }
            left -= length - at;
            if (drawn && at < length)
                segments_.emplace_back(from, b);
        }
    }
    p_.setPen(FlatPen(pen));
    p_.drawLines(segments_.data(), static_cast<int>(segments_.size()));
    StampDiscs(pen, corners_);
}

const QImage& WideLinePainter::Stamp(const Pen& pen, int& centre)
{
    centre = pen.width / 2 + 1;
    const qreal ratio = p_.device() ? p_.device()->devicePixelRatio() : 1.0;
    if (!stamp_.isNull() && stampPen_ == pen && stampRatio_ == ratio)
        return stamp_;
    const int side = 2 * centre + 1;
    stamp_ = QImage(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    stamp_.setDevicePixelRatio(ratio);
    stamp_.fill(Qt::transparent);
    QPainter q(&stamp_);
    q.setPen(QPen(ToQColor(pen.colour), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    q.drawPoint(QPoint(centre, centre));
    q.end();
    stampPen_ = pen;
    stampRatio_ = ratio;
    return stamp_;
}

} // namespace hw
