#include "course/CourseRow.h"

#include "base/FormatString.h"
#include "course/CourseList.h"
#include "units/UnitFormatter.h"

#include <cmath>

namespace hw {

CourseRow CourseRow::From(const CourseEntry& entry, const UnitFormatter& units)
{
    const CourseFigures& f = entry.figures;
    CourseRow row;
    row.name = entry.stored.course.name;
    row.length = FormatString("%.2f %s", units.LargeDistanceFromKm(f.lengthM / 1000),
                              units.LargeDistanceUnitLabel().c_str());
    row.ascent = f.ascentM ? FormatString("%.0f %s", units.AltitudeFromMetres(*f.ascentM),
                                          units.AltitudeUnitLabel().c_str())
                           : "---";
    const long minutes = std::lround(f.timeS / 60);
    row.time = FormatString("%ld:%02ld", minutes / 60, minutes % 60);
    return row;
}

} // namespace hw
