#include "base/ColourTheme.h"
#include "base/CommandIds.h"
#include "base/MemorySettingsStore.h"

#include <gtest/gtest.h>

using namespace hw;

TEST(ColourThemeTest, LightnessReplacementKeepsHueAndSaturation)
{
    // Pure blue at lightness 0.9 is a pale blue, at 0.2 a dark blue.
    EXPECT_EQ(WithLightness(0xFF0000, 0.9), Rgb(204, 204, 255));
    EXPECT_EQ(WithLightness(0xFF0000, 0.2), Rgb(0, 0, 102));
    EXPECT_EQ(WithLightness(0xFF0000, 0.5), Rgb(0, 0, 255));
    // Grey has no hue: only the lightness counts.
    EXPECT_EQ(WithLightness(0x000000, 0.3), Rgb(77, 77, 77));
    EXPECT_EQ(WithLightness(0xFFFFFF, 0.05), Rgb(13, 13, 13));
    EXPECT_EQ(WithLightness(Rgb(200, 40, 40), 0.0), Rgb(0, 0, 0));
    EXPECT_EQ(WithLightness(Rgb(200, 40, 40), 1.0), Rgb(255, 255, 255));
    // Out-of-range lightness is clamped rather than wrapping the channels.
    EXPECT_EQ(WithLightness(Rgb(10, 200, 30), 7.0), Rgb(255, 255, 255));
}

TEST(ColourThemeTest, FixedThemesFollowTheirTables)
{
    const SystemColours system;
    // Default theme: a lightness of 99 keeps the base colour.
    EXPECT_EQ(ColourTheme::SlotColour(3, 7, system), 0xFFFFFFu);
    EXPECT_EQ(ColourTheme::SlotColour(3, 8, system), 0x800000u);
    EXPECT_EQ(ColourTheme::SlotColour(3, 0, system), Rgb(204, 204, 255));
    EXPECT_EQ(ColourTheme::SlotColour(3, 2, system), 0xFFFFFFu);
    // Night: dark greys, light text.
    EXPECT_EQ(ColourTheme::SlotColour(2, 0, system), Rgb(77, 77, 77));
    EXPECT_EQ(ColourTheme::SlotColour(2, 7, system), 0u);
    EXPECT_EQ(ColourTheme::SlotColour(2, 8, system), 0xFFFFFFu);
    // Midnight blue: slot 7 black, text blue.
    EXPECT_EQ(ColourTheme::SlotColour(4, 7, system), 0u);
    EXPECT_EQ(ColourTheme::SlotColour(4, 3, system), Rgb(51, 51, 255));
    // Outside the tables: black, never a read past the end.
    EXPECT_EQ(ColourTheme::SlotColour(5, 0, system), 0u);
    EXPECT_EQ(ColourTheme::SlotColour(0, 9, system), 0u);
    EXPECT_EQ(ColourTheme::SlotColour(-1, -1, system), 0u);
}

TEST(ColourThemeTest, SystemThemesFollowTheDesktop)
{
    SystemColours system;
    system.caption = Rgb(0, 120, 0);
    system.greyText = Rgb(1, 2, 3);
    system.menu = Rgb(9, 8, 7);
    system.captionText = Rgb(255, 255, 0);
    EXPECT_EQ(ColourTheme::SlotColour(0, 5, system), Rgb(1, 2, 3));
    EXPECT_EQ(ColourTheme::SlotColour(1, 7, system), Rgb(9, 8, 7));
    EXPECT_EQ(ColourTheme::SlotColour(0, 4, system), Rgb(0, 255, 0));
    EXPECT_EQ(ColourTheme::SlotColour(1, 2, system), WithLightness(Rgb(255, 255, 0), 0.99));
    system.caption = Rgb(120, 0, 0);
    EXPECT_EQ(ColourTheme::SlotColour(0, 4, system), Rgb(255, 0, 0));
}

TEST(ColourThemeTest, StoredThemeAndCommands)
{
    MemorySettingsStore s;
    EXPECT_EQ(ColourTheme::Load(s), 0);
    ColourTheme::Store(s, 2);
    EXPECT_EQ(s.GetInt("主题颜色", "主题", -1), 2);
    EXPECT_EQ(ColourTheme::Load(s), 2);
    s.SetInt("主题颜色", "主题", 9);
    EXPECT_EQ(ColourTheme::Load(s), 0);

    EXPECT_EQ(ColourTheme::ThemeOfCommand(cmd::kThemeSystem), 0);
    EXPECT_EQ(ColourTheme::ThemeOfCommand(cmd::kThemeSystem2), 1);
    EXPECT_EQ(ColourTheme::ThemeOfCommand(cmd::kThemeNight), 2);
    EXPECT_EQ(ColourTheme::ThemeOfCommand(cmd::kThemeDefault), 3);
    EXPECT_EQ(ColourTheme::ThemeOfCommand(cmd::kThemeMidnightBlue), 4);
    EXPECT_EQ(ColourTheme::ThemeOfCommand(cmd::kExit), -1);
    for (int t = 0; t < ColourTheme::kThemeCount; ++t)
        EXPECT_EQ(ColourTheme::ThemeOfCommand(ColourTheme::CommandOfTheme(t)), t);
    EXPECT_STREQ(ColourTheme::MenuText(4), "午夜蓝");
}
