#include "shell/InterfaceLanguage.h"

namespace hw {

InterfaceLanguage LanguageFromSetting(int value, std::string_view desktopLocale)
{
    if (value == kLanguageEnglish)
        return InterfaceLanguage::English;
    if (value == kLanguageDesktop) {
        // The language is the name's part before the territory, codeset or
        // modifier: "en", "en_US", "en.UTF-8", "en@euro".
        const std::string_view language =
            desktopLocale.substr(0, desktopLocale.find_first_of("_-.@"));
        if (language == "en")
            return InterfaceLanguage::English;
    }
    return InterfaceLanguage::Chinese;
}

bool ParseLanguageOption(std::string_view text, InterfaceLanguage& language)
{
    if (text == "zh") {
        language = InterfaceLanguage::Chinese;
        return true;
    }
    if (text == "en") {
        language = InterfaceLanguage::English;
        return true;
    }
    return false;
}

const char* HelpFileFor(InterfaceLanguage language)
{
    return language == InterfaceLanguage::English ? "help/en/Hikewise.htm" : "help/Hikewise.htm";
}

} // namespace hw
