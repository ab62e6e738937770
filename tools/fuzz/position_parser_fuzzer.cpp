// libFuzzer target for typed positions: the first byte chooses the position
// format (an unknown one too), the next four a position in microdegrees, the
// rest are digits as the user typed them. Any digits parse to a magnitude
// that is not negative; a position's entry digits parse back to within the
// format's resolution; every text is UTF-8.
#include "FuzzCheck.h"
#include "base/MemorySettingsStore.h"
#include "base/Utf8.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The digit positions of an entry text: what the masked field hands back.
std::string Digits(const std::string& text)
{
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using hw::fuzz::FuzzCheck;
    if (size < 5)
        return 0;
    MemorySettingsStore settings;
    const int format = data[0] % 4;
    settings.SetInt(section::kSettings, unit_setting::kPositionFormat, format);
    PositionFormatter positions(settings);
    int32_t micro;
    std::memcpy(&micro, data + 1, sizeof micro);
    const std::string typed(reinterpret_cast<const char*>(data + 5), size - 5);

    FuzzCheck(positions.ParseCoordinateDigits(typed) >= 0, "a magnitude is not negative");

    const bool latitude = (data[0] & 4) != 0;
    const int32_t limit = latitude ? 90000000 : 180000000;
    micro = micro % (limit + 1);
    const double degrees = micro / 1e6;
    std::string text =
        latitude ? positions.LatitudeText(degrees) : positions.LongitudeText(degrees);
    std::string entry =
        latitude ? positions.LatitudeEntryText(degrees) : positions.LongitudeEntryText(degrees);
    FuzzCheck(IsValidUtf8(text) && IsValidUtf8(entry), "texts are UTF-8");
    if (format == 3) {
        FuzzCheck(entry == PositionFormatter::kError, "an unknown format says so");
        return 0;
    }
    const int64_t parsed = positions.ParseCoordinateDigits(Digits(entry));
    FuzzCheck(std::llabs(parsed - std::llabs(micro)) <= 3, "entry digits parse back");
    return 0;
}
