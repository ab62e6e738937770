#include "map/MapIcons.h"

#include <cmath>

namespace hw {

const MapIcons::Icon& MapIcons::Position()
{
    // Its size is the map's position icon size (4.0 or 8.0).
    static const Icon icon{{{0, -3}, {-2, 3}, {0, 1}, {2, 3}}, 4.0};
    return icon;
}

const MapIcons::Icon& MapIcons::MarkerPlus()
{
    static const Icon icon{{{-1, -4},
                            {1, -4},
                            {1, -1},
                            {4, -1},
                            {4, 1},
                            {1, 1},
                            {1, 4},
                            {-1, 4},
                            {-1, 1},
                            {-4, 1},
                            {-4, -1},
                            {-1, -1}},
                           1.0};
    return icon;
}

const MapIcons::Icon& MapIcons::TargetPointer()
{
    static const Icon icon{{{3, -13}, {0, -16}, {-3, -13}}, 3.0};
    return icon;
}

const MapIcons::Icon& MapIcons::NorthArrow()
{
    static const Icon icon{{{-2, 6}, {0, 3}, {2, 6}, {1, -3}, {4, -2}, {0, -6}, {-4, -2}, {-1, -3}},
                           3.0};
    return icon;
}

std::vector<ScreenPoint> MapIcons::Place(const std::vector<Vertex>& vertices, ScreenPoint anchor,
                                         double size, double angleDegrees)
{
    constexpr double kPi = 3.141592653589793;
    double a = std::isfinite(angleDegrees) ? angleDegrees * kPi / 180 : 0;
    double c = std::cos(a), s = std::sin(a);
    std::vector<ScreenPoint> points;
    points.reserve(vertices.size());
    for (const Vertex& v : vertices) {
        double x = v.x * size, y = v.y * size;
        points.push_back({anchor.x + TruncToPixel(std::round(x * c - y * s)),
                          anchor.y + TruncToPixel(std::round(x * s + y * c))});
    }
    return points;
}

} // namespace hw
