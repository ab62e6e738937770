#include "gps/NmeaFields.h"

#include <charconv>
#include <cmath>
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
    : data_(data), length_(strnlen(data, maxLength))
{
    starts_[count_++] = 0;
    for (size_t i = 0; i < length_ && count_ < kMaxFields; ++i) {
        if (data_[i] == ',')
            starts_[count_++] = static_cast<uint16_t>(i + 1);
    }
}

std::string_view NmeaFields::operator[](size_t index) const
{
    if (index >= count_)
        return {};
    return CutField(data_ + starts_[index], data_ + length_);
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
    std::string_view digits = SkipSpaceAndSign(text, negative);
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1)
            value = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        value = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

int32_t NmeaTwoDigit(std::string_view text)
{
    return NmeaInteger(text.substr(0, 2));
}

double NmeaReal(std::string_view text)
{
    bool negative = false;
    std::string_view number = SkipSpaceAndSign(text, negative);
    // Only decimal forms: no "inf", "nan" or hexadecimal.
    if (number.empty() || !((number[0] >= '0' && number[0] <= '9') || number[0] == '.'))
        return 0;
    double value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

double NmeaCoordinate(std::string_view text, size_t degreeDigits)
{
    double degrees = NmeaReal(text.substr(0, degreeDigits));
    double minutes = NmeaReal(NmeaTail(text, degreeDigits));
    return degrees + minutes * (1.0 / 60.0);
}

} // namespace hw
