#include "map/MapPanGesture.h"

#include "map/MapModel.h"

namespace hw {

void MapPanGesture::Press(ScreenPoint p)
{
    grabbed_ = map_.ScreenToGeo(p);
    moves_ = 0;
    down_ = true;
    dragged_ = false;
}

bool MapPanGesture::Move(ScreenPoint p)
{
    if (!down_ || ++moves_ < kMovesBeforePan)
        return false;
    map_.PanKeeping(grabbed_, p);
    dragged_ = true;
    return true;
}

bool MapPanGesture::Release()
{
    down_ = false;
    return dragged_;
}

} // namespace hw
