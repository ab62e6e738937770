#include "base/ColourTheme.h"

#include "base/SettingsStore.h"
#include "base/Translate.h"

namespace hw {
namespace {

enum class Base { Fixed, Caption, CaptionText, GreyText, Highlight, Menu, MenuText };

struct Slot {
    Base base;
    Colour fixed;
    double lightness;
};

constexpr Slot S(Base b, double l)
{
    return {b, 0, l};
}
constexpr Slot F(Colour c, double l)
{
    return {Base::Fixed, c, l};
}

// Base colours are COLORREF values: 0xFF0000 is pure blue.
constexpr Slot kThemes[ColourTheme::kThemeCount][ColourTheme::kSlotCount] = {
    {S(Base::Caption, 0.9), S(Base::Caption, 0.2), S(Base::Caption, 0.4),
     S(Base::CaptionText, 0.99), S(Base::Caption, 0.5), S(Base::GreyText, 99),
     S(Base::Highlight, 0.5), S(Base::Menu, 99), S(Base::MenuText, 99)},
    {S(Base::Caption, 0.7), S(Base::Caption, 0.2), S(Base::CaptionText, 0.99),
     S(Base::Caption, 0.4), S(Base::Caption, 0.5), S(Base::GreyText, 99), S(Base::Highlight, 0.5),
     S(Base::Menu, 99), S(Base::MenuText, 99)},
    {F(0x000000, 0.3), F(0x000000, 0.6), F(0x000000, 0.05), F(0xFFFFFF, 0.7), F(0xFFFFFF, 0.5),
     F(0xFFFFFF, 0.3), F(0xFFFFFF, 0.5), F(0x000000, 0), F(0xFFFFFF, 1)},
    {F(0xFF0000, 0.9), F(0xFF0000, 0.2), F(0xFFFFFF, 1), F(0x800000, 0.2), F(0xFF0000, 0.4),
     F(0xFFFFFF, 0.5), F(0xFF0000, 0.5), F(0xFFFFFF, 99), F(0x800000, 99)},
    {F(0xFF0000, 0.3), F(0xFF0000, 0.6), F(0xFF0000, 0.05), F(0xFF0000, 0.6), F(0xFF0000, 0.4),
     F(0xFF0000, 0.1), F(0xFF0000, 0.3), F(0x000000, 0), F(0xFF0000, 0.6)},
};

struct ThemeCommand {
    int id;
    const char* text;
};
constexpr ThemeCommand kCommands[ColourTheme::kThemeCount] = {
    {32900, HW_TRANSLATE_NOOP("MainMenu", "系统颜色")},
    {32908, HW_TRANSLATE_NOOP("MainMenu", "系统颜色 - 2")},
    {32902, HW_TRANSLATE_NOOP("MainMenu", "夜晚")},
    {32904, HW_TRANSLATE_NOOP("MainMenu", "默认")},
    {32906, HW_TRANSLATE_NOOP("MainMenu", "午夜蓝")},
};

Colour BaseColour(const Slot& slot, const SystemColours& system)
{
    switch (slot.base) {
    case Base::Fixed: return slot.fixed;
    case Base::Caption: return system.caption;
    case Base::CaptionText: return system.captionText;
    case Base::GreyText: return system.greyText;
    case Base::Highlight: return system.highlight;
    case Base::Menu: return system.menu;
    case Base::MenuText: return system.menuText;
    }
    return 0;
}

} // namespace

Colour ColourTheme::SlotColour(int theme, int slot, const SystemColours& system)
{
    if (theme < 0 || theme >= kThemeCount || slot < 0 || slot >= kSlotCount)
        return 0;
    const Slot& s = kThemes[theme][slot];
    const Colour base = BaseColour(s, system);
    return s.lightness > 1.0 ? base : WithLightness(base, s.lightness);
}

int ColourTheme::Load(const SettingsStore& settings)
{
    int theme = settings.GetInt(section::kTheme, kThemeValue, 0);
    return theme >= 0 && theme < kThemeCount ? theme : 0;
}

void ColourTheme::Store(SettingsStore& settings, int theme)
{
    settings.SetInt(section::kTheme, kThemeValue, theme);
}

int ColourTheme::ThemeOfCommand(int commandId)
{
    for (int t = 0; t < kThemeCount; ++t)
        if (kCommands[t].id == commandId)
            return t;
    return -1;
}

int ColourTheme::CommandOfTheme(int theme)
{
    return theme >= 0 && theme < kThemeCount ? kCommands[theme].id : -1;
}

const char* ColourTheme::MenuText(int theme)
{
    return theme >= 0 && theme < kThemeCount ? TranslateStable("MainMenu", kCommands[theme].text)
                                             : nullptr;
}

} // namespace hw
