#include "core/PortMap.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace fixscope {

namespace fsys = std::filesystem;

int PortNumber(std::string_view portName)
{
    if (portName.size() < 5 || portName.substr(0, 3) != "COM" || portName.back() != ':')
        return 0;
    std::string_view digits = portName.substr(3, portName.size() - 4);
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || number > kPortCount)
            return 0;
        number = number * 10 + (c - '0');
    }
    return number >= 1 && number <= kPortCount ? number : 0;
}

std::string PortName(int number)
{
    return "COM" + std::to_string(number) + ":";
}

PortMap PortMap::FromText(std::string_view text)
{
    PortMap map;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find_first_of(";\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view entry = text.substr(pos, end - pos);
        pos = end + 1;
        if (std::size_t hash = entry.find('#'); hash != std::string_view::npos)
            entry = entry.substr(0, hash);
        std::size_t eq = entry.find('=');
        if (eq == std::string_view::npos)
            continue;
        std::string_view key = entry.substr(0, eq);
        std::string_view path = entry.substr(eq + 1);
        auto trim = [](std::string_view s) {
            while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
                s.remove_prefix(1);
            while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
                s.remove_suffix(1);
            return s;
        };
        key = trim(key);
        path = trim(path);
        int number = PortNumber("COM" + std::string(key) + ":");
        if (number == 0 || path.empty())
            continue;
        if (!map.entries_.count(number))
            map.order_.push_back(number);
        map.entries_[number] = std::string(path);
    }
    return map;
}

std::string PortMap::ToText() const
{
    std::string text = "# Fixscope port numbers: COMn: = device\n";
    for (int number : order_)
        text += std::to_string(number) + "=" + entries_.at(number) + "\n";
    return text;
}

void PortMap::Seen(int number)
{
    order_.erase(std::remove(order_.begin(), order_.end(), number), order_.end());
    order_.push_back(number);
}

bool PortMap::AddDevices(const std::vector<std::string>& devicePaths)
{
    auto canonical = [](const std::string& path) {
        std::error_code ec;
        fsys::path resolved = fsys::canonical(path, ec);
        return ec ? path : resolved.string();
    };
    std::set<std::string> present;
    for (const std::string& device : devicePaths) {
        present.insert(device);
        present.insert(canonical(device));
    }
    auto isPresent = [&](const std::string& path) {
        return present.count(path) || present.count(canonical(path));
    };
    const std::vector<int> before = order_;
    std::map<std::string, int> known; // path (as given and canonical) -> number
    for (const auto& [number, path] : entries_) {
        known[path] = number;
        known[canonical(path)] = number;
    }
    bool changed = false;
    for (const std::string& device : devicePaths) {
        if (auto it = known.find(device); it != known.end()) {
            Seen(it->second);
            continue;
        }
        if (auto it = known.find(canonical(device)); it != known.end()) {
            Seen(it->second);
            continue;
        }
        int number = 1;
        while (number <= kPortCount && entries_.count(number))
            ++number;
        if (number > kPortCount) {
            // The least recently seen absent device gives up its number.
            auto oldest = std::find_if(order_.begin(), order_.end(),
                                       [&](int n) { return !isPresent(entries_.at(n)); });
            if (oldest == order_.end())
                continue;
            number = *oldest;
            known.erase(entries_.at(number));
            known.erase(canonical(entries_.at(number)));
        }
        entries_[number] = device;
        known[device] = number;
        known[canonical(device)] = number;
        Seen(number);
        changed = true;
    }
    return changed || order_ != before;
}

std::string PortMap::Resolve(std::string_view portName) const
{
    auto it = entries_.find(PortNumber(portName));
    return it == entries_.end() ? std::string() : it->second;
}

bool PortMap::Save(const std::string& path) const
{
    std::error_code ec;
    fsys::create_directories(fsys::path(path).parent_path(), ec);
    std::string temp = path + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::string text = ToText();
    std::string_view rest = text;
    bool ok = true;
    while (ok && !rest.empty()) {
        ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            rest.remove_prefix(static_cast<std::size_t>(n));
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

namespace {

std::string FirstLine(const fsys::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

// The product name of the USB device (or other bus device) behind a tty.
std::string ProductName(const std::string& node, const std::string& sysRoot)
{
    std::error_code ec;
    fsys::path dir = fsys::canonical(
        fsys::path(sysRoot) / "class/tty" / fsys::path(node).filename() / "device", ec);
    for (int up = 0; !ec && up < 4 && !dir.empty(); ++up, dir = dir.parent_path()) {
        if (std::string product = FirstLine(dir / "product"); !product.empty())
            return product;
    }
    return {};
}

} // namespace

std::string PortListEntry(int number, const PortMap& map, const std::string& sysRoot)
{
    std::string entry = PortName(number);
    auto it = map.Entries().find(number);
    if (it == map.Entries().end())
        return entry;
    std::error_code ec;
    const fsys::path node = fsys::canonical(it->second, ec);
    if (ec)
        return entry + " " + it->second + " (not plugged in)";
    entry += " " + node.string();
    if (std::string product = ProductName(node.string(), sysRoot); !product.empty())
        entry += " (" + product + ")";
    return entry;
}

std::vector<std::string> ListSerialDevices()
{
    std::vector<std::string> devices;
    std::set<std::string> covered;
    std::error_code ec;

    std::vector<std::string> byId;
    for (const auto& entry : fsys::directory_iterator("/dev/serial/by-id", ec))
        byId.push_back(entry.path().string());
    std::sort(byId.begin(), byId.end());
    for (const std::string& link : byId) {
        devices.push_back(link);
        covered.insert(fsys::canonical(link, ec).string());
    }

    std::vector<std::string> usb;
    std::vector<std::string> uart;
    for (const auto& entry : fsys::directory_iterator("/dev", ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0) {
            usb.push_back(entry.path().string());
        } else if (name.rfind("ttyS", 0) == 0) {
            // Placeholder ports without hardware report the type 0.
            std::ifstream type("/sys/class/tty/" + name + "/type");
            int portType = 0;
            if (type >> portType && portType != 0)
                uart.push_back(entry.path().string());
        }
    }
    auto byNumber = [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    };
    std::sort(usb.begin(), usb.end(), byNumber);
    std::sort(uart.begin(), uart.end(), byNumber);
    for (const std::string& path : usb)
        if (!covered.count(path))
            devices.push_back(path);
    devices.insert(devices.end(), uart.begin(), uart.end());
    return devices;
}

std::string PortsFilePath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config)
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".";
    return base + "/Fixscope/ports";
}

PortMap PortMap::Load()
{
    if (const char* spec = std::getenv("FIXSCOPE_PORTS"))
        return FromText(spec);
    std::string path = PortsFilePath();
    std::ifstream in(path, std::ios::binary);
    std::string text(64 * 1024, '\0'); // a ports file is a few lines
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    PortMap map = FromText(text);
    if (map.AddDevices(ListSerialDevices()))
        (void)map.Save(path); // the numbers hold for this run even when unsaved
    return map;
}

} // namespace fixscope
