#include "units/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace hw {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Skips blanks and one sign; returns whether the sign was a minus.
bool SkipBlanksAndSign(std::string_view& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    return negative;
}

} // namespace

double ParseRealPrefix(std::string_view text)
{
    bool negative = SkipBlanksAndSign(text);
    if (text.empty() || text[0] == '+' || text[0] == '-')
        return 0;
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Saturate as strtod does: too large gives infinity, too small zero.
        bool tiny = false;
        for (const char* p = text.data(); p < end; ++p)
            if (*p == 'e' || *p == 'E') {
                tiny = p + 1 < end && p[1] == '-';
                break;
            }
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        return 0;
    }
    return negative ? -value : value;
}

int32_t ParseIntPrefix(std::string_view text)
{
    bool negative = SkipBlanksAndSign(text);
    int64_t value = 0;
    size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{1} << 32)
            value = int64_t{1} << 32; // saturates below; keep scanning
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

void AppendFixed(std::string& out, double value, int decimals)
{
    if (std::isnan(value)) {
        out += std::signbit(value) ? "-nan" : "nan";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
        return;
    }
    char buffer[400]; // the largest double in fixed notation has 309 digits
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return;
    out.append(buffer, end);
}

std::string FormatFixed(double value, int decimals)
{
    std::string out;
    AppendFixed(out, value, decimals);
    return out;
}

} // namespace hw
