#include "base/UtcTime.h"

namespace hw {
namespace {

// Floor division, so that times before 1970 break down correctly.
int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    // Normalise the month first so that out-of-range months carry into years.
    y += FloorDiv(m - 1, 12);
    m = m - 1 - FloorDiv(m - 1, 12) * 12 + 1;
    y -= m <= 2;
    int64_t era = FloorDiv(y, 400);
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

int64_t SecondsFromUtc(const UtcDateTime& t)
{
    return DaysFromCivil(t.year, t.month, t.day) * 86400 + int64_t{t.hour} * 3600 +
           int64_t{t.minute} * 60 + t.second;
}

UtcDateTime UtcFromSeconds(int64_t seconds)
{
    int64_t days = FloorDiv(seconds, 86400);
    int64_t rest = seconds - days * 86400;
    int64_t z = days + 719468;
    int64_t era = FloorDiv(z, 146097);
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t d = doy - (153 * mp + 2) / 5 + 1;
    int64_t m = mp < 10 ? mp + 3 : mp - 9;
    int64_t y = yoe + era * 400 + (m <= 2);
    UtcDateTime t;
    t.year = static_cast<int>(y);
    t.month = static_cast<int>(m);
    t.day = static_cast<int>(d);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

} // namespace hw
