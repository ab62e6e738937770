#pragma once

#include "base/DrawList.h"

namespace hw {

// Where the sky plot puts things: the largest square centred in a rectangle,
// north up, east right, the zenith at the centre and the horizon on the
// outer circle. The plot never rotates.
class SkyPlotGeometry {
public:
    explicit SkyPlotGeometry(const ScreenRect& area);

    const ScreenRect& Square() const { return square_; }
    int Side() const { return side_; }
    ScreenPoint Centre() const { return {cx_, cy_}; }
    double PixelsPerDegree() const { return k_; }

    // The point of a direction: azimuth degrees clockwise from north,
    // elevation degrees above the horizon.
    ScreenPoint Point(double azimuth, double elevation) const;
    int RingRadius(double elevation) const;
    // Height of the compass letters, pixels.
    int LabelHeight() const;

    // Where each compass letter is anchored (elevation 2°), and how: N hangs
    // below its point, S stands above it, E ends at it, W starts at it.
    enum class Anchor { TopCentre, BottomCentre, RightMiddle, LeftMiddle };
    struct Label {
        const char* text;
        ScreenPoint point;
        Anchor anchor;
    };
    Label CompassLabel(int index) const; // 0 N, 1 E, 2 S, 3 W

private:
    ScreenRect square_;
    int side_ = 0;
    int cx_ = 0;
    int cy_ = 0;
    double k_ = 0;
};

} // namespace hw
