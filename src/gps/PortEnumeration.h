#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hw {

class PortRegistry;
class SystemPortScanner;

// The serial ports as the port dialogs list them.
struct PortListing {
    bool ok = false;
    std::string error;                 // the message when not ok
    std::vector<std::string> warnings; // messages about devices that could not be read
    std::vector<std::string> entries;  // "COM<n>: - <friendly name>", by number
};

// Lists the system's serial devices and the paths the user mapped, each
// under its port number (new devices are given one). A device without a
// friendly name shows its path instead; one with a name shows the path after
// it, so the user sees which device a number means.
PortListing EnumeratePorts(const SystemPortScanner& scanner, PortRegistry& registry);

// The port dialog's entries: the enumerated ports, then "SER%02d: (COM%d)"
// for the numbers 0 to 32, then "gpsd" (the GPS daemon).
std::vector<std::string> PortDialogEntries(const std::vector<std::string>& enumerated);

// The entry to preselect for the stored port: the enumerated "COM<n>:", else
// "SER<nn>", else "SER<n>", else the first.
std::size_t PreselectedPortEntry(const std::vector<std::string>& entries, int storedPort);

// The port number an entry stands for: the number in its 4th to 6th
// characters ("COM12: - ..." gives 12, "SER05: (COM5)" gives 5),
// kGpsdPortNumber for "gpsd"; -1 if none.
int PortNumberFromEntry(const std::string& entry);

} // namespace hw
