#pragma once

#include "base/DrawList.h"
#include "course/Course.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace hw {

class CourseFollowing;
class MapViewport;

// One course as the map draws it: its points in the order walked, its
// colour (0xRRGGBB, as the manager keeps it), and for the followed one the
// place reached (the walked part lies before it).
struct CourseLine {
    const Course* course = nullptr;
    uint32_t colour = 0;
    int listIndex = -1; // in the manager's list; -1 for the followed course off the list
    bool followed = false;
    size_t nextPoint = 0;             // followed: the first point ahead
    std::optional<CoursePoint> place; // followed: where the walker stands on it
};

// What the map draws of the courses, under the recorded track: each shown
// course a 4-pixel line in its colour (times the display scale) with a small
// arrow every ~100 pixels along the way walked and its start and end marked;
// the followed one wider over a white casing, its walked part paler. Lines
// are clipped to the view and thinned to one point per pixel.
class CourseLayer {
public:
    static constexpr int kWidthPx = 4;
    static constexpr int kFollowedWidthPx = 6;
    static constexpr int kArrowSpacingPx = 100;
    static constexpr int kHitTolerancePx = 8;

    // The shown courses of the list and the followed one, followed last.
    static std::vector<CourseLine> Lines(const CourseFollowing& courses);
    static void Draw(const std::vector<CourseLine>& lines, const MapViewport& viewport,
                     int displayScale, DrawList& out);
    // The manager's index of the shown course whose line passes within the
    // tolerance of a point; the topmost first. -1 when none.
    static int HitTest(const std::vector<CourseLine>& lines, const MapViewport& viewport,
                       ScreenPoint at);

    // The colour a walked part is drawn in: the course's, paled toward white.
    static Colour Paler(Colour c);
};

} // namespace hw
