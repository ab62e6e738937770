#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace hw {

enum class CourseKind { Track, Route };

// "track" or "route".
const char* CourseKindName(CourseKind kind);

// One point of a course: degrees, north and east positive; the height in
// metres above sea level as the file gave it, NaN when it gave none.
struct CoursePoint {
    double lat = 0;
    double lon = 0;
    double ele = NAN;
};

// A planned track or route: its points in walking order. A track's
// segments are walked one after the other, the gaps between them counted
// as walked; segmentStarts lists where each segment after the first begins,
// so that the course is written back as it was read.
struct Course {
    std::string name;
    CourseKind kind = CourseKind::Track;
    std::vector<CoursePoint> points;
    std::vector<uint32_t> segmentStarts;

    // The same course walked from its end to its start.
    Course Reversed() const;
};

// The box around a course's points, in degrees.
struct CourseBounds {
    double minLat = 0, minLon = 0, maxLat = 0, maxLon = 0;
};
CourseBounds BoundsOf(const Course& course);

} // namespace hw
