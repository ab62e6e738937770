#pragma once

#include "base/DrawList.h"
#include "basemap/RoadMap.h"

#include <array>

namespace hw {

// How the road classes look on the map: a topographic style with graded
// widths and colours, major roads edged in a darker line, tracks and paths
// dashed so that a trail is told from a lane, rail a thin dark line. Widths
// shrink as the scale grows; the night palette keeps dark themes dark.
class RoadStyle {
public:
    enum class Palette { Day, Night };

    // A class's look at a scale: the edge line under the road (when the road
    // is wide enough to carry one) and the road line itself.
    struct Stroke {
        bool edged = false;
        Pen edge;
        Pen line;
    };

    // The widest a road is drawn is this many pixels (motorways, close in).
    static constexpr int kWidestRoad = 9;
    // Roads narrower than this are drawn as one line, without an edge, a
    // pixel narrower: edges on thin roads turn a town into a dark tangle.
    static constexpr int kNarrowestEdged = 5;

    // Night palettes for the dark colour themes (night, midnight blue).
    static Palette PaletteOfTheme(int theme);
    // The share of its full width a road keeps at a scale (1 close in).
    static double WidthFactor(double scaleKm);
    static Stroke StrokeOf(int roadClass, double scaleKm, Palette palette);
    // Classes from the bottom of the drawing to its top.
    static const std::array<int, kRoadClassCount>& DrawingOrder();
    // The colour of the credit and the node count.
    static Colour TextColour(Palette palette);
};

} // namespace hw
