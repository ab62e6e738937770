#include "course/CourseFileScan.h"

#include "base/MappedFile.h"
#include "waypoints/WaypointImport.h"

namespace hw {

bool CourseFileScan::HoldsOnlyCourses(const std::string& path)
{
    const std::string extension = UpperExtension(path);
    return extension == "KML" || extension == "TRK";
}

CourseFileScan CourseFileScan::Of(const std::string& path)
{
    if (HoldsOnlyCourses(path))
        return {false, true};
    if (UpperExtension(path) != "GPX")
        return {true, false};
    // An element name, whatever its namespace prefix: "<wpt", "<gpx:wpt".
    MappedFile file;
    if (!file.Open(path))
        return {true, false}; // the import says what is wrong with it
    const std::string_view bytes = file.Bytes();
    const auto holds = [&bytes](std::string_view name) {
        for (size_t at = bytes.find(name); at != std::string_view::npos;
             at = bytes.find(name, at + 1)) {
            const size_t end = at + name.size();
            const bool opens = at > 0 && (bytes[at - 1] == '<' || bytes[at - 1] == ':');
            if (opens && end < bytes.size() &&
                (bytes[end] == '>' || bytes[end] == ' ' || bytes[end] == '\t' ||
                 bytes[end] == '\n' || bytes[end] == '\r'))
                return true;
        }
        return false;
    };
    CourseFileScan scan;
    scan.waypoints = holds("wpt");
    scan.courses = holds("trkpt") || holds("rtept");
    // A file with neither goes to the import, which names the problem.
    if (!scan.waypoints && !scan.courses)
        scan.waypoints = true;
    return scan;
}

} // namespace hw
