#pragma once

#include <string>
#include <vector>

namespace hw {

// What a digital-panel cell shows. The values are stored in the settings.
enum PanelField : int {
    kFieldBlank = 0,
    kFieldSpeed = 1,
    kFieldDistanceToWaypoint = 2,
    kFieldCourse = 3,
    kFieldAltitude = 4,
    kFieldBearing = 5,
    kFieldBearingSymbol = 6,
    kFieldCrossTrackError = 7,
    kFieldCourseSymbol = 8,
    kFieldOdometer = 9,
    kFieldEte = 10,
    kFieldEta = 11,
    kFieldAverageSpeed = 12,
    kFieldTripDuration = 13,
    kFieldMaximumAltitude = 14,
    kFieldMinimumAltitude = 15,
    kFieldAltitudeDifference = 16,
    kFieldMaximumSpeed = 17,
    kFieldGrade = 18,
    kFieldMaximumGrade = 19,
    kFieldMinimumGrade = 20,
    kFieldAverageGrade = 21,
    kFieldAverageAscendingGrade = 22,
    kFieldAverageDescendingGrade = 23,
    kFieldTotalAscent = 24,
    kFieldTotalDescent = 25,
    kFieldTime24 = 26,
    kFieldTime12 = 27,
    kFieldTimeUtc = 28,
    kFieldBattery = 29,
    kFieldEta12 = 30,
    // The followed course.
    kFieldCourseToGo = 31,
    kFieldCourseTimeToGo = 32,
    kFieldCourseEta = 33,
    kFieldOffCourse = 34,
    kFieldCourseAscentToGo = 35,
};
inline constexpr int kPanelFieldCount = 36;

// The string-table id of each field's name, by field value.
int PanelFieldNameId(int field);
// The names of the fields in the order of their values, as the pane
// dialog lists them.
const std::vector<std::string>& PanelFieldNames();

} // namespace hw
