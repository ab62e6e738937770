#pragma once

#include "gps/SerialTransport.h"

#include <memory>
#include <string>

namespace hw {

struct GpsdAddress;

// A TCP connection to the GPS daemon that reads like a serial device: it
// connects (waiting at most connectMs), asks for the receiver's raw
// sentences and hands them on without the daemon's own reports. A closed
// connection reads as a failed read, so the watchdog sees an unplugged
// receiver. Writes go nowhere: the daemon owns the receiver.
std::unique_ptr<SerialHandle> ConnectToGpsd(const GpsdAddress& address, std::string& why,
                                            int connectMs = 1500);

} // namespace hw
