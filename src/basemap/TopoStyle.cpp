#include "basemap/TopoStyle.h"

#include "basemap/TopoSection.h"

#include <array>

namespace hw {
namespace {

// Water, wood, grass and scrub, farmland, built-up, rock and ice, wetland,
// buildings, sea.
constexpr std::array<Colour, kAreaClassCount + 1> kDayFills = {
    Rgb(160, 204, 236), Rgb(166, 206, 150), Rgb(206, 234, 176),
    Rgb(240, 238, 206), Rgb(226, 224, 222), Rgb(236, 236, 232),
    Rgb(196, 226, 214), Rgb(204, 192, 180), Rgb(160, 204, 236),
};
constexpr std::array<Colour, kAreaClassCount + 1> kNightFills = {
    Rgb(24, 48, 78), Rgb(26, 52, 30), Rgb(38, 58, 34),    Rgb(52, 50, 36), Rgb(46, 46, 48),
    Rgb(70, 70, 72), Rgb(28, 52, 50), Rgb(120, 112, 104), Rgb(24, 48, 78),
};

struct LineLook {
    int width;        // close in
    int far;          // from 3 km out
    double hideAbove; // km: not drawn further out
    Colour day;
    Colour night;
    PenStyle style;
};
// Rivers, streams, cliffs, aerialways, power lines, coastline. The river
// blue differs from the goto leg's red at any width; power lines are grey
// and thin, aerialways black.
constexpr std::array<LineLook, kLineClassCount> kLines = {{
    {5, 2, 250, Rgb(70, 130, 210), Rgb(50, 90, 150), PenStyle::Solid},
    {2, 1, 10, Rgb(90, 150, 220), Rgb(50, 90, 150), PenStyle::Solid},
    {1, 1, 10, Rgb(110, 100, 90), Rgb(130, 120, 110), PenStyle::Solid},
    {2, 1, 30, Rgb(30, 30, 30), Rgb(170, 170, 170), PenStyle::Solid},
    {1, 1, 10, Rgb(120, 120, 130), Rgb(110, 110, 120), PenStyle::Solid},
    {1, 1, 500, Rgb(70, 130, 210), Rgb(50, 90, 150), PenStyle::Solid},
}};

} // namespace

Colour TopoStyle::AreaFill(int areaClass, Palette palette)
{
    const auto& fills = palette == Palette::Night ? kNightFills : kDayFills;
    return areaClass >= 0 && areaClass <= kSeaClass ? fills[static_cast<std::size_t>(areaClass)]
                                                    : fills[0];
}

Pen TopoStyle::BuildingEdge(Palette palette)
{
    return {palette == Palette::Night ? Rgb(80, 74, 68) : Rgb(168, 154, 142), 1, PenStyle::Solid};
}

bool TopoStyle::ShowsBuildings(double scaleKm)
{
    return scaleKm <= 0.5;
}

Pen TopoStyle::LineStroke(int lineClass, double scaleKm, Palette palette)
{
    if (lineClass < 0 || lineClass >= kLineClassCount)
        return {0, 0, PenStyle::None};
    const LineLook& look = kLines[static_cast<std::size_t>(lineClass)];
    if (scaleKm > look.hideAbove)
        return {0, 0, PenStyle::None};
    int width = scaleKm >= 3   ? look.far
                : scaleKm >= 1 ? (look.width + look.far + 1) / 2
                               : look.width;
    return {palette == Palette::Night ? look.night : look.day, width, look.style,
            lineClass <= topo::kStreams};
}

Font TopoStyle::NameFont(int pointClass, bool major)
{
    if (pointClass == topo::kPlaces)
        return {"Tahoma", major ? 10 : 8, major, 0};
    return {"Tahoma", 7, false, 0};
}

Colour TopoStyle::NameColour(int pointClass, Palette palette)
{
    const bool night = palette == Palette::Night;
    switch (pointClass) {
    case topo::kPeaks:
    case topo::kPasses: return night ? Rgb(200, 170, 140) : Rgb(110, 60, 20);
    case topo::kDrinkingWater: return night ? Rgb(120, 160, 220) : Rgb(30, 80, 170);
    default: return night ? Rgb(210, 210, 210) : Rgb(20, 20, 20);
    }
}

Colour TopoStyle::Halo(Palette palette)
{
    return palette == Palette::Night ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
}

} // namespace hw
