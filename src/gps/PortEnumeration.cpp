#include "gps/PortEnumeration.h"

#include "base/Translate.h"
#include "gps/GpsdAddress.h"
#include "gps/PortRegistry.h"
#include "gps/SystemPortScanner.h"
#include "units/UnitFormatter.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace hw {
namespace {

constexpr int kDialogPorts = 33;

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(a) == lower(b);
    });
}

} // namespace

PortListing EnumeratePorts(const SystemPortScanner& scanner, PortRegistry& registry)
{
    PortListing listing;
    std::vector<SystemPort> ports;
    std::vector<std::string> unreadable;
    if (!scanner.Scan(ports, unreadable)) {
        listing.error = "Could not open \\Drivers\\Active key";
        return listing;
    }
    for (const std::string& path : unreadable)
        listing.warnings.push_back(FormatTranslated(
            "PortEnumeration", HW_TRANSLATE_NOOP("PortEnumeration", "无法打开 %s"), path.c_str()));
    registry.AssignNumbers(ports);

    std::map<int, std::string> byNumber;
    for (const SystemPort& port : ports) {
        int number = registry.NumberFor(port);
        if (number < 0)
            continue; // every number is taken
        std::string friendly =
            port.friendlyName.empty() ? port.device : port.friendlyName + " (" + port.device + ")";
        byNumber.emplace(number, friendly);
    }
    // Paths the user mapped by hand (a pseudo-terminal, a device the scan
    // does not know) while they exist.
    for (const auto& [number, path] : registry.Entries()) {
        std::error_code ec;
        if (!byNumber.count(number) && std::filesystem::exists(path, ec))
            byNumber.emplace(number, path);
    }
    for (const auto& [number, friendly] : byNumber)
        listing.entries.push_back(FormatString("COM%d: - %s", number, friendly.c_str()));
    listing.ok = true;
    return listing;
}

std::vector<std::string> PortDialogEntries(const std::vector<std::string>& enumerated)
{
    std::vector<std::string> entries = enumerated;
    for (int n = 0; n < kDialogPorts; ++n)
        entries.push_back(FormatString("SER%02d: (COM%d)", n, n));
    entries.push_back(kGpsdPortEntry);
    return entries;
}

std::size_t PreselectedPortEntry(const std::vector<std::string>& entries, int storedPort)
{
    if (storedPort == kGpsdPortNumber)
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i] == kGpsdPortEntry)
                return i;
    // "COM1:" with its colon, so that port 1 never selects COM12.
    const std::string prefixes[] = {FormatString("COM%d:", storedPort),
                                    FormatString("SER%02d", storedPort),
                                    FormatString("SER%d", storedPort)};
    for (const std::string& prefix : prefixes)
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (StartsWithNoCase(entries[i], prefix))
                return i;
    return 0;
}

int PortNumberFromEntry(const std::string& entry)
{
    if (entry == kGpsdPortEntry)
        return kGpsdPortNumber;
    if (entry.size() < 4)
        return -1;
    std::string digits = entry.substr(3, 3);
    std::size_t count = 0;
    while (count < digits.size() && digits[count] >= '0' && digits[count] <= '9')
        ++count;
    return count == 0 ? -1 : std::stoi(digits.substr(0, count));
}

} // namespace hw
