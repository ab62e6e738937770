#pragma once

#include "base/DrawList.h"

namespace hw {

// Where the map window's children go: the navigation panel (a strip across
// the bottom of a tall window, a column at the right of a wide one), the
// altitude profile and the averaging status above what the bottom already
// holds, and the map view in the rest from the top.
class MapWindowLayout {
public:
    struct Input {
        int width = 0;
        int height = 0;
        bool showNavigation = false;
        bool showAltitude = false;
        bool averaging = false;
        int smallLineHeight = 0; // one line of 7-point Tahoma, pixels
    };
    struct Result {
        ScreenRect map;
        ScreenRect navigation;          // empty when hidden
        bool navigationAsStrip = false; // one row of three panes; else three rows
        ScreenRect altitude;
        ScreenRect averaging;
    };

    static Result Compute(const Input& in);
};

} // namespace hw
