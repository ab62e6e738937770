#include "core/StatusTexts.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdlib>
#include <string>

namespace fixscope {
namespace {

// Runs the formatting under a given time zone.
class StatusTextsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ"))
            savedZone_ = tz;
        ::setenv("TZ", "EST5", 1);
        ::tzset();
    }
    void TearDown() override
    {
        if (savedZone_.empty())
            ::unsetenv("TZ");
        else
            ::setenv("TZ", savedZone_.c_str(), 1);
        ::tzset();
    }
    std::string savedZone_;
};

GpsRecord At(int year, int month, int day, int hour, int minute, int second)
{
    GpsRecord r;
    r.year = year;
    r.month = month;
    r.day = day;
    r.hour = hour;
    r.minute = minute;
    r.second = second;
    return r;
}

TEST_F(StatusTextsTest, DateAndTimeAreLocal)
{
    StatusTexts t = FormatStatus(At(2027, 1, 1, 2, 5, 9), 0);
    EXPECT_EQ(t.date, "2026/12/31"); // five hours west of UTC
    EXPECT_EQ(t.time, "21:05:09");
    EXPECT_EQ(FormatStatus(At(2024, 2, 29, 12, 0, 0), 0).date, "2024/02/29");
}

TEST_F(StatusTextsTest, InvalidDatesShowTheCurrentTime)
{
    const std::time_t now = 1700000000; // 2023-11-14 22:13:20 UTC
    for (const GpsRecord& r :
         {At(0, 0, 0, 0, 0, 0), At(2023, 2, 29, 1, 0, 0), At(2026, 13, 1, 0, 0, 0),
          At(2026, 4, 31, 0, 0, 0), At(2026, 1, 1, 24, 0, 0), At(2026, 1, 1, 0, 60, 0)}) {
        StatusTexts t = FormatStatus(r, now);
        EXPECT_EQ(t.date, "2023/11/14") << r.year << "-" << r.month << "-" << r.day;
        EXPECT_EQ(t.time, "17:13:20");
    }
}

TEST_F(StatusTextsTest, Values)
{
    GpsRecord r;
    r.latHemisphere = 'S';
    r.latDegrees = 3;
    r.latMinutes = 7;
    r.latSeconds = 59.96;
    r.lonHemisphere = 'E';
    r.lonDegrees = 151;
    r.lonMinutes = 12;
    r.lonSeconds = 5.04;
    r.course = 7;
    r.speedKnots = 10; // 18.52 km/h
    r.altitude = 999.9;
    r.hdop = 12.34;
    r.pdop = 0.96;
    StatusTexts t = FormatStatus(r, 0);
    EXPECT_EQ(t.latitude, "S   3' 7'60.0\" ");
    EXPECT_EQ(t.longitude, "E 151'12'5.0\" ");
    EXPECT_EQ(t.course, "SE 7");
    EXPECT_EQ(t.speed, "18 km/hr");
    EXPECT_EQ(t.altitude, "999 m");
    EXPECT_EQ(t.hdop, "12.3 ");
    EXPECT_EQ(t.pdop, "1.0 ");

    for (auto [type, text] : {std::pair{'1', "Acquiring: No Fix"}, std::pair{'2', "Acquiring: 2D"},
                              std::pair{'3', "Acquiring: 3D"}}) {
        r.fixType = type;
        EXPECT_EQ(FormatStatus(r, 0).fix, text);
    }

    // Values far out of range are held, not undefined.
    r.speedKnots = DBL_MAX;
    r.altitude = 1e300;
    r.latDegrees = 1e13;
    t = FormatStatus(r, 0);
    EXPECT_EQ(t.speed, "2147483647 km/hr");
    EXPECT_EQ(t.altitude, "2147483647 m");
}

} // namespace
} // namespace fixscope
