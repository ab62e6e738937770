#include "gps/PortEnumeration.h"
#include "base/MemorySettingsStore.h"
#include "base/SettingsStore.h"
#include "gps/GpsdAddress.h"
#include "gps/PortRegistry.h"
#include "gps/SystemPortScanner.h"

#include "core/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace hw {
namespace {

namespace fs = std::filesystem;

// A small copy of the kernel's sysfs and /dev layout for serial devices.
class FakeSystem {
public:
    FakeSystem() : sys(dir.Path("sys")), dev(dir.Path("dev")) { fs::create_directories(dev); }

    // A USB adapter whose tty hangs below the interface (usb-serial).
    void AddUsbSerial(const std::string& name, const std::string& usbPort, const std::string& maker,
                      const std::string& product, const std::string& byId = "")
    {
        fs::path iface = AddUsbInterface(usbPort, "067b", "2303", maker, product);
        fs::create_directories(iface / name);
        AddTty(name, iface / name, byId);
    }
    // A CDC-ACM receiver: the tty's device is the interface itself.
    void AddAcm(const std::string& name, const std::string& usbPort, const std::string& maker,
                const std::string& product, const std::string& interfaceName = "")
    {
        fs::path iface = AddUsbInterface(usbPort, "1546", "01a7", maker, product);
        if (!interfaceName.empty())
            Write(iface / "interface", interfaceName);
        AddTty(name, iface, "");
    }
    void AddUart(const std::string& name, const std::string& type)
    {
        fs::path platform = Devices() / "platform" / "serial8250" / name;
        fs::create_directories(platform);
        AddTty(name, platform, "");
        Write(sys / "class" / "tty" / name / "type", type);
    }
    void AddVirtualTerminal(const std::string& name)
    {
        fs::create_directories(sys / "class" / "tty" / name);
    }
    void Unplug(const std::string& name, const std::string& byId = "")
    {
        fs::remove_all(sys / "class" / "tty" / name);
        fs::remove(dev / name);
        if (!byId.empty())
            fs::remove(dev / "serial" / "by-id" / byId);
    }
    std::string Dev(const std::string& name) const { return (dev / name).string(); }
    std::string ById(const std::string& name) const
    {
        return (dev / "serial" / "by-id" / name).string();
    }

    test::TempDir dir;
    fs::path sys;
    fs::path dev;

private:
    // A USB device with its strings (empty ones left out) and one interface.
    fs::path AddUsbInterface(const std::string& usbPort, const std::string& vendor,
                             const std::string& productId, const std::string& maker,
                             const std::string& product)
    {
        fs::path usb = Devices() / usbPort;
        Write(usb / "idVendor", vendor);
        Write(usb / "idProduct", productId);
        if (!maker.empty())
            Write(usb / "manufacturer", maker);
        if (!product.empty())
            Write(usb / "product", product);
        fs::path iface = usb / (usbPort + ":1.0");
        Write(iface / "bInterfaceNumber", "00");
        return iface;
    }
    fs::path Devices() const { return sys / "devices" / "pci0000:00" / "usb1"; }
    static void Write(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text << "\n";
    }
    void AddTty(const std::string& name, const fs::path& device, const std::string& byId)
    {
        fs::path tty = sys / "class" / "tty" / name;
        fs::create_directories(tty);
        fs::create_symlink(device, tty / "device");
        std::ofstream(dev / name).put('\0');
        if (!byId.empty()) {
            fs::create_directories(dev / "serial" / "by-id");
            fs::create_symlink(dev / name, dev / "serial" / "by-id" / byId);
        }
    }
};

struct Ports {
    explicit Ports(FakeSystem& system)
        : scanner(system.sys.string(), system.dev.string()), registry(settings)
    {
    }
    PortListing List() { return EnumeratePorts(scanner, registry); }
    SystemPortScanner scanner;
    MemorySettingsStore settings;
    PortRegistry registry;
};

TEST(PortEnumeration, ListsSerialDevicesWithMakerProductAndPath)
{
    FakeSystem system;
    system.AddUsbSerial("ttyUSB0", "1-1", "Prolific Technology Inc.", "USB-Serial Controller",
                        "usb-Prolific_USB-Serial_Controller-if00-port0");
    system.AddAcm("ttyACM0", "1-2", "u-blox AG", "u-blox 7 - GPS/GNSS Receiver");
    system.AddUart("ttyS0", "4");
    system.AddUart("ttyS1", "0"); // no UART fitted
    system.AddVirtualTerminal("tty0");
    Ports ports(system);

    PortListing listing = ports.List();
    ASSERT_TRUE(listing.ok);
    EXPECT_TRUE(listing.warnings.empty());
    EXPECT_EQ(listing.entries,
              (std::vector<std::string>{"COM1: - u-blox AG u-blox 7 - GPS/GNSS Receiver (" +
                                            system.Dev("ttyACM0") + ")",
                                        "COM2: - Prolific Technology Inc. USB-Serial Controller (" +
                                            system.Dev("ttyUSB0") + ")",
                                        "COM3: - " + system.Dev("ttyS0")}));
    // USB adapters are remembered by the name that survives replugging.
    EXPECT_EQ(ports.registry.PathFor(2),
              system.ById("usb-Prolific_USB-Serial_Controller-if00-port0"));
    EXPECT_EQ(ports.registry.PathFor(1), system.Dev("ttyACM0"));
    EXPECT_EQ(ports.settings.GetText(section::kSerial, "COM3", ""), system.Dev("ttyS0"));
}

TEST(PortEnumeration, NamesFallBackToInterfaceThenIds)
{
    FakeSystem system;
    system.AddAcm("ttyACM0", "1-2", "", "", "GNSS receiver");
    system.AddAcm("ttyACM1", "1-3", "", "");
    Ports ports(system);
    PortListing listing = ports.List();
    ASSERT_EQ(listing.entries.size(), 2u);
    EXPECT_EQ(listing.entries[0], "COM1: - GNSS receiver (" + system.Dev("ttyACM0") + ")");
    EXPECT_EQ(listing.entries[1], "COM2: - USB 1546:01a7 (" + system.Dev("ttyACM1") + ")");
}

TEST(PortEnumeration, NumbersStayWithTheirDevices)
{
    FakeSystem system;
    system.AddUsbSerial("ttyUSB0", "1-1", "Prolific", "GPS", "usb-GPS-port0");
    system.AddUart("ttyS0", "4");
    Ports ports(system);
    ASSERT_TRUE(ports.List().ok);
    ASSERT_EQ(ports.registry.PathFor(1), system.ById("usb-GPS-port0"));
    ASSERT_EQ(ports.registry.PathFor(2), system.Dev("ttyS0"));

    // A new device that sorts first takes a free number; the others keep
    // theirs. The receiver unplugged keeps its number while away and gets it
    // back when it returns under another node name.
    system.AddAcm("ttyACM0", "1-2", "u-blox AG", "u-blox 7");
    system.Unplug("ttyUSB0", "usb-GPS-port0");
    PortListing listing = ports.List();
    EXPECT_EQ(ports.registry.PathFor(3), system.Dev("ttyACM0"));
    EXPECT_EQ(listing.entries.size(), 2u);
    system.AddUsbSerial("ttyUSB3", "1-4", "Prolific", "GPS", "usb-GPS-port0");
    listing = ports.List();
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_EQ(listing.entries[0], "COM1: - Prolific GPS (" + system.Dev("ttyUSB3") + ")");

    // Another registry over the same settings (the next run) agrees.
    PortRegistry nextRun(ports.settings);
    EXPECT_EQ(nextRun.PathFor(3), system.Dev("ttyACM0"));
}

TEST(PortEnumeration, UserMappedPathsAreListedWhileTheyExist)
{
    FakeSystem system;
    system.AddUart("ttyS0", "4");
    Ports ports(system);
    const std::string pty = system.dir.Path("pts-7");
    std::ofstream(pty).put('\n');
    ASSERT_TRUE(ports.registry.Map(9, pty));
    ASSERT_TRUE(ports.registry.Map(7, pty)); // moves, never two numbers
    EXPECT_EQ(ports.registry.PathFor(9), "");
    EXPECT_FALSE(ports.registry.Map(256, pty));
    EXPECT_FALSE(ports.registry.Map(-1, pty));

    PortListing listing = ports.List();
    EXPECT_EQ(listing.entries,
              (std::vector<std::string>{"COM1: - " + system.Dev("ttyS0"), "COM7: - " + pty}));
    fs::remove(pty);
    EXPECT_EQ(ports.List().entries.size(), 1u);
    EXPECT_EQ(ports.registry.PathFor(7), pty);
}

TEST(PortEnumeration, ScannerFallsBackAndFailsCleanly)
{
    // Without sysfs: the USB nodes in /dev (the ttyS nodes say nothing).
    FakeSystem system;
    system.AddUsbSerial("ttyUSB0", "1-1", "Prolific", "GPS");
    system.AddUart("ttyS0", "4");
    fs::remove_all(system.sys);
    Ports ports(system);
    PortListing listing = ports.List();
    ASSERT_TRUE(listing.ok);
    EXPECT_EQ(listing.entries, std::vector<std::string>{"COM1: - " + system.Dev("ttyUSB0")});

    // Without either: the enumeration fails with its message.
    SystemPortScanner nothing(system.dir.Path("none"), system.dir.Path("none"));
    PortListing failed = EnumeratePorts(nothing, ports.registry);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.error, "Could not open \\Drivers\\Active key");

    // A device link that leads nowhere is no device.
    FakeSystem broken;
    fs::create_directories(broken.sys / "class" / "tty" / "ttyUSB5");
    fs::create_symlink(broken.sys / "missing", broken.sys / "class" / "tty" / "ttyUSB5" / "device");
    Ports brokenPorts(broken);
    listing = brokenPorts.List();
    EXPECT_TRUE(listing.entries.empty());

    // The machine's own tty class: every port listed is a tty of the class
    // with a device behind it, named as a node of /dev.
    std::vector<SystemPort> real;
    std::vector<std::string> unreadable;
    ASSERT_TRUE(SystemPortScanner().Scan(real, unreadable));
    for (const SystemPort& port : real) {
        const std::string name = fs::path(port.device).filename().string();
        EXPECT_EQ(port.device, "/dev/" + name);
        EXPECT_TRUE(fs::exists(fs::path("/sys/class/tty") / name / "device")) << port.device;
        EXPECT_FALSE(port.stablePath.empty()) << port.device;
    }
}

TEST(PortDialog, EntriesPreselectionAndNumbers)
{
    std::vector<std::string> entries = PortDialogEntries({"COM12: - a", "COM1: - b"});
    ASSERT_EQ(entries.size(), 2u + 33 + 1);
    EXPECT_EQ(entries[2], "SER00: (COM0)");
    EXPECT_EQ(entries[7], "SER05: (COM5)");
    EXPECT_EQ(entries[entries.size() - 2], "SER32: (COM32)");
    EXPECT_EQ(entries.back(), "gpsd");
    EXPECT_EQ(PreselectedPortEntry(entries, kGpsdPortNumber), entries.size() - 1);
    EXPECT_EQ(PortNumberFromEntry("gpsd"), kGpsdPortNumber);

    EXPECT_EQ(PreselectedPortEntry(entries, 1), 1u); // not COM12
    EXPECT_EQ(PreselectedPortEntry(entries, 12), 0u);
    EXPECT_EQ(PreselectedPortEntry(entries, 5), 7u);
    EXPECT_EQ(PreselectedPortEntry(entries, 200), 0u);
    std::vector<std::string> bare = PortDialogEntries({});
    EXPECT_EQ(bare[PreselectedPortEntry(bare, 3)], "SER03: (COM3)");
    EXPECT_EQ(PreselectedPortEntry({"com4: - x", "SER04: (COM4)"}, 4), 0u);

    EXPECT_EQ(PortNumberFromEntry("COM12: - a"), 12);
    EXPECT_EQ(PortNumberFromEntry("COM1: - b"), 1);
    EXPECT_EQ(PortNumberFromEntry("COM123: - c"), 123);
    EXPECT_EQ(PortNumberFromEntry("SER05: (COM5)"), 5);
    EXPECT_EQ(PortNumberFromEntry("SER32: (COM32)"), 32);
    EXPECT_EQ(PortNumberFromEntry("COM"), -1);
    EXPECT_EQ(PortNumberFromEntry("COMx: - d"), -1);
}

} // namespace
} // namespace hw
