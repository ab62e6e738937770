#include "base/LabelPlacer.h"

#include <algorithm>
#include <utility>

namespace hw {

LabelPlacer::LabelPlacer(const ScreenRect& view, std::vector<ScreenRect> obstacles)
    : view_(view), obstacles_(std::move(obstacles))
{
}

bool LabelPlacer::Free(const ScreenRect& box) const
{
    if (box.left < view_.left || box.top < view_.top || box.right > view_.right ||
        box.bottom > view_.bottom)
        return false;
    auto meets = [&](const ScreenRect& other) { return other.Intersects(box); };
    return std::none_of(obstacles_.begin(), obstacles_.end(), meets) &&
           std::none_of(placed_.begin(), placed_.end(), meets);
}

std::optional<std::size_t> LabelPlacer::Place(std::span<const ScreenRect> candidates)
{
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (Free(candidates[i])) {
            placed_.push_back(candidates[i]);
            return i;
        }
    return std::nullopt;
}

} // namespace hw
