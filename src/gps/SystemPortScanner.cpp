#include "gps/SystemPortScanner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

namespace hw {
namespace fs = std::filesystem;
namespace {

struct Kind {
    const char* prefix;
    int rank; // USB receivers first, then built-in ports
};
constexpr Kind kKinds[] = {{"ttyACM", 0}, {"ttyUSB", 0}, {"ttyAMA", 1}, {"ttyS", 2}};

struct Found {
    int rank;
    std::string prefix;
    long number;
    SystemPort port;
};

// Recognises the serial device names we list; fills the sort key.
bool Classify(const std::string& name, Found& found)
{
    for (const Kind& kind : kKinds) {
        std::string prefix = kind.prefix;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string digits = name.substr(prefix.size());
        if (digits.size() > 6 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        found.rank = kind.rank;
        found.prefix = prefix;
        found.number = std::stol(digits);
        return true;
    }
    return false;
}

// The first line of a small sysfs attribute, without trailing blanks.
std::string ReadAttribute(const fs::path& path)
{
    std::ifstream in(path);
    std::string line;
    if (!in)
        return {};
    char buffer[257] = {};
    in.getline(buffer, sizeof buffer - 1);
    line = buffer;
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t'))
        line.pop_back();
    return line;
}

bool Exists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

// Maker and product of the USB device behind a tty, from the nearest
// ancestor in the device tree that is a USB device.
std::string UsbFriendlyName(fs::path dir)
{
    std::string interfaceName;
    for (int up = 0; up < 5 && dir.has_relative_path(); ++up, dir = dir.parent_path()) {
        if (interfaceName.empty() && Exists(dir / "bInterfaceNumber"))
            interfaceName = ReadAttribute(dir / "interface");
        if (!Exists(dir / "idVendor"))
            continue;
        std::string maker = ReadAttribute(dir / "manufacturer");
        std::string product = ReadAttribute(dir / "product");
        std::string name = maker;
        if (!product.empty() && product.find(maker) == std::string::npos)
            name = name.empty() ? product : name + " " + product;
        else if (!product.empty())
            name = product;
        if (name.empty())
            name = interfaceName;
        if (name.empty())
            name =
                "USB " + ReadAttribute(dir / "idVendor") + ":" + ReadAttribute(dir / "idProduct");
        return name;
    }
    return interfaceName;
}

// /dev/serial/by-id names by the device node they point at.
std::map<std::string, std::string> StableNames(const fs::path& devRoot)
{
    std::map<std::string, std::string> names;
    std::error_code ec;
    fs::directory_iterator it(devRoot / "serial" / "by-id", ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code linkError;
        fs::path target = fs::canonical(it->path(), linkError);
        if (!linkError)
            names.emplace(target.string(), it->path().string());
    }
    return names;
}

} // namespace

SystemPortScanner::SystemPortScanner(std::string sysRoot, std::string devRoot)
    : sysRoot_(std::move(sysRoot)), devRoot_(std::move(devRoot))
{
}

bool SystemPortScanner::Scan(std::vector<SystemPort>& ports,
                             std::vector<std::string>& unreadable) const
{
    ports.clear();
    const fs::path devRoot(devRoot_);
    std::vector<Found> found;

    std::error_code ec;
    fs::directory_iterator ttys(fs::path(sysRoot_) / "class" / "tty", ec);
    const bool haveSysfs = !ec;
    if (haveSysfs) {
        for (; !ec && ttys != fs::directory_iterator(); ttys.increment(ec)) {
            Found entry;
            const std::string name = ttys->path().filename().string();
            if (!Classify(name, entry))
                continue;
            const fs::path deviceLink = ttys->path() / "device";
            if (!Exists(deviceLink))
                continue; // a virtual terminal, not hardware
            // The legacy UART slots exist whether or not a UART is fitted;
            // type 0 means there is none.
            if (entry.prefix == "ttyS" && ReadAttribute(ttys->path() / "type") == "0")
                continue;
            std::error_code linkError;
            fs::path deviceDir = fs::canonical(deviceLink, linkError);
            if (linkError)
                unreadable.push_back(deviceLink.string());
            else
                entry.port.friendlyName = UsbFriendlyName(deviceDir);
            entry.port.device = (devRoot / name).string();
            found.push_back(std::move(entry));
        }
    } else {
        // No sysfs (a container): the USB and on-board nodes in /dev. The
        // ttyS nodes are left out, as nothing tells which have a UART.
        fs::directory_iterator nodes(devRoot, ec);
        if (ec)
            return false;
        for (; !ec && nodes != fs::directory_iterator(); nodes.increment(ec)) {
            Found entry;
            const std::string name = nodes->path().filename().string();
            if (Classify(name, entry) && entry.prefix != "ttyS") {
                entry.port.device = nodes->path().string();
                found.push_back(std::move(entry));
            }
        }
    }

    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.rank, a.prefix, a.number) < std::tie(b.rank, b.prefix, b.number);
    });
    const auto stable = StableNames(devRoot);
    for (Found& entry : found) {
        std::error_code nodeError;
        fs::path node = fs::weakly_canonical(entry.port.device, nodeError);
        auto it = stable.find(node.string());
        entry.port.stablePath = it != stable.end() ? it->second : entry.port.device;
        ports.push_back(std::move(entry.port));
    }
    return true;
}

} // namespace hw
