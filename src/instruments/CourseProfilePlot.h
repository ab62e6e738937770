#pragma once

#include "base/DrawList.h"

namespace hw {

class CourseProfile;
class UnitFormatter;
struct FollowState;

// The altitude profile window while a course is followed: the course's
// heights along its whole length, the part walked greyed, the walker's
// place marked by a line, the highest and lowest height in the corners.
class CourseProfilePlot {
public:
    static constexpr Colour kWalkedColour = Rgb(200, 200, 200);
    static constexpr Colour kPlaceColour = Rgb(255, 0, 0);

    static void Draw(const CourseProfile& profile, const FollowState& state,
                     const ScreenRect& client, const UnitFormatter& units, DrawList& out);
};

} // namespace hw
