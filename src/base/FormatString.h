#pragma once

#include <string>

namespace hw {

// Exact formatting with a printf format; the result is UTF-8.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
// FormatString with the interface language's version of `format` (translated
// in `context`). The arguments are checked against the source format; a
// translation whose conversions take other arguments is not used.
std::string FormatTranslated(const char* context, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The arguments a printf format takes, one letter each (i int, u unsigned,
// f double, s text, p pointer, with a length prefix): equal for formats that
// take the same arguments.
std::string FormatArguments(const char* format);

} // namespace hw
