#include "course/CoursePointText.h"

#include "waypoints/XmlFileParser.h"

#include <charconv>
#include <cmath>

namespace hw {

std::string_view TrimBlanks(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool ParseCourseNumber(std::string_view text, double& value)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end && std::isfinite(value);
}

bool ValidCoursePosition(double lat, double lon)
{
    return std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) <= 90 &&
           std::fabs(lon) <= 180;
}

CourseFile XmlCourseResult(const XmlFileParser& file, bool parsed, const std::string& path,
                           const std::string& readerError, std::vector<Course>&& courses)
{
    CourseFile result;
    if (!parsed) {
        result.status =
            file.Opened() ? CourseFile::Status::Damaged : CourseFile::Status::CannotOpen;
        result.error = file.Opened() ? file.Error() : "cannot open '" + path + "'";
    } else if (!readerError.empty()) {
        result.status = CourseFile::Status::Damaged;
        result.error = readerError;
    } else {
        result.courses = std::move(courses);
    }
    return result;
}

} // namespace hw
