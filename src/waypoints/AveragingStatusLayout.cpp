#include "waypoints/AveragingStatusLayout.h"

#include "base/TextClearance.h"

#include <algorithm>

namespace hw {

AveragingStatusLayout::AveragingStatusLayout(int width, int height,
                                             const std::vector<TextExtent>& firstLines,
                                             TextExtent second)
{
    int y = kTop;
    for (const TextExtent& line : firstLines) {
        firstLines_.push_back({kLeft, y, kLeft + line.width, y + line.height});
        y += line.height;
    }
    const int firstHeight = y - kTop;
    // Three fifths down, but not past the window's bottom edge.
    const int top = std::max(kTop, std::min(kTop + firstHeight * 3 / 5, height - second.height));
    const ScreenRect start{kLeft, top, kLeft + second.width, top + second.height};
    std::vector<TextObstacle> obstacles;
    for (const ScreenRect& line : firstLines_)
        obstacles.push_back(TextObstacle::Box(line));
    const TextRoom room{{0, 0, width, height}, {}, 0};
    if (const std::optional<ScreenPoint> shift =
            LeastClearingShift(start, obstacles, room, kAir / 2, std::max(width, height))) {
        second_ = {start.left + shift->x, start.top + shift->y, start.right + shift->x,
                   start.bottom + shift->y};
        return;
    }
    // No room: right of the lines it crosses, its end cut by the window
    // rather than its start hidden under the first block.
    int right = kLeft;
    for (const ScreenRect& line : firstLines_)
        if (line.bottom > start.top && line.top < start.bottom)
            right = std::max(right, line.right + kAir);
    second_ = {right, top, right + second.width, top + second.height};
}

} // namespace hw
