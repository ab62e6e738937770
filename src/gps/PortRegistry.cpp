#include "gps/PortRegistry.h"

#include "base/SettingsStore.h"

namespace hw {
namespace {

std::string ValueName(int port)
{
    return "COM" + std::to_string(port);
}

bool InRange(int port)
{
    return port >= 0 && port <= PortRegistry::kMaxPort;
}

} // namespace

std::string PortRegistry::PathFor(int port) const
{
    if (!InRange(port))
        return {};
    return settings_.GetText(section::kSerial, ValueName(port), "");
}

int PortRegistry::NumberFor(const std::string& path) const
{
    if (path.empty())
        return -1;
    for (int port = 0; port <= kMaxPort; ++port)
        if (PathFor(port) == path)
            return port;
    return -1;
}

int PortRegistry::NumberFor(const SystemPort& port) const
{
    int number = NumberFor(port.stablePath);
    return number >= 0 ? number : NumberFor(port.device);
}

bool PortRegistry::Map(int port, const std::string& path)
{
    if (!InRange(port) || path.empty())
        return false;
    for (int other = NumberFor(path); other >= 0; other = NumberFor(path))
        Unmap(other);
    settings_.SetText(section::kSerial, ValueName(port), path);
    return true;
}

void PortRegistry::Unmap(int port)
{
    if (InRange(port))
        settings_.SetText(section::kSerial, ValueName(port), "");
}

void PortRegistry::AssignNumbers(const std::vector<SystemPort>& ports)
{
    // The search tries 0 to 32; 0 comes last so that port 1, the default,
    // goes to the first device.
    constexpr int kSearchedPorts = 33;
    for (const SystemPort& port : ports) {
        if (NumberFor(port) >= 0)
            continue;
        for (int i = 1; i <= kSearchedPorts; ++i) {
            int number = i % kSearchedPorts;
            if (PathFor(number).empty()) {
                Map(number, port.stablePath);
                break;
            }
        }
    }
}

std::vector<std::pair<int, std::string>> PortRegistry::Entries() const
{
    std::vector<std::pair<int, std::string>> entries;
    for (int port = 0; port <= kMaxPort; ++port) {
        std::string path = PathFor(port);
        if (!path.empty())
            entries.emplace_back(port, std::move(path));
    }
    return entries;
}

} // namespace hw
