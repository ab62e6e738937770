#pragma once

#include <cstdint>
#include <ctime>

namespace hw {

// The calendar form of seconds since 1970 UTC in the local time zone (TZ):
// tm_year counts from 1900 and tm_mon from 0, as the C library has them.
// A time the C library cannot convert gives 1970-01-01 00:00.
std::tm LocalCalendar(int64_t seconds);

} // namespace hw
