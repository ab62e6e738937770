#pragma once

#include "instruments/DialGeometry.h"

#include <string>

namespace hw {

// The altimeter: a hundreds hand and a thousands hand over a 50-tick dial.
class AltimeterDial {
public:
    // The hundreds hand: one turn per 1000 units.
    static double HundredsAngle(double altitude);
    // The thousands hand: one turn per 10000 units.
    static double ThousandsAngle(double altitude);
    static void Draw(const DialGeometry& dial, double altitude, const std::string& unit,
                     const GaugeColours& colours, const TextMeasure& measure, DrawList& out);
};

} // namespace hw
