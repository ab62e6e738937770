#pragma once

#include <string>

namespace hw {

// What a file dropped on the window or named at start holds, told from its
// extension and, for GPX, its elements: waypoints (imported as such),
// tracks or routes (opened as courses), or both.
struct CourseFileScan {
    bool waypoints = false;
    bool courses = false;

    static CourseFileScan Of(const std::string& path);
    // KML and the track file hold courses only.
    static bool HoldsOnlyCourses(const std::string& path);
};

} // namespace hw
