#pragma once

#include <string_view>

namespace hw {

// The language of the windows. Chinese is the program's own; English is the
// translation. Texts written into files are the same in both.
enum class InterfaceLanguage { Chinese, English };

// Where the choice is stored: "Language" in "设置", 0 Chinese (the default),
// 1 English, 2 the desktop's language.
inline constexpr const char* kLanguageSection = "设置";
inline constexpr const char* kLanguageValue = "Language";
inline constexpr int kLanguageChinese = 0;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageDesktop = 2;

// The language for the stored value. `desktopLocale` is the desktop's locale
// name ("en_GB", "zh_CN.UTF-8", "C"): the desktop's choice gives English only
// when its language is English, Chinese otherwise. Values out of range read
// as the default.
InterfaceLanguage LanguageFromSetting(int value, std::string_view desktopLocale);

// The value of --language: "zh" or "en". False for anything else.
bool ParseLanguageOption(std::string_view text, InterfaceLanguage& language);

// The help file under the data folder for the language.
const char* HelpFileFor(InterfaceLanguage language);

} // namespace hw
