#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace fixscope {

inline constexpr int kPortCount = 10;

// "COM3:" -> 3; 0 for anything that is not a port name of 1 to 10.
int PortNumber(std::string_view portName);
// 3 -> "COM3:".
std::string PortName(int number);

// Which device each port number stands for. A number keeps meaning the same
// device between runs: the numbers are kept in a small file, and a device seen
// for the first time gets the lowest free number there; when all ten are
// taken, the number of the device seen longest ago that is not plugged in.
class PortMap {
public:
    // FIXSCOPE_PORTS ("3=/dev/pts/4;5=/dev/ttyUSB0") when set, alone; otherwise
    // the ports file extended by the devices present (and saved when it grew).
    static PortMap Load();

    // Entries "N=PATH", one a line or separated by ';'; '#' starts a comment.
    // Numbers outside 1-10 and malformed entries are skipped.
    static PortMap FromText(std::string_view text);
    std::string ToText() const;

    // The devices present count as seen now; each device not yet mapped
    // gets the lowest free number, else the number of the least recently
    // seen device that is absent. Returns true when the map changed. A new
    // device stays unmapped only while ten mapped devices are all present.
    bool AddDevices(const std::vector<std::string>& devicePaths);

    // The device behind "COM%d:", or an empty text.
    std::string Resolve(std::string_view portName) const;
    const std::map<int, std::string>& Entries() const { return entries_; }

    // Writes the map to `path` through a temporary file beside it.
    bool Save(const std::string& path) const;

private:
    void Seen(int number);

    std::map<int, std::string> entries_;
    std::vector<int> order_; // the numbers, least recently seen first
};

// The port list's entry: "COM3: /dev/ttyUSB0 (u-blox 7 GPS)" — the port, the
// device node behind it and the product name the device reports (or "not
// plugged in"); "COM4:" alone for a free number. sysRoot is where sysfs is.
std::string PortListEntry(int number, const PortMap& map, const std::string& sysRoot = "/sys");

// Serial devices present: USB receivers by their stable by-id names first,
// then other USB and ACM devices, then serial ports with real hardware.
std::vector<std::string> ListSerialDevices();

// $XDG_CONFIG_HOME/Fixscope/ports (or ~/.config/Fixscope/ports).
std::string PortsFilePath();

} // namespace fixscope
