#pragma once

#include "instruments/DialGeometry.h"

#include <string>

namespace hw {

// The compass: a card turning with the heading and a needle to the bearing.
class CompassDial {
public:
    // Where card bearing `bearing` sits on the screen while heading `heading`.
    static double CardAngle(double bearing, double heading);
    // The needle points to `bearing` (the target, or north when 0).
    static double NeedleAngle(double bearing, double heading)
    {
        return CardAngle(bearing, heading);
    }
    static void Draw(const DialGeometry& dial, double heading, double bearing,
                     const GaugeColours& colours, DrawList& out);
};

} // namespace hw
