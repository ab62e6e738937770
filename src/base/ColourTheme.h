#pragma once

#include "base/Colour.h"

namespace hw {

class SettingsStore;

// The desktop's current colours that themes 0 and 1 are built from.
struct SystemColours {
    Colour caption = Rgb(0, 0, 128);         // active caption
    Colour captionText = Rgb(255, 255, 255); // caption text
    Colour greyText = Rgb(128, 128, 128);    // disabled text
    Colour highlight = Rgb(0, 0, 255);       // selection highlight
    Colour menu = Rgb(255, 255, 255);        // menu background
    Colour menuText = Rgb(0, 0, 0);          // menu text
};

// The five colour themes of the pages, each nine colour slots. Slot k of
// theme t is a base colour (fixed, or one of the system colours) and a
// lightness; a lightness above 1 keeps the base colour as it is.
class ColourTheme {
public:
    static constexpr int kThemeCount = 5;
    static constexpr int kSlotCount = 9;
    static constexpr const char* kThemeValue = "主题"; // in section "主题颜色", default 0

    // The colour of `slot` in `theme`; black for a slot or theme out of range.
    static Colour SlotColour(int theme, int slot, const SystemColours& system);

    // The stored theme; a value out of range reads as 0.
    static int Load(const SettingsStore& settings);
    static void Store(SettingsStore& settings, int theme);

    // Menu commands and texts of the themes; -1 / nullptr when not a theme.
    static int ThemeOfCommand(int commandId);
    static int CommandOfTheme(int theme);
    static const char* MenuText(int theme);
};

} // namespace hw
