#pragma once

#include "instruments/DialGeometry.h"

#include <string>
#include <vector>

namespace hw {

// The vertical-speed indicator: zero to the left, 150° up and 150° down.
class VerticalSpeedDial {
public:
    // Zero points left; the full scale is 150° up or down, and beyond it the
    // needle is pinned.
    static double NeedleAngle(double verticalSpeed, double fullScale);
    // The full scale: 2000 in feet a minute, 5.0 in metres a second.
    static double FullScale(bool altitudeInFeet) { return altitudeInFeet ? 2000 : 5.0; }
    // The label of long tick k (0 to 4): k times s, s = full × 0.0025, or
    // full × 0.25 when that is below 1.
    static std::string TickLabel(int k, double fullScale);
    // The scale's numbers (k = -4 to 4, from the bottom round to the top):
    // in the large font at 63 % of the radius, each moved inward by the
    // least that clears the ticks, its neighbours, the caption, the unit and
    // the "上" and "Dn" marks; a smaller font only where no place down to
    // 40 % clears them.
    struct ScaleNumbers {
        Font font;
        std::vector<ScreenPoint> centres;
    };
    static ScaleNumbers PlaceNumbers(const DialGeometry& dial, double fullScale,
                                     const std::string& unit, const TextMeasure& measure);
    static void Draw(const DialGeometry& dial, double verticalSpeed, double fullScale,
                     const std::string& unit, const GaugeColours& colours,
                     const TextMeasure& measure, DrawList& out);
};

} // namespace hw
