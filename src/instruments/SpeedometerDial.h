#pragma once

#include "instruments/DialGeometry.h"

#include <string>

namespace hw {

// The speedometer: one needle over a 50-tick dial of the full scale.
class SpeedometerDial {
public:
    // The needle: one turn for the full scale; below 0 and beyond the full
    // scale it stays at the scale's ends rather than wrapping round.
    static double NeedleAngle(double speed, double fullScale);
    static std::string TickLabel(int major, double fullScale);
    // The text the readout box is sized to: "-00000.00 %s", or, where that
    // box would have to shrink its font to stay clear of the scale's
    // numbers, the widest speed of the scale ("000.00 %s" for 150), which
    // the readout can show larger.
    static std::string ReadoutSizing(const DialGeometry& dial, double fullScale,
                                     const std::string& unit, const std::string (&labels)[10],
                                     const TextMeasure& measure);
    static void Draw(const DialGeometry& dial, double speed, double fullScale,
                     const std::string& unit, const GaugeColours& colours,
                     const TextMeasure& measure, DrawList& out);
};

} // namespace hw
