#pragma once

#include "base/SettingsStore.h"

#include <string>

namespace hw {

// A setting kept as text holding a decimal number ("0.005"). Reads the
// default when the value is missing, not a number, or not finite. The
// decimal point is always '.', whatever the locale.
double GetDecimalSetting(const SettingsStore& settings, const std::string& section,
                         const std::string& name, double defaultValue);
// Writes the value with "%f".
void SetDecimalSetting(SettingsStore& settings, const std::string& section, const std::string& name,
                       double value);

} // namespace hw
