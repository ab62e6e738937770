#pragma once

#include <string>

namespace hw {

// Exact formatting with a printf format; the result is UTF-8.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
// FormatString with the interface language's version of `format` (translated
// in `context`). A translation is used only when it fits the source.
std::string FormatTranslated(const char* context, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The conversions of a printf format in order, each as its '*' widths and
// precisions, length modifier and conversion letter, without flags and
// digits: "%-5.2lf and %*d" gives "lf*d"; "%%" gives nothing.
std::string FormatConversions(const char* format);
// Whether a translation may stand for its source format: exactly the same
// conversions (a length modifier is part of one: "%ls" is not "%s"), and no
// "%n", which would write through an argument.
bool TranslationFits(const char* source, const char* translation);

} // namespace hw
