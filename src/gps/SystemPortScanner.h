#pragma once

#include "gps/PortRegistry.h"

#include <string>
#include <vector>

namespace hw {

// Finds the serial devices of the system from the kernel's tty class in
// sysfs: USB receivers (ttyACM*, ttyUSB*), built-in UARTs (ttyS* with a
// UART behind them, ttyAMA*), with the maker and product a USB device
// reports and the /dev/serial/by-id name that survives replugging. Without
// sysfs it falls back to the device nodes in /dev. The roots can be moved
// for tests.
class SystemPortScanner {
public:
    explicit SystemPortScanner(std::string sysRoot = "/sys", std::string devRoot = "/dev");

    // Fills ports in a stable order (USB first, then built-in, each by
    // number). Paths whose details could not be read are added to
    // unreadable. False when neither sysfs nor /dev can be listed.
    bool Scan(std::vector<SystemPort>& ports, std::vector<std::string>& unreadable) const;

private:
    std::string sysRoot_;
    std::string devRoot_;
};

} // namespace hw
