#include "instruments/CompassDial.h"

#include "base/FormatString.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace hw {

namespace {

constexpr Colour kNeedleRed = Rgb(255, 0, 0);
constexpr Colour kNeedleBlue = Rgb(0, 0, 255);

} // namespace

double CompassDial::CardAngle(double bearing, double heading)
{
    double a = std::fmod(bearing - heading, 360.0);
    return a < 0 ? a + 360 : a;
}

void CompassDial::Draw(const DialGeometry& dial, double heading, double bearing,
                       const GaugeColours& colours, DrawList& out)
{
    if (dial.Side() <= 0)
        return;
    dial.Face(colours, out);
    Font numbers;
    numbers.face = "Tahoma";
    numbers.pointSize = -std::max(6, dial.Side() / 15);
    for (int b = 0; b < 360; b += 10) {
        const double a = CardAngle(b, heading);
        const bool major = b % 30 == 0;
        out.Add(Polyline{
            Pen{colours.highlight, major ? dial.MediumPen() : dial.ThinPen(), PenStyle::Solid},
            {dial.At(89.9, a), dial.At(major ? 83 : 86, a)}});
        if (major) {
            Font turned = numbers;
            // Escapement runs counter-clockwise; the card turns clockwise.
            turned.escapement = -static_cast<int>(std::lround(a * 10));
            dial.Label(FormatString("%d", b), dial.At(76, a), turned, colours.text, out);
        }
    }
    static const char* const kCardinal[4] = {"N", "E", "S", "W"};
    const Font large = dial.LargeFont();
    for (int i = 0; i < 4; ++i)
        dial.Label(kCardinal[i], dial.At(52, CardAngle(i * 90, heading)), large, colours.text, out);
    // The needle, in units of S × 0.008 pixels: a red head and a blue tail.
    const double unit = dial.Side() * 0.008;
    const double a = NeedleAngle(bearing, heading);
    auto polygon = [&](std::initializer_list<std::pair<double, double>> points, Colour colour) {
        Polygon p{Pen{colour, 1, PenStyle::Solid}, Brush{colour, false}, {}};
        for (const auto& [x, y] : points)
            p.points.push_back(dial.Turned(x, y, unit, a));
        out.Add(std::move(p));
    };
    polygon({{-3, 0}, {3, 0}, {3, -32}, {9, -30}, {0, -41}, {-9, -30}, {-3, -32}}, kNeedleRed);
    polygon({{-3, 32}, {3, 32}, {3, 0}, {-3, 0}}, kNeedleBlue);
    dial.Hub(colours.highlight, out);
}

} // namespace hw
