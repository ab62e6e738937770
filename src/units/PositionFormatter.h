#pragma once

#include "base/SettingsStore.h"

#include <cstdint>
#include <string>

namespace hw {

// Text forms of positions under the "PositionFormat" setting (0 degrees and
// decimal minutes, 1 degrees minutes seconds, 2 decimal degrees), the masks
// and digits of the coordinate entry field, and the parser of typed digits.
// The setting is read on every call.
class PositionFormatter {
public:
    explicit PositionFormatter(const SettingsStore& settings) : settings_(settings) {}

    int Format() const;

    std::string LatitudeText(double degrees) const;
    std::string LongitudeText(double degrees) const;
    std::string LatitudeEntryMask() const;
    std::string LongitudeEntryMask() const;
    std::string LatitudeEntryText(double degrees) const;
    std::string LongitudeEntryText(double degrees) const;
    // Digits of a masked field (blanks for unfilled positions) to an unsigned
    // magnitude in millionths of a degree; the caller applies the hemisphere.
    int64_t ParseCoordinateDigits(const std::string& digits) const;

    static constexpr const char* kError = "错误";

private:
    std::string Text(double degrees, bool latitude) const;
    std::string EntryText(double degrees, bool latitude) const;

    const SettingsStore& settings_;
};

} // namespace hw
