#include "instruments/BatteryStatus.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <vector>

namespace hw {
namespace {

// The first line of a small attribute file, without its line feed.
std::string ReadAttribute(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

} // namespace

BatteryState SysfsBatteryStatus::Read() const
{
    std::error_code ec;
    std::vector<std::filesystem::path> supplies;
    for (const auto& entry : std::filesystem::directory_iterator(root_, ec))
        supplies.push_back(entry.path());
    std::sort(supplies.begin(), supplies.end());
    for (const auto& supply : supplies) {
        if (ReadAttribute(supply / "type") != "Battery")
            continue;
        BatteryState state;
        std::string capacity = ReadAttribute(supply / "capacity");
        int percent = 0;
        auto [end, err] =
            std::from_chars(capacity.data(), capacity.data() + capacity.size(), percent);
        if (err == std::errc() && end != capacity.data() && percent >= 0 && percent <= 100)
            state.chargePercent = percent;
        std::string status = ReadAttribute(supply / "status");
        std::string level = ReadAttribute(supply / "capacity_level");
        if (status == "Charging")
            state.flag = kBatteryCharging;
        else if (level == "Critical")
            state.flag = kBatteryCritical;
        else if (level == "Low")
            state.flag = kBatteryLow;
        else if (level == "Normal" || level == "High" || level == "Full" || status == "Full")
            state.flag = kBatteryHigh;
        else if (state.chargePercent != kBatteryChargeUnknown)
            state.flag = state.chargePercent <= 5    ? kBatteryCritical
                         : state.chargePercent <= 20 ? kBatteryLow
                                                     : kBatteryHigh;
        return state;
    }
    return {kBatteryChargeUnknown, kBatteryNone};
}

} // namespace hw
