#pragma once

#include "base/DrawList.h"
#include "units/SmoothingFilter.h"

#include <array>
#include <vector>

namespace hw {

class SettingsStore;

// The gauge panel's settings, in section::kPanel ("面板").
namespace gauge_setting {
inline constexpr const char* kMaxSpeed = "最高速度";
inline constexpr const char* kShowNav = "启用 Nav Wnd";
inline constexpr const char* kCycle = "循环测量仪";
inline constexpr const char* kAltimeter = "启用高度表";
inline constexpr const char* kCompass = "启用罗盘";
inline constexpr const char* kSpeedometer = "启用速度表";
inline constexpr const char* kVerticalSpeed = "启用垂直速度";
inline constexpr const char* kSmoothing = "启用平滑模式";
} // namespace gauge_setting

enum GaugeCode {
    kAltimeterGauge = 0,
    kCompassGauge = 1,
    kSpeedometerGauge = 2,
    kVerticalGauge = 3
};

// What the gauges read from the receiver, in the program's units.
struct GaugeReadings {
    double altitudeMetres = 0;
    double speedKnots = 0;
    double verticalSpeed = 0; // metres per minute
    double course = 0;        // degrees
};

// Where the panel's parts go in its client area.
struct GaugePanelRects {
    std::array<ScreenRect, 4> gauges{}; // by gauge code; empty when not shown
    ScreenRect strip{};                 // empty when the strip is hidden
    int stripRows = 1;
    int stripColumns = 3;
};

// The gauge panel's state: the enabled gauges and the cycle through them,
// the smoothed values shown, and the layout of gauges and navigation strip.
class GaugePanelModel {
public:
    static constexpr int kTicksPerGauge = 4; // one-second ticks a gauge stays
    enum class Smoothing { Off, Running, Suspended };

    GaugePanelModel();

    void Load(const SettingsStore& settings);

    bool Enabled(int code) const { return enabled_[static_cast<size_t>(code)]; }
    bool Cycling() const { return cycle_; }
    bool ShowNav() const { return showNav_; }
    bool SmoothingOn() const { return smoothing_; }
    double MaxSpeed() const { return maxSpeed_; }

    // Toggles a gauge and stores it; refused (false) when it is the only one
    // enabled, so that one always stays.
    bool ToggleGauge(int code, SettingsStore& settings);
    bool CanToggle(int code) const;
    void ToggleCycle(SettingsStore& settings);
    void ToggleNav(SettingsStore& settings);
    void ToggleSmoothing(SettingsStore& settings);
    // A whole number of display speed units above 0; false (nothing stored)
    // for another.
    bool SetMaxSpeed(int maxSpeed, SettingsStore& settings);

    // The enabled gauges in the order compass, altimeter, speedometer,
    // vertical speed.
    const std::vector<int>& CycleList() const { return list_; }
    // The gauge shown while cycling; -1 when none is enabled.
    int CurrentGauge() const;
    // Gauges drawn at once: 1 while cycling, else the number enabled.
    int ShownCount() const;
    bool OneAtATime() const { return ShownCount() <= 1; }
    // The gauges to draw, in drawing order.
    std::vector<int> GaugesToDraw() const;

    // The one-second tick: the cycle moves every fourth tick; the values are
    // copied unless the smoothing runs.
    void SecondTick(const GaugeReadings& readings, bool pageVisible);
    // The 100 ms tick of the smoothing: the values move through their filters
    // and the heading turns a fifth of the way, the short way round.
    void SmoothingTick(const GaugeReadings& readings);
    // Whether the 100 ms timer should run now: smoothing on, one gauge at a
    // time and the page shown; Suspended when only the last two fail.
    Smoothing SmoothingState(bool pageVisible) const;
    // Takes the readings unchanged (smoothing off or suspended).
    void CopyValues(const GaugeReadings& readings);

    double Altitude() const { return altitude_; }
    double Speed() const { return speed_; }
    double VerticalSpeed() const { return verticalSpeed_; }
    double Heading() const { return heading_; }
    double FilterAlpha() const { return altitudeFilter_.Alpha(); }

    GaugePanelRects Layout(const ScreenRect& client) const;

private:
    void RebuildList();

    std::array<bool, 4> enabled_{};
    bool cycle_ = true;
    bool showNav_ = true;
    bool smoothing_ = false;
    double maxSpeed_ = 150;
    std::vector<int> list_;
    size_t index_ = 0;
    int ticks_ = 0;
    double altitude_ = 0, speed_ = 0, verticalSpeed_ = 0, heading_ = 0;
    SmoothingFilter altitudeFilter_, speedFilter_, verticalFilter_;
};

} // namespace hw
