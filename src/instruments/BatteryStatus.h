#pragma once

#include <string>

namespace hw {

// The battery flag values of the handheld's power status.
enum BatteryFlag : int {
    kBatteryHigh = 0x01,
    kBatteryLow = 0x02,
    kBatteryCritical = 0x04,
    kBatteryCharging = 0x08,
    kBatteryNone = 0x80,
    kBatteryUnknown = 0xFF,
};
inline constexpr int kBatteryChargeUnknown = 255;

struct BatteryState {
    int chargePercent = kBatteryChargeUnknown; // 0 to 100, 255 when not known
    int flag = kBatteryUnknown;
};

// Where the panels learn the battery state: the system's in the program, a
// fixed one in tests.
class BatteryStatus {
public:
    virtual ~BatteryStatus() = default;
    virtual BatteryState Read() const = 0;
};

class FixedBatteryStatus final : public BatteryStatus {
public:
    explicit FixedBatteryStatus(BatteryState state = {}) : state_(state) {}
    BatteryState Read() const override { return state_; }
    void Set(BatteryState state) { state_ = state; }

private:
    BatteryState state_;
};

// The batteries under a power-supply folder of the kernel (normally
// /sys/class/power_supply): the first supply of type "Battery" gives the
// charge ("capacity"), charging ("status") and the level ("capacity_level").
// No battery there reads as kBatteryNone with an unknown charge.
class SysfsBatteryStatus final : public BatteryStatus {
public:
    explicit SysfsBatteryStatus(std::string root = "/sys/class/power_supply")
        : root_(std::move(root))
    {
    }
    BatteryState Read() const override;

private:
    std::string root_;
};

} // namespace hw
