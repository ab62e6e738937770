#include "shell/FirstRun.h"

#include "base/SettingsStore.h"

#include <limits>

namespace hw {

bool FirstRun::DisclaimerDue()
{
    if (settings_.GetInt(section::kSettings, kNoDisclaimer, 0) != 1)
        return true;
    // Wraps like the stored 32-bit value rather than overflowing.
    const auto count = static_cast<int32_t>(
        static_cast<uint32_t>(settings_.GetInt(section::kSettings, kRunCount, 0)) + 1u);
    settings_.SetInt(section::kSettings, kRunCount, count);
    return count % 10 == 0;
}

void FirstRun::DisclaimerAccepted(bool doNotShowAgain)
{
    settings_.SetInt(section::kSettings, kNoDisclaimer, doNotShowAgain ? 1 : 0);
}

bool FirstRun::SetupDue() const
{
    return settings_.GetInt(section::kSettings, kFirstSetup, 1) == 1;
}

bool FirstRun::ReceiverNeverSetUp() const
{
    constexpr int32_t kUnset = std::numeric_limits<int32_t>::min();
    return settings_.GetInt(section::kSerial, "端口", kUnset) == kUnset;
}

void FirstRun::SetupDone()
{
    settings_.SetInt(section::kSettings, kFirstSetup, 0);
}

} // namespace hw
