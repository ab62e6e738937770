#include "ScopedTimeZone.h"

#include "base/LocalTime.h"

#include <gtest/gtest.h>

#include <ctime>

namespace hw {
namespace {

// Local times read as mktime reads them, whatever the zone: across the
// changes of summer time (a gap, a repeated hour), a half-hour change, and
// fields past their ranges.
TEST(LocalTimeTest, SecondsOfLocalCalendarAsMktime)
{
    const char* zones[] = {"UTC0",
                           "CET-1CEST,M3.5.0,M10.5.0/3",
                           "NZST-12NZDT,M9.5.0,M4.1.0/3",
                           "LHST-10:30LHDT-11,M10.1.0,M4.1.0",
                           "EST5EDT,M3.2.0,M11.1.0",
                           "<+0545>-5:45"};
    for (const char* zone : zones) {
        test::ScopedTimeZone scope(zone);
        for (int year : {1972, 2024, 2037}) {
            for (int month = 0; month < 12; ++month) {
                // Every half hour of every day, and days 29 to 32 of every
                // month (past the end of some).
                for (int day = 1; day <= 32; ++day) {
                    for (int minutes = 0; minutes < 24 * 60; minutes += 30) {
                        std::tm local{};
                        local.tm_year = year - 1900;
                        local.tm_mon = month;
                        local.tm_mday = day;
                        local.tm_hour = minutes / 60;
                        local.tm_min = minutes % 60;
                        local.tm_sec = 7;
                        std::tm copy = local;
                        copy.tm_isdst = -1;
                        const int64_t ours = SecondsOfLocalCalendar(local);
                        ASSERT_EQ(ours, std::mktime(&copy))
                            << zone << " " << year << "-" << month + 1 << "-" << day << " "
                            << minutes / 60 << ":" << minutes % 60;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace hw
