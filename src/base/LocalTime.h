#pragma once

#include <cstdint>
#include <ctime>

namespace hw {

// The calendar form of seconds since 1970 UTC in the local time zone (TZ):
// tm_year counts from 1900 and tm_mon from 0, as the C library has them.
// A time the C library cannot convert gives 1970-01-01 00:00.
std::tm LocalCalendar(int64_t seconds);

// Seconds since 1970 UTC of a local calendar time, as mktime gives them with
// tm_isdst -1 (fields out of their ranges carry over, -1 when the C library
// cannot convert). Unlike mktime, it does not look at the zone file again
// for every call: the zone is the one the C library last read (tzset).
int64_t SecondsOfLocalCalendar(const std::tm& local);

} // namespace hw
