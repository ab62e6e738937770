#pragma once

#include "base/DrawList.h"
#include "basemap/RoadStyle.h"
#include "basemap/TopoClasses.h"

namespace hw {

// How the topographic layer looks: a palette read at a glance in sunlight
// (blue water, green woods, light green meadows, grey built-up land,
// white-grey rock and ice), darker at night as the roads are; line widths
// by class and scale; the fonts and colours of the names.
class TopoStyle {
public:
    using Palette = RoadStyle::Palette;

    // The fill of an area class, kSeaClass for the sea.
    static Colour AreaFill(int areaClass, Palette palette);
    // The outline of buildings, drawn only close in.
    static Pen BuildingEdge(Palette palette);
    // Whether buildings are drawn at this scale (km from the centre to the corner).
    static bool ShowsBuildings(double scaleKm);

    // The stroke of a line class at a scale; width 0 hides it there.
    static Pen LineStroke(int lineClass, double scaleKm, Palette palette);
    // The ticks on the downhill side of a cliff: length and spacing in pixels.
    static constexpr int kCliffTick = 3;
    static constexpr int kCliffTickSpacing = 6;

    // Names: place names by rank, peaks and the rest smaller.
    static Font NameFont(int pointClass, bool major);
    static Colour NameColour(int pointClass, Palette palette);
    static Colour Halo(Palette palette);
};

} // namespace hw
