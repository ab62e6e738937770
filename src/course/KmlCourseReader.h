#pragma once

#include "course/CourseFile.h"

#include <string>

namespace hw {

// The LineStrings of a KML file, each a course of kind track named after
// its Placemark, also those inside a MultiGeometry. A third coordinate is a
// height unless the line's altitude mode puts it on or above the ground.
class KmlCourseReader {
public:
    // As GpxCourseReader::Read: every line as read, or only a message.
    static CourseFile Read(const std::string& path, ImportProgress* progress);
};

} // namespace hw
