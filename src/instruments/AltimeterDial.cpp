#include "instruments/AltimeterDial.h"

#include "base/FormatString.h"

#include <algorithm>
#include <cmath>

namespace hw {

double AltimeterDial::HundredsAngle(double altitude)
{
    return std::fmod(altitude, 1000.0) * 0.36;
}

double AltimeterDial::ThousandsAngle(double altitude)
{
    return std::trunc(altitude) * 0.036;
}

void AltimeterDial::Draw(const DialGeometry& dial, double altitude, const std::string& unit,
                         const GaugeColours& colours, const TextMeasure& measure, DrawList& out)
{
    if (dial.Side() <= 0)
        return;
    dial.Face(colours, out);
    static const std::string labels[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    dial.FiftyTicks(labels, colours, out);
    const std::string sizing = FormatString("-00000.00 %s", unit.c_str());
    dial.Readout(FormatString("%08.2f %s", altitude, unit.c_str()), sizing, labels, colours,
                 measure, out);
    // The thousands hand first, so that the longer hundreds hand lies on top.
    DrawList hands;
    const double thousands = ThousandsAngle(altitude);
    dial.Shaft(thousands, 20, dial.ThickPen(), colours.highlight, hands);
    hands.Add(Polygon{Pen{colours.highlight, 1, PenStyle::Solid},
                      Brush{colours.highlight, false},
                      {dial.Centre(), dial.At(30, thousands - 8), dial.At(45, thousands),
                       dial.At(30, thousands + 8)}});
    const double hundreds = HundredsAngle(altitude);
    dial.Shaft(hundreds, 65, dial.MediumPen(), colours.highlight, hands);
    dial.Diamond(hundreds, 45, 75, 50, 5, colours.highlight, hands);
    // The caption steps aside where a hand would cross it.
    dial.CaptionHandsAndHub("ALT", hands, sizing, labels, colours, measure, out);
}

} // namespace hw
