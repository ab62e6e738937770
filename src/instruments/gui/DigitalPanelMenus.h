#pragma once

#include "base/CommandIds.h"
#include "base/MainMenu.h"

#include <vector>

namespace hw {

namespace panel_cmd {
inline constexpr int kChangeThisPane = 32778;
inline constexpr int kResetTrip = cmd::kResetTrip;
inline constexpr int kNavChangePane = 32826;
inline constexpr int kNavHide = 32816;
inline constexpr int kPanelChangePane = 32779;
inline constexpr int kPanelShowNav = 32867;
} // namespace panel_cmd

// Menu 175 "IDR_DIGITAL_PANEL_POPUP" of the trip page.
const std::vector<MenuEntry>& DigitalPanelPopup();
// Menu 179 "IDR_NAV_WND_POPUP" of the map's navigation strip.
const std::vector<MenuEntry>& NavWndPopup();
// Menu 180 "IDR_PANEL_DIGITAL_PANEL_POPUP" of the gauge panel's strip.
const std::vector<MenuEntry>& PanelDigitalPanelPopup();

} // namespace hw
