#pragma once

#include "core/GpsRecord.h"

#include <ctime>
#include <string>

namespace fixscope {

// The texts of the status page for one state of the record.
struct StatusTexts {
    std::string date;     // local date, year/month/day
    std::string time;     // local time of day
    std::string latitude; // hemisphere, degrees, minutes, seconds
    std::string longitude;
    std::string hdop;
    std::string fix; // "Acquiring: ..."
    std::string course;
    std::string speed;    // km/hr
    std::string altitude; // m
    std::string pdop;
};

// Formats the record; the date and time are the GPRMC ones in local time,
// or `now` when they do not form a valid date.
StatusTexts FormatStatus(const GpsRecord& record, std::time_t now);

} // namespace fixscope
