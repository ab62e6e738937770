#include "base/FormatString.h"

#include "base/Translate.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>

// A printf of its own: the C library's follows LC_NUMERIC, and files, settings
// and the fixed display formats must always use a point.

namespace hw {
namespace {

struct Spec {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    int width = 0;
    int precision = -1; // -1: none given
    char conversion = 0;
};

enum class Length { None, Char, Short, Long, LongLong, Size, Max, Ptrdiff, LongDouble };

// Writes sign, prefix and digits into width, as printf pads them.
void AppendPadded(std::string& out, const Spec& spec, std::string_view sign, std::string_view body,
                  bool zeroPadAllowed)
{
    size_t length = sign.size() + body.size();
    size_t pad = spec.width > 0 && static_cast<size_t>(spec.width) > length
                     ? static_cast<size_t>(spec.width) - length
                     : 0;
    if (spec.left) {
        out += sign;
        out += body;
        out.append(pad, ' ');
    } else if (spec.zero && zeroPadAllowed) {
        out += sign;
        out.append(pad, '0');
        out += body;
    } else {
        out.append(pad, ' ');
        out += sign;
        out += body;
    }
}

void AppendInteger(std::string& out, const Spec& spec, bool negative, unsigned long long magnitude)
{
    int base = 10;
    switch (spec.conversion) {
    case 'x':
    case 'X': base = 16; break;
    case 'o': base = 8; break;
    default: break;
    }
    char digits[32];
    auto result = std::to_chars(digits, digits + sizeof digits, magnitude, base);
    std::string body;
    if (!(spec.precision == 0 && magnitude == 0))
        body.assign(digits, result.ptr);
    if (spec.conversion == 'X')
        for (char& c : body)
            c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    if (spec.precision > 0 && body.size() < static_cast<size_t>(spec.precision))
        body.insert(0, static_cast<size_t>(spec.precision) - body.size(), '0');
    if (spec.alternate && base == 8 && (body.empty() || body[0] != '0'))
        body.insert(0, 1, '0');
    std::string sign;
    bool isSigned = spec.conversion == 'd' || spec.conversion == 'i';
    if (negative)
        sign = "-";
    else if (isSigned && spec.plus)
        sign = "+";
    else if (isSigned && spec.space)
        sign = " ";
    if (spec.alternate && base == 16 && magnitude != 0)
        sign += spec.conversion == 'X' ? "0X" : "0x";
    AppendPadded(out, spec, sign, body, spec.precision < 0);
}

std::string FloatDigits(long double value, std::chars_format format, int precision)
{
    char buffer[5000]; // %f of the largest long double with a large precision
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}

// The exponent of a %e text ("1.5e+07" gives 7).
int DecimalExponent(const std::string& scientific)
{
    size_t e = scientific.find('e');
    int exponent = 0;
    if (e != std::string::npos)
        std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                        scientific.data() + scientific.size(), exponent);
    return exponent;
}

void StripTrailingZeros(std::string& text)
{
    size_t point = text.find('.');
    if (point == std::string::npos)
        return;
    size_t e = text.find('e');
    size_t end = e == std::string::npos ? text.size() : e;
    size_t last = end;
    while (last > point + 1 && text[last - 1] == '0')
        --last;
    if (last == point + 1)
        --last;
    text.erase(last, end - last);
}

void AppendFloat(std::string& out, const Spec& spec, long double value, bool isLong)
{
    bool upper = spec.conversion == 'F' || spec.conversion == 'E' || spec.conversion == 'G';
    char lower = static_cast<char>(upper ? spec.conversion - 'A' + 'a' : spec.conversion);
    bool negative = std::signbit(value);
    long double magnitude = std::fabs(value);
    std::string sign = negative ? "-" : spec.plus ? "+" : spec.space ? " " : "";
    std::string body;
    bool finite = std::isfinite(magnitude);
    if (!finite) {
        body = std::isnan(magnitude) ? "nan" : "inf";
    } else {
        int precision = spec.precision < 0 ? 6 : spec.precision;
        if (lower == 'f') {
            body = FloatDigits(magnitude, std::chars_format::fixed, precision);
        } else if (lower == 'e') {
            body = FloatDigits(magnitude, std::chars_format::scientific, precision);
        } else if (lower == 'a') {
            if (spec.precision < 0) {
                // A double's digits as printf gives them: the leading digit is 1.
                char buffer[64];
                auto result =
                    isLong ? std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                           std::chars_format::hex)
                           : std::to_chars(buffer, buffer + sizeof buffer,
                                           static_cast<double>(magnitude), std::chars_format::hex);
                body.assign(buffer, result.ptr);
            } else {
                char buffer[64];
                auto result = isLong ? std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                                     std::chars_format::hex, precision)
                                     : std::to_chars(buffer, buffer + sizeof buffer,
                                                     static_cast<double>(magnitude),
                                                     std::chars_format::hex, precision);
                body.assign(buffer, result.ec == std::errc() ? result.ptr : buffer);
            }
            sign += "0x";
        } else { // g
            int significant = precision == 0 ? 1 : precision;
            int exponent = DecimalExponent(
                FloatDigits(magnitude, std::chars_format::scientific, significant - 1));
            if (exponent < significant && exponent >= -4)
                body = FloatDigits(magnitude, std::chars_format::fixed, significant - 1 - exponent);
            else
                body = FloatDigits(magnitude, std::chars_format::scientific, significant - 1);
            if (!spec.alternate)
                StripTrailingZeros(body);
        }
        if (spec.alternate && body.find('.') == std::string::npos) {
            size_t e = body.find(lower == 'a' ? 'p' : 'e');
            body.insert(e == std::string::npos ? body.size() : e, 1, '.');
        }
    }
    if (upper)
        for (char& c : body)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    AppendPadded(out, spec, sign, body, finite);
}

void AppendText(std::string& out, const Spec& spec, const char* text)
{
    if (!text)
        text = "(null)";
    size_t length =
        spec.precision < 0 ? std::strlen(text) : strnlen(text, static_cast<size_t>(spec.precision));
    AppendPadded(out, spec, {}, std::string_view(text, length), false);
}

int ReadNumber(const char*& p)
{
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value < 100000)
            value = value * 10 + (*p - '0');
        ++p;
    }
    return value;
}

void FormatInto(std::string& out, const char* format, va_list args)
{
    for (const char* p = format; *p;) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            size_t length = next ? static_cast<size_t>(next - p) : std::strlen(p);
            out.append(p, length);
            p += length;
            continue;
        }
        const char* start = p++;
        Spec spec;
        for (;; ++p) {
            if (*p == '-')
                spec.left = true;
            else if (*p == '+')
                spec.plus = true;
            else if (*p == ' ')
                spec.space = true;
            else if (*p == '#')
                spec.alternate = true;
            else if (*p == '0')
                spec.zero = true;
            else
                break;
        }
        if (*p == '*') {
            spec.width = va_arg(args, int);
            if (spec.width < 0) {
                spec.left = true;
                spec.width = spec.width == INT32_MIN ? 0 : -spec.width;
            }
            ++p;
        } else {
            spec.width = ReadNumber(p);
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                spec.precision = va_arg(args, int);
                if (spec.precision < 0)
                    spec.precision = -1;
                ++p;
            } else {
                spec.precision = ReadNumber(p);
            }
        }
        Length length = Length::None;
        switch (*p) {
        case 'h':
            length = p[1] == 'h' ? (++p, Length::Char) : Length::Short;
            ++p;
            break;
        case 'l':
            length = p[1] == 'l' ? (++p, Length::LongLong) : Length::Long;
            ++p;
            break;
        case 'z':
            length = Length::Size;
            ++p;
            break;
        case 'j':
            length = Length::Max;
            ++p;
            break;
        case 't':
            length = Length::Ptrdiff;
            ++p;
            break;
        case 'L':
            length = Length::LongDouble;
            ++p;
            break;
        default: break;
        }
        spec.conversion = *p;
        switch (*p) {
        case 'd':
        case 'i': {
            long long v = 0;
            switch (length) {
            case Length::Char: v = static_cast<signed char>(va_arg(args, int)); break;
            case Length::Short: v = static_cast<short>(va_arg(args, int)); break;
            case Length::Long: v = va_arg(args, long); break;
            case Length::LongLong: v = va_arg(args, long long); break;
            case Length::Size: v = static_cast<long long>(va_arg(args, size_t)); break;
            case Length::Max: v = va_arg(args, intmax_t); break;
            case Length::Ptrdiff: v = va_arg(args, ptrdiff_t); break;
            default: v = va_arg(args, int); break;
            }
            unsigned long long magnitude = v < 0 ? 0ULL - static_cast<unsigned long long>(v)
                                                 : static_cast<unsigned long long>(v);
            AppendInteger(out, spec, v < 0, magnitude);
            break;
        }
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            unsigned long long v = 0;
            switch (length) {
            case Length::Char: v = static_cast<unsigned char>(va_arg(args, unsigned)); break;
            case Length::Short: v = static_cast<unsigned short>(va_arg(args, unsigned)); break;
            case Length::Long: v = va_arg(args, unsigned long); break;
            case Length::LongLong: v = va_arg(args, unsigned long long); break;
            case Length::Size: v = va_arg(args, size_t); break;
            case Length::Max: v = va_arg(args, uintmax_t); break;
            case Length::Ptrdiff:
                v = static_cast<unsigned long long>(va_arg(args, ptrdiff_t));
                break;
            default: v = va_arg(args, unsigned); break;
            }
            AppendInteger(out, spec, false, v);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A': {
            long double v =
                length == Length::LongDouble ? va_arg(args, long double) : va_arg(args, double);
            AppendFloat(out, spec, v, length == Length::LongDouble);
            break;
        }
        case 'c': {
            char c = static_cast<char>(va_arg(args, int));
            AppendPadded(out, spec, {}, std::string_view(&c, 1), false);
            break;
        }
        case 's': AppendText(out, spec, va_arg(args, const char*)); break;
        case 'p': {
            Spec hex = spec;
            hex.conversion = 'x';
            hex.alternate = true;
            AppendInteger(out, hex, false, reinterpret_cast<uintptr_t>(va_arg(args, void*)));
            break;
        }
        case '%': out += '%'; break;
        default:
            // Not a conversion: written as it stands.
            if (!*p) {
                out.append(start);
                return;
            }
            out.append(start, static_cast<size_t>(p - start + 1));
            break;
        }
        ++p;
    }
}

} // namespace

std::string FormatConversions(const char* format)
{
    std::string conversions;
    for (const char* p = std::strchr(format, '%'); p != nullptr; p = std::strchr(p, '%')) {
        ++p;
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr)
            ++p;
        // A width or precision: '*' takes an int argument; digits none.
        const auto skipCount = [&] {
            if (*p == '*')
                conversions += *p++;
            while (*p >= '0' && *p <= '9')
                ++p;
        };
        skipCount();
        if (*p == '.') {
            ++p;
            skipCount();
        }
        while (*p != '\0' && std::strchr("hlzjtL", *p) != nullptr)
            conversions += *p++;
        if (*p == '\0')
            break;
        if (*p != '%')
            conversions += *p;
        ++p;
    }
    return conversions;
}

bool TranslationFits(const char* source, const char* translation)
{
    const std::string wanted = FormatConversions(source);
    return FormatConversions(translation) == wanted && wanted.find('n') == std::string::npos;
}

std::string FormatTranslated(const char* context, const char* format, ...)
{
    const std::string translated = Translate(context, format);
    const char* used = TranslationFits(format, translated.c_str()) ? translated.c_str() : format;
    std::string out;
    va_list args;
    va_start(args, format);
    FormatInto(out, used, args);
    va_end(args);
    return out;
}

std::string FormatString(const char* format, ...)
{
    std::string out;
    va_list args;
    va_start(args, format);
    FormatInto(out, format, args);
    va_end(args);
    return out;
}

} // namespace hw
