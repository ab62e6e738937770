#pragma once

#include "base/DrawList.h"
#include "geo/MapViewport.h"

#include <cstdint>

namespace hw {

// The latitude/longitude grid of the map: its spacing and label format by
// scale, and its lines and labels for one view.
class MapGrid {
public:
    struct Spacing {
        int32_t stepMicro; // microdegrees between lines
        int decimals;      // label digits after the point, in degrees
    };
    static constexpr Colour kLineColour = Rgb(192, 192, 192);
    // How far the lines reach past the view when the map is turned.
    static constexpr int kTurnedExtension = 1000;

    static Spacing SpacingForScale(double scaleKm);

    // Lines of latitude and of longitude from ten lines before the first
    // visible one to ten after the last, with labels only when asked (the
    // caller asks only while north is up).
    static void Draw(const MapViewport& viewport, double scaleKm, bool labels, DrawList& out);
};

} // namespace hw
