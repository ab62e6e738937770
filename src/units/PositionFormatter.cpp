#include "units/PositionFormatter.h"

#include "units/UnitFormatter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hw {
namespace {

constexpr double kOneSixtieth = units::kOneSixtieth;

// Whole degrees and minutes in units of 0.0001 minute, rounded half up; a
// rounding that reaches 60 minutes carries into the degrees.
struct DegreesMinutes {
    unsigned long degrees;
    long tenThousandths;
};

DegreesMinutes Split(double magnitude)
{
    double whole = std::trunc(magnitude);
    DegreesMinutes dm{static_cast<unsigned long>(whole),
                      static_cast<long>((magnitude - whole) * 600000 + 0.5)};
    if (dm.tenThousandths >= 600000) {
        dm.degrees += 1;
        dm.tenThousandths -= 600000;
    }
    return dm;
}

} // namespace

int PositionFormatter::Format() const
{
    return settings_.GetInt(section::kSettings, unit_setting::kPositionFormat, 0);
}

std::string PositionFormatter::Text(double degrees, bool latitude) const
{
    int format = Format();
    if (format < 0 || format > 2)
        return latitude ? kError : "";
    char letter = latitude ? 'N' : 'E';
    if (degrees < 0) {
        degrees = -degrees;
        letter = latitude ? 'S' : 'W';
    }
    if (format == 2)
        return latitude ? FormatString("%c %09.06f°", letter, degrees)
                        : FormatString("%c %010.06f°", letter, degrees);
    DegreesMinutes dm = Split(degrees);
    if (format == 0) {
        double minutes = static_cast<double>(dm.tenThousandths) * 0.0001;
        return latitude ? FormatString("%c %02lu° %07.04f", letter, dm.degrees, minutes)
                        : FormatString("%c %03lu° %07.04f", letter, dm.degrees, minutes);
    }
    int minutes = static_cast<int>(dm.tenThousandths / 10000);
    double seconds = static_cast<double>(dm.tenThousandths % 10000) * 0.0001 * 60;
    return latitude ? FormatString("%c %02lu° %02d' %06.03f", letter, dm.degrees, minutes, seconds)
                    : FormatString("%c %03lu° %02d' %06.03f", letter, dm.degrees, minutes, seconds);
}

std::string PositionFormatter::EntryText(double degrees, bool latitude) const
{
    int format = Format();
    degrees = std::fabs(degrees);
    switch (format) {
    case 0: {
        DegreesMinutes dm = Split(degrees);
        double minutes = static_cast<double>(dm.tenThousandths) * 0.0001;
        return latitude ? FormatString("%02lu%07.04f", dm.degrees, minutes)
                        : FormatString("%03lu%07.04f", dm.degrees, minutes);
    }
    case 1: {
        DegreesMinutes dm = Split(degrees);
        int minutes = static_cast<int>(dm.tenThousandths / 10000);
        double seconds = static_cast<double>(dm.tenThousandths % 10000) * 0.0001 * 60;
        return latitude ? FormatString("%02lu%02d%06.03f", dm.degrees, minutes, seconds)
                        : FormatString("%03lu%02d%06.03f", dm.degrees, minutes, seconds);
    }
    case 2: return latitude ? FormatString("%09.06f", degrees) : FormatString("%010.06f", degrees);
    default: return kError;
    }
}

std::string PositionFormatter::LatitudeText(double degrees) const
{
    return Text(degrees, true);
}
std::string PositionFormatter::LongitudeText(double degrees) const
{
    return Text(degrees, false);
}
std::string PositionFormatter::LatitudeEntryText(double degrees) const
{
    return EntryText(degrees, true);
}
std::string PositionFormatter::LongitudeEntryText(double degrees) const
{
    return EntryText(degrees, false);
}

std::string PositionFormatter::LatitudeEntryMask() const
{
    switch (Format()) {
    case 0: return "99'99.9999";
    case 1: return "99\"99'99.999";
    case 2: return "99.999999";
    default: return kError;
    }
}

std::string PositionFormatter::LongitudeEntryMask() const
{
    switch (Format()) {
    case 0: return "999'99.9999";
    case 1: return "999\"99'99.999";
    case 2: return "999.999999";
    default: return kError;
    }
}

int64_t PositionFormatter::ParseCoordinateDigits(const std::string& digits) const
{
    // Unfilled positions become '0'; anything outside printable ASCII (and
    // tab, LF, CR) becomes a blank; at most 127 characters take part.
    std::string narrow;
    for (unsigned char c : digits) {
        if (narrow.size() == 127)
            break;
        if (c == ' ')
            narrow += '0';
        else if (c == '\t' || c == '\n' || c == '\r' || (c >= 32 && c <= 127))
            narrow += static_cast<char>(c);
        else if (c < 0x80 || c >= 0xC0) // one blank per character, not per byte
            narrow += ' ';
    }
    // A decimal integer as strtoull reads it; more digits than fit saturate.
    // Twelve digits are more than any mask holds; cap so that nothing overflows.
    uint64_t n = std::min<uint64_t>(std::strtoull(narrow.c_str(), nullptr, 10), 999999999999ULL);
    switch (Format()) {
    case 0:
        return static_cast<int64_t>((n / 1000000) * 1000000) +
               static_cast<int64_t>(static_cast<double>(n % 1000000) * 0.0001 * kOneSixtieth *
                                    1000000);
    case 1: {
        uint64_t degrees = n / 10000000;
        uint64_t minutes = (n % 10000000) / 100000;
        uint64_t thousandths = (n % 10000000) % 100000;
        return static_cast<int64_t>(
            (static_cast<double>(minutes) * kOneSixtieth + static_cast<double>(degrees) +
             static_cast<double>(thousandths) * 0.001 * kOneSixtieth * kOneSixtieth + 5e-07) *
            1000000);
    }
    case 2: return static_cast<int64_t>((static_cast<double>(n) * 1e-06 + 5e-07) * 1000000);
    default: return 0;
    }
}

} // namespace hw
