#pragma once

#include "base/DrawList.h"

#include <QImage>
#include <QLineF>

#include <span>
#include <vector>

class QPainter;

namespace hw {

// Paints lines two or more pixels wide, round or dashed, much faster than
// the painter's general stroker, which turns every join into arcs and every
// dash into a path of its own (a map's roads spent most of a frame there).
// A round line is its straight segments with flat ends plus a disc at each
// point, which is what its round joins and ends cover; a dashed line is cut
// into its dashes (four widths on, two off, carried across the points as
// the painter's dashes are) with a disc where a dash turns a corner: a
// round join where the stroker mitres, the same at these widths. Only for
// an unturned, aliased painter; the caller keeps the others.
class WideLinePainter {
public:
    explicit WideLinePainter(QPainter& painter) : p_(painter) {}

    // Whether this painter can draw lines in this pen here.
    bool Handles(const Pen& pen) const;
    void Paint(const Pen& pen, std::span<const std::vector<ScreenPoint>> lines);

private:
    void PaintRound(const Pen& pen, std::span<const std::vector<ScreenPoint>> lines);
    void PaintDashed(const Pen& pen, std::span<const std::vector<ScreenPoint>> lines);
    // Discs of the pen's width at the points, as round joins and ends.
    void StampDiscs(const Pen& pen, const std::vector<ScreenPoint>& points);
    // The disc a round pen leaves at one point, as the painter draws it.
    const QImage& Stamp(const Pen& pen, int& centre);

    QPainter& p_;
    std::vector<QLineF> segments_;
    std::vector<ScreenPoint> corners_; // where discs go
    QImage stamp_;
    Pen stampPen_;
    qreal stampRatio_ = 0;
};

} // namespace hw
