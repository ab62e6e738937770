#include "gps/NmeaFields.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace hw {

namespace {

std::string_view CutField(const char* begin, const char* end)
{
    const char* p = begin;
    while (p != end && *p != ',' && *p != '*')
        ++p;
    size_t n = static_cast<size_t>(p - begin);
    if (n > NmeaFields::kMaxFieldLength)
        n = NmeaFields::kMaxFieldLength;
    return std::string_view(begin, n);
}

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Leading white space and an optional sign, as the C conversions accept them.
std::string_view SkipSpaceAndSign(std::string_view text, bool& negative)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return text.substr(i);
}

} // namespace

NmeaFields::NmeaFields(const char* data, size_t maxLength)
    : NmeaFields(std::string_view(data, strnlen(data, std::min<size_t>(maxLength, UINT16_MAX))))
{
}

NmeaFields::NmeaFields(std::string_view data) : data_(data.data())
{
    constexpr size_t kUnset = SIZE_MAX;
    const size_t size = std::min<size_t>(data.size(), UINT16_MAX);
    // One pass: a field starts after each comma and ends at the next comma
    // or at the first '*' before it. Both lie below '-': eight bytes at a
    // time are passed over when none does (digits, letters, '.' and '-',
    // most bytes).
    size_t start = 0;
    size_t star = kUnset;
    size_t i = 0;
    while (i < size) {
        if constexpr (std::endian::native == std::endian::little) {
            if (i + 8 <= size) {
                uint64_t w;
                std::memcpy(&w, data.data() + i, 8);
                // The high bit of each byte below '-' (0x2D): neither it nor
                // its low seven bits plus 0x53 reach 0x80. Exact per byte.
                const uint64_t below =
                    ~(((w & 0x7F7F7F7F7F7F7F7Full) + 0x5353535353535353ull) | w) &
                    0x8080808080808080ull;
                if (below == 0) {
                    i += 8;
                    continue;
                }
                i += static_cast<size_t>(std::countr_zero(below) / 8);
            }
        }
        const char c = data[i];
        if (c == ',') {
            Add(start, star == kUnset ? i : star);
            start = i + 1;
            star = kUnset;
            if (count_ == kMaxFields)
                return;
        } else if (c == '*' && star == kUnset) {
            star = i;
        }
        ++i;
    }
    Add(start, star == kUnset ? i : star);
}

void NmeaFields::Add(size_t start, size_t end)
{
    starts_[count_] = static_cast<uint16_t>(start);
    ends_[count_] = static_cast<uint16_t>(end);
    ++count_;
}

char NmeaFields::Letter(size_t index, char fallback) const
{
    std::string_view f = (*this)[index];
    return f.empty() ? fallback : f[0];
}

bool ExtractNmeaField(const char* data, size_t index, char* out, size_t capacity)
{
    if (capacity == 0)
        return false;
    out[0] = '\0';
    const char* p = data;
    for (size_t commas = 0; commas < index; ++p) {
        if (*p == '\0')
            return false;
        if (*p == ',')
            ++commas;
    }
    std::string_view field = CutField(p, p + std::strlen(p));
    size_t n = field.size() < capacity - 1 ? field.size() : capacity - 1;
    std::memcpy(out, field.data(), n);
    out[n] = '\0';
    return n > 0;
}

int32_t NmeaInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] < '0' || text[0] > '9'))
        text = SkipSpaceAndSign(text, negative);
    constexpr uint64_t kLimit = uint64_t{1} << 31;
    uint64_t value = 0;
    for (char c : text) {
        unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit > 9)
            break;
        if (value < kLimit)
            value = value * 10 + digit; // beyond the limit it only saturates
    }
    if (value > kLimit)
        value = kLimit;
    if (negative)
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    return value >= kLimit ? INT32_MAX : static_cast<int32_t>(value);
}

int32_t NmeaTwoDigit(std::string_view text)
{
    return NmeaInteger(text.substr(0, 2));
}

double NmeaReal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] < '0' || text[0] > '9'))
        text = SkipSpaceAndSign(text, negative);
    // Only decimal forms: no "inf", "nan" or hexadecimal.
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.'))
        return 0;

    // The usual NMEA form, digits and a fraction of at most 15 significant
    // digits in all: the digits as an exact integer over an exact power of
    // ten, one correctly rounded division, the same as the C library's
    // result. Anything longer or with an exponent goes the general way.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    uint64_t mantissa = 0;
    size_t digits = 0;
    size_t fraction = 0;
    size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
        mantissa = mantissa * 10 + static_cast<unsigned>(text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits, ++fraction)
            mantissa = mantissa * 10 + static_cast<unsigned>(text[i] - '0');
    }
    double value = 0;
    bool exponent = i < text.size() && (text[i] == 'e' || text[i] == 'E');
    if (digits == 0) {
        return 0; // "." alone
    } else if (digits <= 15 && !exponent) {
        value = static_cast<double>(mantissa) / kPowers[fraction];
    } else {
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        (void)end;
        if (error != std::errc() || !std::isfinite(value))
            return 0;
    }
    return negative ? -value : value;
}

double NmeaCoordinate(std::string_view text, size_t degreeDigits)
{
    double degrees = NmeaReal(text.substr(0, degreeDigits));
    double minutes = NmeaReal(NmeaTail(text, degreeDigits));
    return degrees + minutes * (1.0 / 60.0);
}

} // namespace hw
