#pragma once

#include "course/Course.h"

#include <string>

namespace hw {

// A course as a GPX 1.1 document: a <trk> with one <trkseg> per segment, or
// an <rte>; positions and heights written so that they read back exactly.
std::string CourseGpxText(const Course& course);

// Writes the document to path atomically (the folder created when missing);
// false with a message when it could not be written whole, in which case
// an existing file stays as it was.
bool WriteCourseGpx(const Course& course, const std::string& path, std::string& error);

} // namespace hw
