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
    EXPECT_EQ(map.Resolve("COM10:"), "/dev/ttyUSB15"); // 5 to 10 were free
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
