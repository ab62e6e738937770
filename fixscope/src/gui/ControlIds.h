#pragma once

namespace fixscope {

// Identifiers of the window's commands and controls; each widget carries its
// identifier in the "controlId" property (see FindControl).
enum ControlId : int {
    IDD_PORT_SCAN = 107,
    IDC_PORT = 10102,
    IDC_BAUD = 10103,
    IDC_TABS = 10110,
    IDC_SCAN = 10111,
    IDC_OPEN_CLOSE = 10112,
    IDC_HOT_START = 10113,
    IDC_COLD_START = 10114,
    IDC_WARM_START = 10115,
    IDC_POWER_SAVE = 10118,
    IDC_SBAS = 10119,
    IDC_LOG = 10121,
    IDM_ABOUT = 40001,
    IDM_EXIT = 40005,
};

} // namespace fixscope
