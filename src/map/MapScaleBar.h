#pragma once

#include "base/DrawList.h"
#include "geo/MapViewport.h"

#include <string>

namespace hw {

class UnitFormatter;

// The scale bar in the bottom-right corner of the map: an H-shaped bar whose
// ends are a fifth of the view's width apart, with the ground distance
// between them.
class MapScaleBar {
public:
    struct Ends {
        ScreenPoint left, right;
    };
    static Ends BarEnds(const ScreenRect& client);
    // The ground distance between the bar's ends in statute miles.
    static double GroundMiles(const MapViewport& viewport);
    // "  %.1f %s  " in the automatic distance unit.
    static std::string Label(double miles, const UnitFormatter& units);

    static void Draw(const MapViewport& viewport, const UnitFormatter& units, DrawList& out);
};

} // namespace hw
