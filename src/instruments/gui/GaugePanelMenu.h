#pragma once

#include "base/MainMenu.h"

#include <vector>

namespace hw {

namespace gauge_cmd {
inline constexpr int kCycle = 32795;
inline constexpr int kAltimeter = 32771;
inline constexpr int kCompass = 32783;
inline constexpr int kSpeedometer = 32870;
inline constexpr int kVerticalSpeed = 32877;
inline constexpr int kSpeedSettings = 32863;
inline constexpr int kSmoothing = 32797;
} // namespace gauge_cmd

// Menu 181 "IDR_PANEL_POPUP" of the gauge panel.
const std::vector<MenuEntry>& GaugePanelPopup();

} // namespace hw
