#include "instruments/VerticalSpeedDial.h"

#include "base/FormatString.h"

#include <algorithm>
#include <cmath>

namespace hw {

double VerticalSpeedDial::NeedleAngle(double verticalSpeed, double fullScale)
{
    if (!(fullScale > 0) || !std::isfinite(verticalSpeed))
        return 270;
    return 270 + std::clamp(verticalSpeed, -fullScale, fullScale) * 150.0 / fullScale;
}

std::string VerticalSpeedDial::TickLabel(int k, double fullScale)
{
    double s = fullScale * 0.0025;
    if (s < 1)
        s = fullScale * 0.25;
    const double v = k * s;
    // Steps like 1.25 keep their fraction, so that no two labels read alike.
    return v == std::trunc(v) ? FormatString("%.f", v) : FormatString("%g", v);
}

void VerticalSpeedDial::Draw(const DialGeometry& dial, double verticalSpeed, double fullScale,
                             const std::string& unit, const GaugeColours& colours, DrawList& out)
{
    if (dial.Side() <= 0)
        return;
    dial.Face(colours, out);
    const Font large = dial.LargeFont();
    const Font small = dial.SmallFont();
    for (int k = -20; k <= 20; ++k) {
        const double a = 270 + k * 7.5;
        const bool major = k % 5 == 0;
        out.Add(Polyline{
            Pen{colours.highlight, major ? dial.MediumPen() : dial.ThinPen(), PenStyle::Solid},
            {dial.At(89.9, a), dial.At(major ? 73 : 80, a)}});
        if (major)
            dial.Label(TickLabel(std::abs(k) / 5, fullScale), dial.At(63, a), large, colours.text,
                       out);
    }
    // The caption and the unit in the small font, so that neither runs into
    // the scale's numbers.
    dial.Label("垂直速度", dial.AboveCentre(small, 3), small, colours.text, out);
    dial.Label(unit, dial.AboveCentre(small, 1.6), small, colours.text, out);
    dial.Label("上", dial.At(58, 292), small, colours.text, out);
    dial.Label("Dn", dial.At(58, 248), small, colours.text, out);
    const double a = NeedleAngle(verticalSpeed, fullScale);
    // The head stops short of the scale's numbers, which it would cover at 0.
    dial.Shaft(a, 36, dial.MediumPen(), colours.highlight, out);
    dial.Diamond(a, 38, 55, 44, 6, colours.highlight, out);
    dial.Hub(colours.highlight, out);
}

} // namespace hw
