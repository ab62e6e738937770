#pragma once

#include <string>

namespace hw {

// Exact formatting with a printf format; the result is UTF-8.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace hw
