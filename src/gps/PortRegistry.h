#pragma once

#include <string>
#include <utility>
#include <vector>

namespace hw {

class SettingsStore;

// A serial device found on the system.
struct SystemPort {
    std::string device;       // the device node, e.g. /dev/ttyUSB0
    std::string stablePath;   // a name that survives replugging (/dev/serial/by-id/...) or device
    std::string friendlyName; // maker and product as the device reports them; may be empty
};

// The numbers behind "COM%d:": which device each port number means. Kept in
// the settings (value "COM<n>" of the serial section holds the device path)
// so that a number keeps meaning the same device between runs and replugs.
// New devices take the lowest free number from 1 to 32, then 0, so that the
// first receiver plugged in becomes the default port 1 and every number the
// receiver search tries can be reached.
class PortRegistry {
public:
    static constexpr int kMaxPort = 255;

    explicit PortRegistry(SettingsStore& settings) : settings_(settings) {}

    // The device path mapped to the number; empty when none.
    std::string PathFor(int port) const;
    // The number mapped to the path, or -1.
    int NumberFor(const std::string& path) const;
    // Maps the number to the path (any path: a pseudo-terminal too); the
    // path leaves any other number it had. False for a number out of range.
    bool Map(int port, const std::string& path);
    void Unmap(int port);
    // The number of a device found on the system (by its stable path or its
    // node), or -1.
    int NumberFor(const SystemPort& port) const;
    // Gives each device without a number the lowest free one; stores them.
    void AssignNumbers(const std::vector<SystemPort>& ports);
    // Every mapping, by number.
    std::vector<std::pair<int, std::string>> Entries() const;

private:
    SettingsStore& settings_;
};

} // namespace hw
