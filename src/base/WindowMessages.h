#pragma once

#include <cstdint>

namespace hw {

// Notifications that cross from the GPS reader and the map model to the
// windows. The values are those of the handheld's posted window messages.
enum WindowMessage : uint32_t {
    WM_GPS_SENTENCE = 0x1400,
    WM_GPS_GGA = 0x1401,
    WM_GPS_GSV = 0x1402,
    WM_GPS_GSA = 0x1403,
    WM_GPS_RMB = 0x1404,
    WM_GPS_RMC = 0x1405,
    WM_GPS_ZDA = 0x1406,
    WM_PROXIMITY_ALARM = 0x1407,
    WM_FIRST_RUN = 0x1408,
};

} // namespace hw
