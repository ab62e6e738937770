#pragma once

#include "base/Clock.h"
#include "instruments/BatteryStatus.h"
#include "instruments/PanelReadings.h"
#include "instruments/TimeZoneBias.h"
#include "instruments/TripComputer.h"
#include "units/UnitFormatter.h"

#include <string>

namespace hw {

// The four texts of a digital-panel cell.
struct PanelFieldTexts {
    std::string label;
    std::string value;
    std::string unit;
    std::string subText;
};

// Where the panel texts come from.
struct PanelFieldContext {
    const TripComputer& trip;
    const PanelReadings& readings;
    const UnitFormatter& units;
    const Clock& clock;
    const BatteryStatus& battery;
    const TimeZoneBias& zone;
};

// Fills the four texts of a cell showing the field; any type number is
// accepted (an unknown one shows "???").
void FormatPanelField(int type, const PanelFieldContext& context, PanelFieldTexts& texts);

// The eight-point compass name of a direction in degrees.
const char* CompassPoint(double degrees);

} // namespace hw
