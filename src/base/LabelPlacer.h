#pragma once

#include "base/DrawList.h"

#include <optional>
#include <span>
#include <vector>

namespace hw {

// Places labels on a map without overlap: each label offers its candidate
// boxes in order of preference and takes the first that lies wholly in the
// view and meets neither an obstacle (the marks fixed over the map, the
// position icon) nor a label placed before it. Callers offer labels in
// order of importance; a label with no free candidate is left out.
class LabelPlacer {
public:
    LabelPlacer(const ScreenRect& view, std::vector<ScreenRect> obstacles);

    // The index of the candidate taken, or nothing.
    std::optional<std::size_t> Place(std::span<const ScreenRect> candidates);
    // Whether a box is free, without taking it.
    bool Free(const ScreenRect& box) const;
    const std::vector<ScreenRect>& Placed() const { return placed_; }

private:
    ScreenRect view_;
    std::vector<ScreenRect> obstacles_;
    std::vector<ScreenRect> placed_;
};

} // namespace hw
