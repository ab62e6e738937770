// libFuzzer target for the numbers read from files: ParseRealPrefix and
// ParseIntPrefix read what the C library reads in the C locale (decimal
// text; integers saturated to 32 bits), and a GPX time text never faults.
#include "FuzzCheck.h"
#include "units/NumberText.h"
#include "waypoints/WaypointImportText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using hw::fuzz::FuzzCheck;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const double real = ParseRealPrefix(text);
    char* end = nullptr;
    const double c = std::strtod(text.c_str(), &end);
    // Hexadecimal numbers and the words inf and nan are the C library's own;
    // subnormal values are read as zero.
    const std::string used(text.c_str(), static_cast<std::size_t>(end - text.c_str()));
    const bool decimal = used.find_first_not_of(" \t\n\v\f\r0123456789.eE+-") == std::string::npos;
    if (decimal && !(c != 0 && std::fabs(c) < DBL_MIN))
        FuzzCheck(real == c, "a real reads as strtod reads it");

    const long long wide = std::strtoll(text.c_str(), nullptr, 10);
    const long long clamped = std::clamp<long long>(wide, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max());
    FuzzCheck(ParseIntPrefix(text) == clamped, "an integer reads as strtoll reads it, saturated");

    (void)ParseTimeText(text);
    (void)TruncateToInt32(real);
    return 0;
}
