#include "core/PortMap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fixscope {
namespace {

TEST(PortMapTest, PortNames)
{
    EXPECT_EQ(PortNumber("COM1:"), 1);
    EXPECT_EQ(PortNumber("COM10:"), 10);
    for (const char* bad :
         {"COM0:", "COM11:", "COM3", "com3:", "COM:", "COM1x:", "COM99999999999:"})
        EXPECT_EQ(PortNumber(bad), 0) << bad;
    EXPECT_EQ(PortName(7), "COM7:");
}

TEST(PortMapTest, TextFormat)
{
    PortMap map = PortMap::FromText("# comment\n3 = /dev/ttyUSB0\n5=/dev/pts/4;0=/dev/x;11=/dev/y\n"
                                    "junk\n7=\n2=/dev/a#trailing\r\n");
    EXPECT_EQ(map.Resolve("COM3:"), "/dev/ttyUSB0");
    EXPECT_EQ(map.Resolve("COM5:"), "/dev/pts/4");
    EXPECT_EQ(map.Resolve("COM2:"), "/dev/a");
    EXPECT_EQ(map.Entries().size(), 3u);
    EXPECT_EQ(map.Resolve("COM7:"), "");
    EXPECT_EQ(PortMap::FromText(map.ToText()).Entries(), map.Entries());
}

TEST(PortMapTest, NewDevicesTakeTheLowestFreeNumbers)
{
    PortMap map = PortMap::FromText("2=/dev/ttyUSB0\n4=/dev/ttyACM0");
    EXPECT_FALSE(map.AddDevices({"/dev/ttyUSB0", "/dev/ttyACM0"}));
    EXPECT_TRUE(map.AddDevices({"/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS0"}));
    EXPECT_EQ(map.Resolve("COM1:"), "/dev/ttyUSB1");
    EXPECT_EQ(map.Resolve("COM2:"), "/dev/ttyUSB0"); // kept
    EXPECT_EQ(map.Resolve("COM3:"), "/dev/ttyS0");

    std::vector<std::string> many;
    for (int i = 0; i < 20; ++i)
        many.push_back("/dev/ttyUSB" + std::to_string(10 + i));
    map.AddDevices(many);
    EXPECT_EQ(map.Entries().size(), static_cast<std::size_t>(kPortCount));
    // 5 to 10 were free; then the absent devices gave up their numbers,
    // the one seen longest ago first (ttyUSB0 at COM2:, then COM1:, COM4:,
    // COM3:); the rest stay unmapped while all ten are plugged in.
    EXPECT_EQ(map.Resolve("COM5:"), "/dev/ttyUSB10");
    EXPECT_EQ(map.Resolve("COM10:"), "/dev/ttyUSB15");
    EXPECT_EQ(map.Resolve("COM2:"), "/dev/ttyUSB16");
    EXPECT_EQ(map.Resolve("COM1:"), "/dev/ttyUSB17");
    EXPECT_EQ(map.Resolve("COM4:"), "/dev/ttyUSB18");
    EXPECT_EQ(map.Resolve("COM3:"), "/dev/ttyUSB19");
}

TEST(PortMapTest, TheEleventhDeviceTakesTheNumberOfTheOldestAbsentOne)
{
    PortMap map;
    std::vector<std::string> ten;
    for (int i = 0; i < kPortCount; ++i)
        ten.push_back("/dev/ttyUSB" + std::to_string(i));
    EXPECT_TRUE(map.AddDevices(ten));
    // Later runs see some of them again: 3 and 7 are plugged in, then 0.
    map.AddDevices({"/dev/ttyUSB3", "/dev/ttyUSB7"});
    map.AddDevices({"/dev/ttyUSB0"});
    // A new receiver: every number is taken; ttyUSB1 (COM2:) was seen
    // longest ago and is not plugged in.
    EXPECT_TRUE(map.AddDevices({"/dev/ttyACM0", "/dev/ttyUSB3"}));
    EXPECT_EQ(map.Resolve("COM2:"), "/dev/ttyACM0");
    EXPECT_EQ(map.Resolve("COM1:"), "/dev/ttyUSB0");
    EXPECT_EQ(map.Resolve("COM4:"), "/dev/ttyUSB3");
    // The recency survives the file: the next newcomer takes COM3:.
    PortMap reloaded = PortMap::FromText(map.ToText());
    EXPECT_TRUE(reloaded.AddDevices({"/dev/ttyACM1"}));
    EXPECT_EQ(reloaded.Resolve("COM3:"), "/dev/ttyACM1");
    // With all ten plugged in, a newcomer gets no number and nothing moves.
    PortMap full;
    full.AddDevices(ten);
    std::vector<std::string> eleven = ten;
    eleven.push_back("/dev/ttyACM9");
    EXPECT_FALSE(full.AddDevices(eleven));
    EXPECT_EQ(full.Resolve("COM10:"), "/dev/ttyUSB9");
    // Seeing the same devices again in the same order changes nothing.
    EXPECT_FALSE(full.AddDevices(ten));
}

TEST(PortMapTest, TheListShowsTheDeviceAndItsProductName)
{
    namespace fsys = std::filesystem;
    const fsys::path root =
        fsys::temp_directory_path() / ("fixscope-sys-" + std::to_string(::getpid()));
    fsys::remove_all(root);
    // A USB receiver as sysfs shows it: tty -> interface -> device with "product".
    const fsys::path usbDevice = root / "devices/pci0000:00/usb1/1-1";
    fsys::create_directories(usbDevice / "1-1:1.0/ttyACM0");
    std::ofstream(usbDevice / "product") << "u-blox 7 - GPS/GNSS Receiver\n";
    fsys::create_directories(root / "class/tty/ttyACM0");
    fsys::create_directory_symlink(usbDevice / "1-1:1.0", root / "class/tty/ttyACM0/device");
    // The device node itself: any existing file stands for it here.
    const fsys::path node = root / "ttyACM0";
    std::ofstream(node) << "";

    PortMap map = PortMap::FromText("3=" + node.string() + "\n4=" + (root / "gone").string());
    EXPECT_EQ(PortListEntry(1, map, root.string()), "COM1:");
    EXPECT_EQ(PortListEntry(3, map, root.string()),
              "COM3: " + node.string() + " (u-blox 7 - GPS/GNSS Receiver)");
    EXPECT_EQ(PortListEntry(4, map, root.string()),
              "COM4: " + (root / "gone").string() + " (not plugged in)");
    // Through a stable link the node it points to is shown.
    fsys::create_symlink(node, root / "usb-u-blox-if00");
    map = PortMap::FromText("5=" + (root / "usb-u-blox-if00").string());
    EXPECT_EQ(PortListEntry(5, map, root.string()),
              "COM5: " + node.string() + " (u-blox 7 - GPS/GNSS Receiver)");
    fsys::remove_all(root);
}

TEST(PortMapTest, SavedAtomicallyAndLoadedBack)
{
    namespace fsys = std::filesystem;
    fsys::path dir = fsys::temp_directory_path() / ("fixscope-ports-" + std::to_string(::getpid()));
    fsys::remove_all(dir);
    std::string file = (dir / "Fixscope" / "ports").string();
    PortMap map = PortMap::FromText("1=/dev/ttyUSB0\n9=/dev/pts/3");
    ASSERT_TRUE(map.Save(file));
    EXPECT_FALSE(fsys::exists(file + ".tmp"));

    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    ::unsetenv("FIXSCOPE_PORTS");
    EXPECT_EQ(PortsFilePath(), file);
    PortMap loaded = PortMap::Load();
    EXPECT_EQ(loaded.Resolve("COM1:"), "/dev/ttyUSB0");
    EXPECT_EQ(loaded.Resolve("COM9:"), "/dev/pts/3");

    // The environment's map stands alone.
    ::setenv("FIXSCOPE_PORTS", "4=/dev/pts/8", 1);
    PortMap overridden = PortMap::Load();
    EXPECT_EQ(overridden.Entries().size(), 1u);
    EXPECT_EQ(overridden.Resolve("COM4:"), "/dev/pts/8");
    ::unsetenv("FIXSCOPE_PORTS");

    // A target that cannot be written reports failure and keeps the old file.
    fsys::permissions(dir / "Fixscope", fsys::perms::owner_read | fsys::perms::owner_exec);
    if (::access((dir / "Fixscope").c_str(), W_OK) != 0) {
        EXPECT_FALSE(PortMap::FromText("1=/dev/other").Save(file));
        EXPECT_EQ(PortMap::Load().Resolve("COM1:"), "/dev/ttyUSB0");
    }
    fsys::permissions(dir / "Fixscope", fsys::perms::owner_all);
    ::unsetenv("XDG_CONFIG_HOME");
    fsys::remove_all(dir);
}

} // namespace
} // namespace fixscope
