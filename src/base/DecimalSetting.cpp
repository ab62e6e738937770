#include "base/DecimalSetting.h"

#include "base/FormatString.h"

#include <charconv>
#include <cmath>

namespace hw {

double GetDecimalSetting(const SettingsStore& settings, const std::string& section,
                         const std::string& name, double defaultValue)
{
    std::string text = settings.GetText(section, name, "");
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return defaultValue;
    const char* first = text.data() + begin;
    if (*first == '+')
        ++first;
    double value = 0;
    auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (ec != std::errc() || end == first || !std::isfinite(value))
        return defaultValue;
    return value;
}

void SetDecimalSetting(SettingsStore& settings, const std::string& section, const std::string& name,
                       double value)
{
    settings.SetText(section, name, FormatString("%f", value));
}

} // namespace hw
