#include "base/HandheldPaths.h"
#include "base/MemorySettingsStore.h"
#include "base/StringTable.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

TEST(MemorySettingsStoreTest, DefaultsNegativeValuesAndChineseNames)
{
    MemorySettingsStore s;
    EXPECT_EQ(s.GetInt("Serial Port Commmunications", "速率", 4800), 4800);
    EXPECT_EQ(s.GetText("设置", "数据库文件", "\\My Documents\\Hikewise\\HWWaypoint.wpt"),
              "\\My Documents\\Hikewise\\HWWaypoint.wpt");
    s.SetInt("设置", "首次通讯设置", -1);
    EXPECT_EQ(s.GetInt("设置", "首次通讯设置", 1), -1);
    s.SetText("主题颜色", "名字", "夜间");
    EXPECT_EQ(s.GetText("主题颜色", "名字", ""), "夜间");
    // A text where a number is expected reads as the default, and the reverse.
    EXPECT_EQ(s.GetInt("主题颜色", "名字", 3), 3);
    EXPECT_EQ(s.GetText("设置", "首次通讯设置", "d"), "d");
}

TEST(HandheldPathsTest, MapsTheHandheldFolders)
{
    HandheldFolders f{"/home/u/Documents", "/home/u/.local/share/KORV/Hikewise"};
    EXPECT_EQ(MapHandheldPath("\\My Documents\\Hikewise\\HWWaypoint.wpt", f),
              "/home/u/Documents/Hikewise/HWWaypoint.wpt");
    EXPECT_EQ(MapHandheldPath("\\my documents\\track.trk", f), "/home/u/Documents/track.trk");
    EXPECT_EQ(MapHandheldPath("\\HTML\\gc.htm", f),
              "/home/u/.local/share/KORV/Hikewise/HTML/gc.htm");
    EXPECT_EQ(MapHandheldPath("/tmp/x.wpt", f), "/tmp/x.wpt");
    EXPECT_EQ(MapHandheldPath("~/x.wpt", f, "/home/u"), "/home/u/x.wpt");
    EXPECT_EQ(MapHandheldPath("\\My DocumentsX\\a", f),
              "/home/u/.local/share/KORV/Hikewise/My DocumentsX/a");
}

TEST(StringTableTest, KnownAndUnknownIds)
{
    EXPECT_STREQ(LoadString(520), "X100 ft per min");
    EXPECT_STREQ(LoadString(1), "");
}

} // namespace
} // namespace hw
