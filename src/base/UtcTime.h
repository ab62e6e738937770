#pragma once

#include <cstdint>

namespace hw {

// A Gregorian UTC date and time (month 1 to 12).
struct UtcDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const UtcDateTime&, const UtcDateTime&) = default;
};

// Seconds since 1970-01-01 00:00:00 UTC, without leap seconds. Fields out of
// their usual range carry over arithmetically (month 13 is January of the
// next year), so any input gives a defined result.
int64_t SecondsFromUtc(const UtcDateTime& t);
// The inverse: the UTC calendar date and time of a count of seconds.
UtcDateTime UtcFromSeconds(int64_t seconds);

} // namespace hw
