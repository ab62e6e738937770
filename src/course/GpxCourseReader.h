#pragma once

#include "course/CourseFile.h"

#include <string>

namespace hw {

// The tracks (<trk>, their <trkseg>s joined in order) and routes (<rte>) of
// a GPX 1.0 or 1.1 file, with their names and heights (<ele>).
class GpxCourseReader {
public:
    // Every course as read, of any number of points, unnamed where the file
    // names none; nothing but a message when the file cannot be read, is no
    // well-formed XML, or holds a point without a valid position or height.
    static CourseFile Read(const std::string& path, ImportProgress* progress);
};

} // namespace hw
