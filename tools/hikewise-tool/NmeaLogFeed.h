#pragma once

#include "gps/GpsFix.h"

#include <functional>
#include <string>

namespace hw::tool {

// Feeds a recorded NMEA log through the receiver's decoder and hands over
// the fix as it stood right after each GPGGA, as the program sees it. False
// with a message when the log cannot be read.
bool FeedNmeaLog(const std::string& path, const std::function<void(const GpsFix&)>& onGga,
                 std::string& error);

} // namespace hw::tool
