#pragma once

#include "base/DrawList.h"

#include <vector>

namespace hw {

// The map's vector icons: vertex lists in icon units (y downward), drawn
// centred on an anchor, multiplied by a size factor and turned clockwise by
// an angle in degrees.
class MapIcons {
public:
    struct Vertex {
        int x, y;
    };
    struct Icon {
        std::vector<Vertex> vertices;
        double size;
    };

    static constexpr Colour kNavy = Rgb(0, 0, 128);
    static constexpr Colour kOlive = Rgb(128, 128, 0);
    static constexpr Colour kGrey = Rgb(196, 196, 196);

    static const Icon& Position();
    static const Icon& MarkerPlus();
    static const Icon& TargetPointer();
    static const Icon& NorthArrow();

    static std::vector<ScreenPoint> Place(const std::vector<Vertex>& vertices, ScreenPoint anchor,
                                          double size, double angleDegrees);
    static std::vector<ScreenPoint> Place(const Icon& icon, ScreenPoint anchor, double angleDegrees)
    {
        return Place(icon.vertices, anchor, icon.size, angleDegrees);
    }
};

} // namespace hw
