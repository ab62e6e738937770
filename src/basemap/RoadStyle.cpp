#include "basemap/RoadStyle.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

struct ClassLook {
    int width;      // pixels, close in
    Colour fill;    // the road line when edged
    Colour edge;    // the edge under it
    Colour thin;    // the one line of a road too narrow for an edge
    PenStyle style; // dashed for tracks and paths
    bool edgeable;  // whether the class ever carries an edge
};

// Day: strong colours on the white sheet, readable in sunlight.
constexpr std::array<ClassLook, kRoadClassCount> kDay = {{
    {9, Rgb(226, 62, 40), Rgb(120, 24, 12), Rgb(200, 40, 24), PenStyle::Solid, true},  // motorway
    {8, Rgb(240, 120, 36), Rgb(130, 60, 8), Rgb(214, 96, 16), PenStyle::Solid, true},  // trunk
    {7, Rgb(248, 170, 48), Rgb(140, 88, 8), Rgb(214, 128, 16), PenStyle::Solid, true}, // primary
    {6, Rgb(250, 214, 64), Rgb(130, 104, 16), Rgb(184, 146, 16), PenStyle::Solid,
     true}, // secondary
    {5, Rgb(255, 240, 150), Rgb(120, 110, 70), Rgb(150, 128, 56), PenStyle::Solid,
     true}, // tertiary
    {5, Rgb(255, 255, 255), Rgb(100, 100, 100), Rgb(118, 118, 118), PenStyle::Solid,
     true}, // street
    {3, Rgb(255, 255, 255), Rgb(140, 140, 140), Rgb(150, 150, 150), PenStyle::Solid,
     true},                                                                           // service
    {2, Rgb(140, 88, 20), Rgb(140, 88, 20), Rgb(140, 88, 20), PenStyle::Dash, false}, // track
    // Paths dark green: red is the goto leg's.
    {2, Rgb(24, 120, 56), Rgb(24, 120, 56), Rgb(24, 120, 56), PenStyle::Dash, false}, // path
    {2, Rgb(48, 48, 48), Rgb(48, 48, 48), Rgb(48, 48, 48), PenStyle::Solid, false},   // rail
}};

// Night: the same order of weight in dimmer, darker tones, no white.
constexpr std::array<ClassLook, kRoadClassCount> kNight = {{
    {9, Rgb(150, 48, 32), Rgb(60, 16, 8), Rgb(150, 48, 32), PenStyle::Solid, true},
    {8, Rgb(150, 84, 28), Rgb(64, 32, 8), Rgb(150, 84, 28), PenStyle::Solid, true},
    {7, Rgb(150, 108, 36), Rgb(64, 44, 8), Rgb(150, 108, 36), PenStyle::Solid, true},
    {6, Rgb(140, 124, 44), Rgb(60, 52, 12), Rgb(140, 124, 44), PenStyle::Solid, true},
    {5, Rgb(120, 112, 72), Rgb(52, 48, 28), Rgb(120, 112, 72), PenStyle::Solid, true},
    {5, Rgb(96, 96, 96), Rgb(40, 40, 40), Rgb(96, 96, 96), PenStyle::Solid, true},
    {3, Rgb(80, 80, 80), Rgb(40, 40, 40), Rgb(80, 80, 80), PenStyle::Solid, true},
    {2, Rgb(110, 72, 24), Rgb(110, 72, 24), Rgb(110, 72, 24), PenStyle::Dash, false},
    {2, Rgb(40, 104, 56), Rgb(40, 104, 56), Rgb(40, 104, 56), PenStyle::Dash, false},
    {2, Rgb(24, 24, 24), Rgb(24, 24, 24), Rgb(24, 24, 24), PenStyle::Solid, false},
}};

struct ScaleStep {
    double upToKm;
    double factor;
};
constexpr ScaleStep kScaleSteps[] = {
    {0.1, 1.0}, {0.3, 0.8}, {0.5, 0.7}, {1.0, 0.6}, {3.0, 0.45}, {10.0, 0.3}, {50.0, 0.2},
};
constexpr double kFarFactor = 0.12;
constexpr double kDashKeepsTwoPixels = 0.45; // the width factor down to 3 km

} // namespace

RoadStyle::Palette RoadStyle::PaletteOfTheme(int theme)
{
    return theme == 2 || theme == 4 ? Palette::Night : Palette::Day;
}

double RoadStyle::WidthFactor(double scaleKm)
{
    for (const ScaleStep& step : kScaleSteps)
        if (scaleKm <= step.upToKm)
            return step.factor;
    return kFarFactor;
}

RoadStyle::Stroke RoadStyle::StrokeOf(int roadClass, double scaleKm, Palette palette)
{
    const auto& table = palette == Palette::Night ? kNight : kDay;
    const ClassLook& look =
        table[static_cast<size_t>(std::clamp(roadClass, 0, kRoadClassCount - 1))];
    const int width = std::max(1, static_cast<int>(std::lround(look.width * WidthFactor(scaleKm))));
    Stroke stroke;
    stroke.edged = look.edgeable && width >= kNarrowestEdged;
    if (stroke.edged) {
        stroke.edge = Pen{look.edge, width, PenStyle::Solid, true};
        stroke.line = Pen{look.fill, width - 2, PenStyle::Solid, true};
    } else {
        // Close in, paths keep two pixels so that their dashes show; far out
        // they thin to one, or a town's footways become green blots.
        const int dashWidth = std::max(WidthFactor(scaleKm) >= kDashKeepsTwoPixels ? 2 : 1, width);
        const int lineWidth = look.style == PenStyle::Dash ? dashWidth : std::max(1, width - 1);
        stroke.line = Pen{look.thin, lineWidth, look.style, look.style == PenStyle::Solid};
    }
    return stroke;
}

const std::array<int, kRoadClassCount>& RoadStyle::DrawingOrder()
{
    // Paths and tracks lowest, then streets up to motorways; rail on top.
    static constexpr std::array<int, kRoadClassCount> order = {8, 7, 6, 5, 4, 3, 2, 1, 0, 9};
    return order;
}

Colour RoadStyle::TextColour(Palette palette)
{
    return palette == Palette::Night ? Rgb(64, 64, 64) : Rgb(0, 0, 0);
}

} // namespace hw
