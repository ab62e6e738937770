#include "base/TextMeasure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hw {
namespace {

int Place(int anchor, int extent, int align)
{
    if (align == 1)
        return anchor - extent / 2;
    if (align == 2)
        return anchor - extent;
    return anchor;
}

// The smallest box holding the points, each point a pixel.
template <class Points> ScreenRect PointsBounds(const Points& points)
{
    if (points.empty())
        return {};
    ScreenRect box{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                   std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};
    for (const ScreenPoint& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x + 1);
        box.bottom = std::max(box.bottom, p.y + 1);
    }
    return box;
}

} // namespace

TextExtent EstimateTextExtent(const std::string& text, const Font& font)
{
    const double px = (font.pointSize > 0 ? font.pointSize * 96.0 / 72 : -font.pointSize);
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
            width += px * 0.6;
        else if (c >= 0xE0)
            width += px; // the lead byte of a wide character
        else if (c >= 0xC0)
            width += px * 0.6;
    }
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(px * 1.3))};
}

ScreenRect AlignedTextBox(ScreenPoint anchor, TextExtent extent, HAlign hAlign, VAlign vAlign)
{
    const int left = Place(anchor.x, extent.width, static_cast<int>(hAlign));
    const int top = Place(anchor.y, extent.height, static_cast<int>(vAlign));
    return {left, top, left + extent.width, top + extent.height};
}

ScreenRect TextBox(const Text& text, const TextMeasure& measure)
{
    const TextExtent extent = measure ? measure(text.text, text.font) : TextExtent{};
    const ScreenRect own = AlignedTextBox({0, 0}, extent, text.hAlign, text.vAlign);
    if (text.font.escapement == 0)
        return {own.left + text.anchor.x, own.top + text.anchor.y, own.right + text.anchor.x,
                own.bottom + text.anchor.y};
    // Turned counter-clockwise about the anchor, as the painter turns it.
    const double a = -text.font.escapement / 10.0 * 3.14159265358979323846 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    std::vector<ScreenPoint> corners;
    for (int u : {own.left, own.right})
        for (int v : {own.top, own.bottom})
            corners.push_back({text.anchor.x + static_cast<int>(std::lround(u * c - v * s)),
                               text.anchor.y + static_cast<int>(std::lround(u * s + v * c))});
    ScreenRect box = PointsBounds(corners);
    // The corners are edges, not pixels.
    return {box.left, box.top, box.right - 1, box.bottom - 1};
}

ScreenRect ItemBounds(const DrawItem& item, const TextMeasure& measure)
{
    if (const Text* text = std::get_if<Text>(&item))
        return TextBox(*text, measure);
    if (const Polyline* line = std::get_if<Polyline>(&item))
        return PointsBounds(line->points);
    if (const Polygon* polygon = std::get_if<Polygon>(&item))
        return PointsBounds(polygon->points);
    if (const FillRect* fill = std::get_if<FillRect>(&item))
        return fill->rect;
    if (const Ellipse* ellipse = std::get_if<Ellipse>(&item))
        return ellipse->bounds;
    if (const RoundRect* round = std::get_if<RoundRect>(&item))
        return round->rect;
    if (const BitmapCell* cell = std::get_if<BitmapCell>(&item)) {
        const int half = cell->cellSize / 2;
        return {cell->centre.x - half, cell->centre.y - half,
                cell->centre.x - half + cell->cellSize, cell->centre.y - half + cell->cellSize};
    }
    if (const Polylines* lines = std::get_if<Polylines>(&item)) {
        std::vector<ScreenPoint> all;
        for (const auto& line : lines->lines)
            all.insert(all.end(), line.begin(), line.end());
        return PointsBounds(all);
    }
    return {};
}

} // namespace hw
