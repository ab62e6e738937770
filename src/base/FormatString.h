#pragma once

#include <string>

namespace hw {

// Exact formatting with a printf format; the result is UTF-8.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same for a format known only at run time, a translated text: its
// conversions must be those of the source text the arguments were written for.
std::string FormatTranslated(const char* format, ...);

} // namespace hw
