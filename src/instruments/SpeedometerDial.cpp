#include "instruments/SpeedometerDial.h"

#include "base/FormatString.h"
#include "base/Translate.h"

#include <algorithm>
#include <cmath>

namespace hw {

double SpeedometerDial::NeedleAngle(double speed, double fullScale)
{
    if (!(fullScale > 0) || !std::isfinite(speed))
        return 0;
    return std::clamp(speed, 0.0, fullScale) / fullScale * 360.0;
}

std::string SpeedometerDial::TickLabel(int major, double fullScale)
{
    return FormatString("%d", static_cast<int>(std::trunc(major * 5 * fullScale * 0.02)));
}

std::string SpeedometerDial::ReadoutSizing(const DialGeometry& dial, double fullScale,
                                           const std::string& unit, const std::string (&labels)[10],
                                           const TextMeasure& measure)
{
    std::string sizing = FormatString("-00000.00 %s", unit.c_str());
    if (dial.ReadoutFontClearOf(sizing, labels, measure).pointSize == dial.ReadoutFont().pointSize)
        return sizing;
    // At least three whole digits, so that a speed beyond a small scale
    // still fits its box.
    const double top = std::isfinite(fullScale) ? std::min(std::abs(fullScale), 99999.0) : 0.0;
    const std::string whole = FormatString("%.0f", std::trunc(top));
    return std::string(std::max<std::size_t>(3, whole.size()), '0') + ".00 " + unit;
}

void SpeedometerDial::Draw(const DialGeometry& dial, double speed, double fullScale,
                           const std::string& unit, const GaugeColours& colours,
                           const TextMeasure& measure, DrawList& out)
{
    if (dial.Side() <= 0)
        return;
    dial.Face(colours, out);
    std::string labels[10];
    for (int i = 0; i < 10; ++i)
        labels[i] = TickLabel(i, fullScale);
    dial.FiftyTicks(labels, colours, out);
    const std::string sizing = ReadoutSizing(dial, fullScale, unit, labels, measure);
    dial.Readout(FormatString("%.2f %s", speed, unit.c_str()), sizing, labels, colours, measure,
                 out);
    DrawList needle;
    const double a = NeedleAngle(speed, fullScale);
    dial.Shaft(a, 40, dial.MediumPen(), colours.highlight, needle);
    dial.Diamond(a, 45, 65, 50, 5, colours.highlight, needle);
    // The caption steps aside where the needle would cross it.
    dial.CaptionHandsAndHub(Translate("SpeedometerDial", "速度"), needle, sizing, labels, colours,
                            measure, out);
}

} // namespace hw
