#include "core/StatusTexts.h"

#include "core/NmeaDecoder.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace fixscope {

namespace {

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...)
{
    char text[64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// One decimal with a point whatever LC_NUMERIC says (printf's "%02.01f").
std::string OneDecimal(double value)
{
    char text[352];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string("0.0");
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsValidDateTime(const GpsRecord& r)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (r.year < 1970 || r.year > 9999 || r.month < 1 || r.month > 12 || r.day < 1)
        return false;
    int days = kDays[r.month - 1] + (r.month == 2 && IsLeapYear(r.year) ? 1 : 0);
    return r.day <= days && r.hour < 24 && r.minute < 60 && r.second < 61;
}

std::string Position(char hemisphere, double degrees, double minutes, double seconds)
{
    return Format("%c %3d'%2d'", hemisphere, WholeNumber(degrees), WholeNumber(minutes)) +
           OneDecimal(seconds) + "\" ";
}

} // namespace

StatusTexts FormatStatus(const GpsRecord& r, std::time_t now)
{
    std::time_t when = now;
    if (IsValidDateTime(r)) {
        std::tm utc{};
        utc.tm_year = r.year - 1900;
        utc.tm_mon = r.month - 1;
        utc.tm_mday = r.day;
        utc.tm_hour = r.hour;
        utc.tm_min = r.minute;
        utc.tm_sec = r.second;
        when = timegm(&utc);
    }
    std::tm local{};
    localtime_r(&when, &local);

    StatusTexts t;
    t.date = Format("%02d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    t.time = Format("%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    t.latitude = Position(r.latHemisphere, r.latDegrees, r.latMinutes, r.latSeconds);
    t.longitude = Position(r.lonHemisphere, r.lonDegrees, r.lonMinutes, r.lonSeconds);
    t.hdop = OneDecimal(r.hdop) + " ";
    t.fix = r.fixType == '3'   ? "Acquiring: 3D"
            : r.fixType == '2' ? "Acquiring: 2D"
                               : "Acquiring: No Fix";
    t.course = Format("%c%c%2d", r.latHemisphere, r.lonHemisphere, r.course);
    t.speed = Format("%d km/hr", WholeNumber(r.speedKnots * 1.852));
    t.altitude = Format("%d m", WholeNumber(r.altitude));
    t.pdop = OneDecimal(r.pdop) + " ";
    return t;
}

} // namespace fixscope
