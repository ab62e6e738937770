#include "shell/InterfaceLanguage.h"
#include "base/ReadFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace hw;

TEST(InterfaceLanguageTest, StoredValueChoosesTheLanguage)
{
    EXPECT_EQ(LanguageFromSetting(kLanguageChinese, "en_US.UTF-8"), InterfaceLanguage::Chinese);
    EXPECT_EQ(LanguageFromSetting(kLanguageEnglish, "zh_CN.UTF-8"), InterfaceLanguage::English);
    // A value no release wrote reads as the default.
    EXPECT_EQ(LanguageFromSetting(3, "en_US"), InterfaceLanguage::Chinese);
    EXPECT_EQ(LanguageFromSetting(-1, "en_US"), InterfaceLanguage::Chinese);
}

TEST(InterfaceLanguageTest, DesktopChoiceIsEnglishOnlyForAnEnglishDesktop)
{
    for (const char* english : {"en", "en_GB", "en_US.UTF-8", "en@quot", "en-AU"})
        EXPECT_EQ(LanguageFromSetting(kLanguageDesktop, english), InterfaceLanguage::English)
            << english;
    for (const char* other : {"zh_CN", "zh_TW.UTF-8", "de_DE", "C", "POSIX", "", "eng", "es_US"})
        EXPECT_EQ(LanguageFromSetting(kLanguageDesktop, other), InterfaceLanguage::Chinese)
            << other;
}

TEST(InterfaceLanguageTest, OptionTakesZhOrEnOnly)
{
    InterfaceLanguage language = InterfaceLanguage::Chinese;
    ASSERT_TRUE(ParseLanguageOption("en", language));
    EXPECT_EQ(language, InterfaceLanguage::English);
    ASSERT_TRUE(ParseLanguageOption("zh", language));
    EXPECT_EQ(language, InterfaceLanguage::Chinese);
    for (const char* bad : {"", "EN", "english", "en_US", "zh_CN", "1"}) {
        language = InterfaceLanguage::English;
        EXPECT_FALSE(ParseLanguageOption(bad, language)) << bad;
        EXPECT_EQ(language, InterfaceLanguage::English) << bad;
    }
}

TEST(InterfaceLanguageTest, EachLanguageHasItsHelpFileWithTheContentsAnchor)
{
    for (InterfaceLanguage language : {InterfaceLanguage::Chinese, InterfaceLanguage::English}) {
        const std::string path =
            std::string(HIKEWISE_SOURCE_DIR) + "/resources/" + HelpFileFor(language);
        std::string text;
        ASSERT_TRUE(ReadWholeFile(path, 1 << 20, text)) << path;
        EXPECT_NE(text.find("id=\"Main_Contents\""), std::string::npos) << path;
    }
    EXPECT_STRNE(HelpFileFor(InterfaceLanguage::Chinese), HelpFileFor(InterfaceLanguage::English));
}
