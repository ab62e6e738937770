#include "instruments/DialGeometry.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Fonts are asked for by pixel height (negative point size).
Font PixelFont(int pixels)
{
    Font f;
    f.face = "Tahoma";
    f.pointSize = -std::max(1, pixels);
    return f;
}

} // namespace

DialGeometry::DialGeometry(const ScreenRect& rect)
{
    const ScreenRect r{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    side_ = std::max(0, std::min(r.Width(), r.Height()));
    const int left = r.left + (r.Width() - side_) / 2;
    const int top = r.top + (r.Height() - side_) / 2;
    square_ = {left, top, left + side_, top + side_};
    cx_ = left + side_ / 2;
    cy_ = top + side_ / 2;
}

ScreenPoint DialGeometry::At(double percent, double degrees) const
{
    const double r = side_ / 2.0 * percent / 100.0;
    const double a = degrees * kRadiansPerDegree;
    return {cx_ + TruncToPixel(std::round(r * std::sin(a))),
            cy_ - TruncToPixel(std::round(r * std::cos(a)))};
}

ScreenPoint DialGeometry::Turned(double x, double y, double unit, double degrees) const
{
    const double a = degrees * kRadiansPerDegree;
    const double c = std::cos(a), s = std::sin(a);
    return {cx_ + TruncToPixel(std::round((x * c - y * s) * unit)),
            cy_ + TruncToPixel(std::round((x * s + y * c) * unit))};
}

ScreenPoint DialGeometry::AboveCentre(const Font& font, double heights) const
{
    // Dial fonts are made by pixel height: a negative point size.
    const int height = font.pointSize < 0 ? -font.pointSize : font.pointSize;
    return {cx_, cy_ - static_cast<int>(std::lround(height * heights))};
}

int DialGeometry::ThinPen() const
{
    return std::max(1, side_ / 80);
}
int DialGeometry::MediumPen() const
{
    return std::max(1, side_ / 50);
}
int DialGeometry::ThickPen() const
{
    return std::max(1, side_ / 20);
}

Font DialGeometry::LargeFont() const
{
    return PixelFont(std::max(side_, 60) / 10);
}

Font DialGeometry::ReadoutFont() const
{
    return PixelFont(std::max(side_, 60) * 13 / 200);
}

Font DialGeometry::SmallFont() const
{
    return PixelFont(std::max(side_ / 2, 60) / 10);
}

void DialGeometry::Face(const GaugeColours& colours, DrawList& out) const
{
    out.Add(
        Ellipse{Pen{colours.highlight, 1, PenStyle::Solid}, Brush{colours.face, false}, square_});
}

void DialGeometry::FiftyTicks(const std::string (&labels)[10], const GaugeColours& colours,
                              DrawList& out) const
{
    const Font font = LargeFont();
    for (int i = 0; i < 50; ++i) {
        const double a = i * 7.2;
        const bool major = i % 5 == 0;
        out.Add(Polyline{Pen{colours.highlight, major ? MediumPen() : ThinPen(), PenStyle::Solid},
                         {At(89.9, a), At(major ? 73 : 80, a)}});
        if (major)
            Label(labels[i / 5], At(63, a), font, colours.text, out);
    }
}

void DialGeometry::Shaft(double degrees, double toPercent, int width, Colour colour,
                         DrawList& out) const
{
    out.Add(Polyline{Pen{colour, width, PenStyle::Solid}, {Centre(), At(toPercent, degrees)}});
}

void DialGeometry::Diamond(double degrees, double fromPercent, double toPercent, double widePercent,
                           double halfDegrees, Colour colour, DrawList& out) const
{
    out.Add(Polygon{Pen{colour, 1, PenStyle::Solid},
                    Brush{colour, false},
                    {At(fromPercent, degrees), At(widePercent, degrees - halfDegrees),
                     At(toPercent, degrees), At(widePercent, degrees + halfDegrees)}});
}

void DialGeometry::Label(const std::string& text, ScreenPoint at, const Font& font, Colour colour,
                         DrawList& out) const
{
    out.Add(Text{text, at, HAlign::Centre, VAlign::Centre, font, colour, false, 0});
}

std::vector<ScreenRect> DialGeometry::ScaleLabelBoxes(const std::string (&labels)[10],
                                                      const TextMeasure& measure) const
{
    const Font font = LargeFont();
    std::vector<ScreenRect> boxes;
    for (int i = 0; i < 10; ++i) {
        const ScreenPoint at = At(63, i * 36.0);
        const TextExtent e = measure ? measure(labels[i], font) : TextExtent{};
        const int left = at.x - e.width / 2, top = at.y - e.height / 2;
        boxes.push_back({left, top, left + e.width, top + e.height});
    }
    return boxes;
}

ScreenRect DialGeometry::ReadoutBox(const std::string& sizing, const Font& font,
                                    const TextMeasure& measure) const
{
    const ScreenPoint at = AboveCentre(LargeFont(), -1.5);
    const TextExtent e = measure ? measure(sizing, font) : TextExtent{};
    const int w = e.width + 6, h = e.height + 2;
    return {at.x - w / 2, at.y - h / 2, at.x - w / 2 + w, at.y - h / 2 + h};
}

Font DialGeometry::ReadoutFontClearOf(const std::string& sizing, const std::string (&labels)[10],
                                      const TextMeasure& measure) const
{
    const std::vector<ScreenRect> labelBoxes = ScaleLabelBoxes(labels, measure);
    Font font = ReadoutFont();
    // One pixel of air between the box and a label; no smaller than 6 pixels.
    const auto clear = [&] {
        const ScreenRect box = ReadoutBox(sizing, font, measure).Grown(1);
        for (const ScreenRect& label : labelBoxes)
            if (box.Intersects(label))
                return false;
        return true;
    };
    while (font.pointSize < -6 && !clear())
        ++font.pointSize;
    return font;
}

void DialGeometry::Readout(const std::string& text, const std::string& sizing,
                           const std::string (&labels)[10], const GaugeColours& colours,
                           const TextMeasure& measure, DrawList& out) const
{
    const Font font = ReadoutFontClearOf(sizing, labels, measure);
    const ScreenRect box = ReadoutBox(sizing, font, measure);
    out.Add(Polygon{Pen{colours.highlight, 1, PenStyle::Solid},
                    Brush{colours.face, false},
                    {{box.left, box.top},
                     {box.right, box.top},
                     {box.right, box.bottom},
                     {box.left, box.bottom}}});
    Label(text, {box.left + box.Width() / 2, box.top + box.Height() / 2}, font, colours.text, out);
}

std::vector<TextObstacle> DialGeometry::LinesOf(const DrawList& drawing)
{
    std::vector<TextObstacle> lines;
    for (const Polyline* line : drawing.All<Polyline>())
        for (size_t i = 1; i < line->points.size(); ++i)
            lines.push_back(
                TextObstacle::Line(line->points[i - 1], line->points[i], line->pen.width));
    for (const Polygon* shape : drawing.All<Polygon>())
        for (size_t i = 0; i < shape->points.size(); ++i)
            lines.push_back(TextObstacle::Line(
                shape->points[i], shape->points[(i + 1) % shape->points.size()], shape->pen.width));
    return lines;
}

DialGeometry::CaptionPlace DialGeometry::PlaceCaption(const std::string& text,
                                                      const DrawList& hands,
                                                      const std::vector<ScreenRect>& keepClear,
                                                      const TextMeasure& measure) const
{
    std::vector<TextObstacle> obstacles = LinesOf(hands);
    for (const ScreenRect& r : keepClear)
        obstacles.push_back(TextObstacle::Box(r));
    // Inside the inner ends of the ticks (73 % of the radius), with air.
    const TextRoom room{square_, Centre(), side_ / 2.0 * 0.70};
    const Font large = LargeFont();
    const ScreenPoint at = AboveCentre(large, kCaptionHeights);
    const auto boxIn = [&](const Font& font) {
        const TextExtent e = measure ? measure(text, font) : TextExtent{};
        return AlignedTextBox(at, e, HAlign::Centre, VAlign::Centre);
    };
    for (Font font = large; font.pointSize <= -6; ++font.pointSize) {
        const ScreenRect box = boxIn(font);
        if (const std::optional<ScreenPoint> shift =
                LeastClearingShift(box, obstacles, room, 1, std::max(1, side_ / 2)))
            return {{box.left + shift->x, box.top + shift->y, box.right + shift->x,
                     box.bottom + shift->y},
                    font};
    }
    return {boxIn(large), large}; // nowhere clear: where it stands
}

void DialGeometry::Caption(const std::string& text, const DrawList& hands,
                           const std::vector<ScreenRect>& keepClear, const GaugeColours& colours,
                           const TextMeasure& measure, DrawList& out) const
{
    const CaptionPlace place = PlaceCaption(text, hands, keepClear, measure);
    Label(text, {place.box.left + place.box.Width() / 2, place.box.top + place.box.Height() / 2},
          place.font, colours.text, out);
}

void DialGeometry::CaptionHandsAndHub(const std::string& caption, const DrawList& hands,
                                      const std::string& sizing, const std::string (&labels)[10],
                                      const GaugeColours& colours, const TextMeasure& measure,
                                      DrawList& out) const
{
    std::vector<ScreenRect> keepClear = ScaleLabelBoxes(labels, measure);
    keepClear.push_back(ReadoutBox(sizing, ReadoutFontClearOf(sizing, labels, measure), measure));
    Caption(caption, hands, keepClear, colours, measure, out);
    for (const DrawItem& item : hands.Items())
        out.Add(item);
    Hub(colours.highlight, out);
}

void DialGeometry::Hub(Colour colour, DrawList& out) const
{
    const int r = std::max(2, side_ / 40);
    out.Add(Ellipse{Pen{colour, 1, PenStyle::Solid},
                    Brush{colour, false},
                    {cx_ - r, cy_ - r, cx_ + r + 1, cy_ + r + 1}});
}

} // namespace hw
