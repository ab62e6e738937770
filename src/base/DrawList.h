#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace hw {

// A colour as the handheld stored it: COLORREF 0x00BBGGRR.
using Colour = uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// Truncates toward zero into a pixel coordinate. Values far beyond any
// screen are limited and NaN becomes 0, so nothing undefined reaches the
// painter.
inline constexpr double kPixelLimit = 268435456.0; // 2^28
inline int TruncToPixel(double v)
{
    if (!(v == v))
        return 0;
    if (v > kPixelLimit)
        return static_cast<int>(kPixelLimit);
    if (v < -kPixelLimit)
        return -static_cast<int>(kPixelLimit);
    return static_cast<int>(v);
}

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// A rectangle with exclusive right and bottom edges, as window client
// rectangles are.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(ScreenPoint p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    ScreenRect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
    // Whether the two share a pixel.
    bool Intersects(const ScreenRect& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

enum class PenStyle { Solid, Dash, None };

struct Pen {
    Colour colour = 0;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    bool round = false; // round ends and joins (roads), else flat and mitred
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A fill; hollow shapes are only outlined.
struct Brush {
    Colour colour = 0;
    bool hollow = false;
    static Brush Hollow() { return {0, true}; }
};

struct Font {
    std::string face = "Tahoma";
    int pointSize = 7; // below 0: the height in pixels, as the platform's fonts take it
    bool bold = false;
    int escapement = 0; // tenths of a degree, counter-clockwise; 900 writes upward
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };

// Drawing items. Coordinates are client pixels, y downward.
struct FillRect {
    ScreenRect rect;
    Colour colour = 0;
};

struct Polyline {
    Pen pen;
    std::vector<ScreenPoint> points;
};

// Many lines in one pen (a road class), painted with one pen change.
struct Polylines {
    Pen pen;
    std::vector<std::vector<ScreenPoint>> lines;
};

struct Polygon {
    Pen pen;
    Brush brush;
    std::vector<ScreenPoint> points;
};

struct Ellipse {
    Pen pen;
    Brush brush;
    ScreenRect bounds;
};

struct RoundRect {
    Pen pen;
    Brush brush;
    ScreenRect rect;
    int cornerDiameter = 0;
};

// Text placed by an anchor: the alignments say which point of the text's box
// (in the text's own direction) sits on the anchor. With an opaque
// background the box is filled with the background colour first.
struct Text {
    std::string text;
    ScreenPoint anchor;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    Font font;
    Colour colour = 0;
    bool opaque = false;
    Colour background = Rgb(255, 255, 255);
};

// One cell of a bitmap strip, drawn centred on a point; magenta is
// transparent.
struct BitmapCell {
    int resourceId = 0;
    int cell = 0;
    int cellSize = 0;
    ScreenPoint centre;
};

// Restricts the following items to a rectangle; an empty rectangle lifts the
// restriction.
struct Clip {
    ScreenRect rect;
};

using DrawItem = std::variant<FillRect, Polyline, Polylines, Polygon, Ellipse, RoundRect, Text,
                              BitmapCell, Clip>;

// What a window draws, in order, computed by the core so that the painter
// only paints.
class DrawList {
public:
    template <class Item> void Add(Item item) { items_.emplace_back(std::move(item)); }
    const std::vector<DrawItem>& Items() const { return items_; }
    void Clear() { items_.clear(); }

    // The items of one kind, in order (for readers that only want those).
    template <class Item> std::vector<const Item*> All() const
    {
        std::vector<const Item*> result;
        for (const DrawItem& item : items_) {
            if (const Item* p = std::get_if<Item>(&item))
                result.push_back(p);
        }
        return result;
    }

private:
    std::vector<DrawItem> items_;
};

} // namespace hw
