#include "course/Course.h"

#include <algorithm>

namespace hw {

const char* CourseKindName(CourseKind kind)
{
    return kind == CourseKind::Route ? "route" : "track";
}

Course Course::Reversed() const
{
    Course r;
    r.name = name;
    r.kind = kind;
    r.points.assign(points.rbegin(), points.rend());
    // A segment that began at s now ends before n - s, where the next begins.
    const auto n = static_cast<uint32_t>(points.size());
    for (auto it = segmentStarts.rbegin(); it != segmentStarts.rend(); ++it)
        r.segmentStarts.push_back(n - *it);
    return r;
}

CourseBounds BoundsOf(const Course& course)
{
    if (course.points.empty())
        return {};
    CourseBounds b{course.points[0].lat, course.points[0].lon, course.points[0].lat,
                   course.points[0].lon};
    for (const CoursePoint& p : course.points) {
        b.minLat = std::min(b.minLat, p.lat);
        b.maxLat = std::max(b.maxLat, p.lat);
        b.minLon = std::min(b.minLon, p.lon);
        b.maxLon = std::max(b.maxLon, p.lon);
    }
    return b;
}

} // namespace hw
