#pragma once

#include "base/DrawList.h"

#include <vector>

namespace hw {

// Turns one line's projected points into the pieces that show in a
// rectangle: segments are cut at its edges, a line that leaves and comes
// back becomes two pieces, and points that fall on the pixel before them are
// dropped, so that a far-out view paints a few points, not thousands.
class ClippedPolyline {
public:
    explicit ClippedPolyline(const ScreenRect& area) : area_(area) {}

    // Starts a new line; the pieces of the last one stay in the output.
    void Begin();
    void Add(ScreenPoint p, std::vector<std::vector<ScreenPoint>>& out);
    // Ends the line, keeping its last piece when it has two points.
    void End(std::vector<std::vector<ScreenPoint>>& out);

private:
    void Flush(std::vector<std::vector<ScreenPoint>>& out);

    ScreenRect area_;
    bool havePrevious_ = false;
    ScreenPoint previous_;
    std::vector<ScreenPoint> piece_;
};

} // namespace hw
