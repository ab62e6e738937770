#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hw {

// Numbers in files, read and written the same way whatever the process
// locale: the decimal point is always '.'.

// The leading number of a text as the C library reads a real: blanks, a
// sign, digits, a point, more digits, an exponent; the rest is ignored.
// No number reads as 0; out-of-range values saturate.
double ParseRealPrefix(std::string_view text);
// The leading integer of a text (blanks, sign, digits), saturated to 32 bits.
int32_t ParseIntPrefix(std::string_view text);

// A real truncated toward zero into 32 bits, saturating; NaN gives 0.
int32_t TruncateToInt32(double value);
// Degrees to microdegrees (x 1,000,000, truncated toward zero, saturating).
inline int32_t MicrodegreesFromDegrees(double degrees)
{
    return TruncateToInt32(degrees * 1000000.0);
}

// "%.<decimals>f" of the C locale; "nan"/"inf" stay as printf writes them.
std::string FormatFixed(double value, int decimals);
void AppendFixed(std::string& out, double value, int decimals);

} // namespace hw
