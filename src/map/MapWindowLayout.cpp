#include "map/MapWindowLayout.h"

#include <algorithm>
#include <cmath>

namespace hw {

MapWindowLayout::Result MapWindowLayout::Compute(const Input& in)
{
    Result r;
    const int w = std::max(in.width, 0), h = std::max(in.height, 0);
    int right = w;  // the width left for the others
    int bottom = h; // the top of what the bottom already holds
    if (in.showNavigation) {
        if (w - w / 4 < h) {
            int stripHeight = static_cast<int>(std::floor(w * 0.2222222222222222 + 0.5));
            stripHeight = std::min(stripHeight, h);
            r.navigation = {0, h - stripHeight, w, h};
            r.navigationAsStrip = true;
            bottom = h - stripHeight;
        } else {
            r.navigation = {w - w / 4, 0, w, h};
            right = w - w / 4;
        }
    }
    if (in.showAltitude) {
        int top = std::max(bottom - h / 5, 0);
        r.altitude = {0, top, right, bottom};
        bottom = top;
    }
    if (in.averaging) {
        int top = std::max(bottom - static_cast<int>(3.5 * in.smallLineHeight), 0);
        r.averaging = {0, top, right, bottom};
        bottom = top;
    }
    r.map = {0, 0, right, bottom};
    return r;
}

} // namespace hw
