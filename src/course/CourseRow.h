#pragma once

#include <string>

namespace hw {

struct CourseEntry;
class UnitFormatter;

// The texts of a course manager row: name, length and ascent in the user's
// units, the estimated walking time as hours and minutes ("---" for an
// ascent unknown without heights).
struct CourseRow {
    std::string name, length, ascent, time;

    static CourseRow From(const CourseEntry& entry, const UnitFormatter& units);
};

} // namespace hw
