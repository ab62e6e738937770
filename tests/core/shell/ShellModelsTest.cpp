#include "base/CommandIds.h"
#include "base/MainMenu.h"
#include "base/MemorySettingsStore.h"
#include "shell/FirstRun.h"
#include "shell/FrameCommands.h"
#include "shell/StatusBarModel.h"
#include "shell/TabPages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace hw;

TEST(FirstRunTest, ReceiverSetUpOnceAPortIsStored)
{
    MemorySettingsStore settings;
    EXPECT_TRUE(FirstRun(settings).ReceiverNeverSetUp());
    settings.SetInt(section::kSerial, "端口", 3); // stored as the integer it is
    EXPECT_FALSE(FirstRun(settings).ReceiverNeverSetUp());
}

TEST(FirstRunTest, DisclaimerEveryStartUntilTickedThenEveryTenth)
{
    MemorySettingsStore s;
    FirstRun run(s);
    EXPECT_TRUE(run.DisclaimerDue());
    EXPECT_TRUE(run.SetupDue());
    run.DisclaimerAccepted(false);
    run.SetupDone();
    EXPECT_FALSE(run.SetupDue());
    EXPECT_TRUE(run.DisclaimerDue()); // not ticked: every start
    EXPECT_FALSE(s.Contains("设置", "RunCount"));
    run.DisclaimerAccepted(true);
    std::string due;
    for (int start = 1; start <= 25; ++start)
        due += run.DisclaimerDue() ? 'D' : '.';
    EXPECT_EQ(due, ".........D.........D.....");
    EXPECT_EQ(s.GetInt("设置", "RunCount", 0), 25);
    // A count at the top of the 32-bit range wraps instead of overflowing.
    s.SetInt("设置", "RunCount", INT32_MAX);
    EXPECT_FALSE(run.DisclaimerDue());
    EXPECT_EQ(s.GetInt("设置", "RunCount", 0), INT32_MIN);
}

TEST(FrameCommandsTest, ChecksAndEnabledStatesFollowTheState)
{
    FrameState st;
    CommandStatus c;
    ASSERT_TRUE(QueryFrameCommand(cmd::kSerialPortSettings, st, c));
    EXPECT_TRUE(c.enabled);
    ASSERT_TRUE(QueryFrameCommand(cmd::kStopNmeaLog, st, c));
    EXPECT_FALSE(c.enabled);
    st.replayMode = true;
    st.logging = true;
    st.portOpen = true;
    st.menuAndIcons = true;
    st.theme = 2;
    QueryFrameCommand(cmd::kSerialPortSettings, st, c);
    EXPECT_FALSE(c.enabled);
    QueryFrameCommand(cmd::kReplayNmea, st, c);
    EXPECT_TRUE(c.checked);
    QueryFrameCommand(cmd::kConnectGps, st, c);
    EXPECT_TRUE(c.checked);
    QueryFrameCommand(cmd::kStartNmeaLog, st, c);
    EXPECT_FALSE(c.enabled);
    QueryFrameCommand(cmd::kStopNmeaLog, st, c);
    EXPECT_TRUE(c.enabled);
    QueryFrameCommand(cmd::kButtonsAndMenus, st, c);
    EXPECT_TRUE(c.checked);
    // A replay that has stopped (end of file, or disconnected) no longer
    // keeps the user from the port settings.
    st.portOpen = false;
    QueryFrameCommand(cmd::kSerialPortSettings, st, c);
    EXPECT_TRUE(c.enabled);
    st.portOpen = true;
    QueryFrameCommand(cmd::kThemeNight, st, c);
    EXPECT_TRUE(c.checked);
    QueryFrameCommand(cmd::kThemeDefault, st, c);
    EXPECT_FALSE(c.checked);
    // Commands of the pages are not the frame's.
    EXPECT_FALSE(QueryFrameCommand(cmd::kMarkWaypoint, st, c));
    EXPECT_FALSE(QueryFrameCommand(cmd::kTabWindows, st, c));
}

TEST(MainMenuTest, EveryCommandOnceWithItsText)
{
    std::set<int> ids;
    int count = 0;
    auto walk = [&](auto&& self, const std::vector<MenuEntry>& entries) -> void {
        for (const MenuEntry& e : entries) {
            if (e.id) {
                ++count;
                ids.insert(e.id);
            }
            self(self, e.children);
        }
    };
    walk(walk, MainMenu());
    EXPECT_EQ(count, 49);
    EXPECT_EQ(ids.size(), 49u);
    ASSERT_EQ(MainMenu().size(), 3u);
    EXPECT_STREQ(MainMenu()[0].text, "工具(&T)");
    EXPECT_STREQ(MainMenu()[1].text, "路点(&W)");
    EXPECT_STREQ(MainMenu()[2].text, "路线");
    EXPECT_STREQ(FindMenuCommand(cmd::kSerialPortSettings)->text, "设置串口 (通讯端口)");
    EXPECT_STREQ(FindMenuCommand(cmd::kAverageStop)->text, "停止／完成");
    EXPECT_STREQ(FindMenuCommand(cmd::kExportGeocacheVisits)->text, "导出 geocache_visits.txt...");
    EXPECT_STREQ(FindMenuCommand(cmd::kAbout)->text, "关于 Hikewise(&A)...");
    EXPECT_EQ(FindMenuCommand(12345), nullptr);
}

TEST(StatusBarModelTest, LedColoursBlocksAndLayout)
{
    StatusBarModel bar;
    EXPECT_EQ(bar.LedColour(), 0x008000u);
    bar.OnSentence(0, 3, 0x123456);
    EXPECT_EQ(bar.LedState(), StatusBarModel::Led::Bright);
    EXPECT_EQ(bar.LedColour(), 0x8080FFu); // red without a fix
    bar.FlashEnded();
    EXPECT_EQ(bar.LedColour(), 0x000080u);
    bar.OnSentence(2, 3, 0x123456);
    EXPECT_EQ(bar.LedColour(), 0xFF8080u); // blue: differential
    bar.OnSentence(1, 3, 0x123456);
    EXPECT_EQ(bar.LedColour(), 0x80FF80u); // green: GPS fix
    bar.OnSentence(6, 3, 0x123456);
    EXPECT_EQ(bar.LedColour(), 0x80FF80u);

    auto layout = bar.LayOut(480, 8);
    EXPECT_EQ(layout.led, (ScreenRect{448, 0, 480, 8}));
    EXPECT_EQ(layout.blocksArea, (ScreenRect{0, 0, 448, 8}));
    ASSERT_EQ(layout.blocks.size(), 3u);
    EXPECT_EQ(layout.blocks[1], (ScreenRect{36, 0, 54, 8})); // w = 448 / 24 = 18
    // Every used satellite of a combined receiver: 17 narrower blocks in
    // the same room.
    bar.OnSentence(1, 17, 0);
    layout = bar.LayOut(480, 8);
    ASSERT_EQ(layout.blocks.size(), 17u);
    EXPECT_EQ(layout.blocks[1], (ScreenRect{26, 0, 39, 8})); // w = 448 / 34 = 13
    EXPECT_LE(layout.blocks.back().right, 448);
    bar.OnSentence(1, 0, 0);
    EXPECT_TRUE(bar.LayOut(480, 8).blocks.empty());
    EXPECT_TRUE(bar.LayOut(0, 0).blocks.empty());
    EXPECT_EQ(StatusBarModel::Height(96), 4);
    EXPECT_EQ(StatusBarModel::Height(192), 8);
}

TEST(TabPagesTest, KeysAndWrapping)
{
    EXPECT_EQ(NextPage(4, 5, true), 0);
    EXPECT_EQ(NextPage(0, 5, false), 4);
    EXPECT_EQ(NextPage(2, 5, true), 3);
    EXPECT_EQ(RouteKey(kGpsPage, NavKey::Up), KeyRoute::PageUpDown);
    EXPECT_EQ(RouteKey(kMapPage, NavKey::Down), KeyRoute::PageUpDown);
    EXPECT_EQ(RouteKey(kAnalysisPage, NavKey::Right), KeyRoute::SwitchPages);
    EXPECT_EQ(RouteKey(kGaugePage, NavKey::Up), KeyRoute::Ignore);
    EXPECT_EQ(RouteKey(kGaugePage, NavKey::Left), KeyRoute::SwitchPages);
    EXPECT_EQ(RouteKey(kTripPage, NavKey::Up), KeyRoute::TripFirst);
    EXPECT_EQ(RouteKey(kTripPage, NavKey::Right), KeyRoute::TripFirst);
    EXPECT_STREQ(kTabPages[0].windowName, "GPSStatusWnd");
    EXPECT_EQ(kTabPages[4].controlId, 256);
}
