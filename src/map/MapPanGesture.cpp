#include "map/MapPanGesture.h"

#include "map/MapModel.h"

namespace hw {

void MapPanGesture::Press(ScreenPoint p)
{
    press_ = p;
    moves_ = 0;
    down_ = true;
    dragged_ = false;
}

bool MapPanGesture::Move(ScreenPoint p)
{
    if (!down_ || ++moves_ < kMovesBeforePan)
        return false;
    const ScreenRect& c = map_.ClientRect();
    ScreenPoint centre{(c.left + c.right) / 2, (c.top + c.bottom) / 2};
    map_.PanTo({centre.x + press_.x - p.x, centre.y + press_.y - p.y});
    press_ = p;
    dragged_ = true;
    return true;
}

bool MapPanGesture::Release()
{
    down_ = false;
    return dragged_;
}

} // namespace hw
