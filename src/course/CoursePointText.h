#pragma once

#include "course/CourseFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace hw {

class XmlFileParser;

// The text without the blanks (spaces, tabs, line ends) around it.
std::string_view TrimBlanks(std::string_view text);

// The whole text as a decimal number (blanks around it allowed), whatever the
// locale; false for anything else.
bool ParseCourseNumber(std::string_view text, double& value);

// Whether a position can be: finite, latitude within ±90, longitude within ±180.
bool ValidCoursePosition(double lat, double lon);

// The result of an XML course reader: the courses read, or the message of
// the first fault (the parser's, or the reader's own in readerError).
CourseFile XmlCourseResult(const XmlFileParser& file, bool parsed, const std::string& path,
                           const std::string& readerError, std::vector<Course>&& courses);

} // namespace hw
