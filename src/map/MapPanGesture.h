#pragma once

#include "base/DrawList.h"
#include "geo/GeoPoint.h"

namespace hw {

class MapModel;

// Stylus drags on the map: from the fifth move with the stylus down each
// move re-centres the map so that the position that was under the stylus at
// the press stays under it. A press and release without such a drag is a
// tap.
class MapPanGesture {
public:
    static constexpr int kMovesBeforePan = 5;

    explicit MapPanGesture(MapModel& map) : map_(map) {}

    void Press(ScreenPoint p);
    // True when this move panned the map (it needs redrawing).
    bool Move(ScreenPoint p);
    // True when the gesture was a drag; false for a tap.
    bool Release();
    bool Dragged() const { return dragged_; }

private:
    MapModel& map_;
    GeoPoint grabbed_;
    int moves_ = 0;
    bool down_ = false;
    bool dragged_ = false;
};

} // namespace hw
