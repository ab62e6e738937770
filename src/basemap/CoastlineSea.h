#pragma once

#include "geo/RoadPoint.h"

#include <vector>

namespace hw {

// The sea of an extract from its coastline ways, which have the land on
// their left. The ways are joined end to end; a coast that leaves the
// extract's bounds is closed along the bounds, clockwise, to where the
// coast comes back, so that the sea lies on the right of every ring. Closed
// coasts inside are islands (anticlockwise) or seas of their own
// (clockwise). A coast that ends inside the bounds, away from their edge,
// cannot be closed: then there is no sea at all rather than flooded land.
class CoastlineSea {
public:
    enum class Outcome { NoCoast, Sea, Unclosed };

    explicit CoastlineSea(const RoadBox& bounds) : bounds_(bounds) {}
    void AddWay(const std::vector<RoadPoint>& points);

    // The rings of the sea, to be filled even-odd; empty unless Sea.
    Outcome Build(std::vector<std::vector<RoadPoint>>& rings) const;

    // How near (microdegrees) the end of a cut coast must lie to the edge of
    // the bounds to be closed along it: an extract cut at its bounds keeps
    // the last node inside, a little short of the edge.
    int32_t SnapDistance() const;

private:
    std::vector<std::vector<RoadPoint>> Chains() const;
    RoadBox bounds_;
    std::vector<std::vector<RoadPoint>> ways_;
};

} // namespace hw
