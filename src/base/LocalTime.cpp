#include "base/LocalTime.h"

namespace hw {
namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The zone's offset from UTC at an instant, in seconds east; false when the
// C library cannot convert it.
bool OffsetAt(std::time_t t, long& offset)
{
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr)
        return false;
    offset = tm.tm_gmtoff;
    return true;
}

bool SameFields(const std::tm& a, const std::tm& b)
{
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday &&
           a.tm_hour == b.tm_hour && a.tm_min == b.tm_min && a.tm_sec == b.tm_sec;
}

} // namespace

std::tm LocalCalendar(int64_t seconds)
{
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm out{};
    if (localtime_r(&t, &out) == nullptr) {
        out = std::tm{};
        out.tm_year = 70;
        out.tm_mday = 1;
    }
    return out;
}

int64_t SecondsOfLocalCalendar(const std::tm& local)
{
    // The time the fields give at the offset of that moment; taken when it
    // reads back as the same fields and the offset stays the same for three
    // hours either side, so that no change of the offset (a gap or a
    // repeated hour) can give the fields another meaning. mktime answers
    // the rest, as it looks at the zone file again each time (a file system
    // call), which is what makes it slow for many times.
    constexpr int kMargin = 3 * 3600;
    const bool inRange = local.tm_mon >= 0 && local.tm_mon < 12 && local.tm_mday >= 1 &&
                         local.tm_mday <= 31 && local.tm_hour >= 0 && local.tm_hour < 24 &&
                         local.tm_min >= 0 && local.tm_min < 60 && local.tm_sec >= 0 &&
                         local.tm_sec < 60;
    if (inRange) {
        const int64_t asUtc =
            DaysFromCivil(int64_t{local.tm_year} + 1900, local.tm_mon + 1, local.tm_mday) * 86400 +
            local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
        long offset = 0, before = 0, after = 0;
        std::tm back{};
        if (OffsetAt(static_cast<std::time_t>(asUtc), offset)) {
            const auto t = static_cast<std::time_t>(asUtc - offset);
            if (localtime_r(&t, &back) != nullptr && SameFields(back, local) &&
                OffsetAt(t - kMargin, before) && OffsetAt(t + kMargin, after) &&
                before == back.tm_gmtoff && after == back.tm_gmtoff)
                return t;
        }
    }
    std::tm copy = local;
    copy.tm_isdst = -1;
    return std::mktime(&copy);
}

} // namespace hw
