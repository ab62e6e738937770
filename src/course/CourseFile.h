#pragma once

#include "course/Course.h"

#include <string>
#include <vector>

namespace hw {

class ImportProgress;

// What reading a file of courses gave: every track and route of two or
// more points, or none and a message. A damaged file gives no course at all.
struct CourseFile {
    enum class Status { Ok, CannotOpen, Damaged, NoCourse };
    Status status = Status::Ok;
    std::vector<Course> courses;
    std::string error; // English, for the command line and the log; empty when Ok
};

// Reads the tracks and routes of a GPX 1.0 or 1.1 file, the line strings of
// a KML file, or a track file of this program, chosen by the file's
// extension (.gpx, .kml, .trk) or else by its first bytes. Courses without a
// name take the file's (without folder and extension). The progress, when
// given, steps as the file is read.
CourseFile ReadCourseFile(const std::string& path, ImportProgress* progress = nullptr);

// The name of a file without its folder and extension.
std::string FileStem(const std::string& path);

} // namespace hw
