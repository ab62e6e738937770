#include "base/Translate.h"
#include "base/FormatString.h"
#include "base/StringTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace hw {
namespace {

std::string ToEnglish(const char* context, const char* source)
{
    if (std::strcmp(context, "Trip") == 0 && std::strcmp(source, "行程计程") == 0) {
        return "Trip odometer";
    }
    return source;
}

TEST(TranslateTest, SourceTextUntilATranslatorIsInstalledThenItsAnswer)
{
    EXPECT_EQ(Translate("Trip", "行程计程"), "行程计程");
    SetTranslator(&ToEnglish);
    EXPECT_EQ(Translate("Trip", "行程计程"), "Trip odometer");
    EXPECT_EQ(Translate("Trip", "总里程"), "总里程");
    EXPECT_EQ(Translate("Trip", ""), "");
    EXPECT_EQ(Translate("Trip", nullptr), "");
    SetTranslator(nullptr);
    EXPECT_EQ(Translate("Trip", "行程计程"), "行程计程");
}

} // namespace
} // namespace hw

using namespace hw;

namespace {

// A translator as a .qm file would give: some texts, with a format whose
// arguments were broken by mistake.
std::string TestTranslator(const char* context, const char* source)
{
    const std::string c = context;
    const std::string s = source;
    if (c == "StringTable" && s == "纬度")
        return "Latitude";
    if (c == "Test" && s == "%d 个路点, %s")
        return "%d waypoints, %s";
    if (c == "Test" && s == "无法打开 %s")
        return "Cannot open %d"; // a broken translation: an int for a text
    if (c == "Test" && s == "%.1f 公里")
        return "%.1f km (%s)"; // one argument too many
    if (c == "Test" && s == "%s 已保存")
        return "%ls saved"; // a wide text for a narrow one
    if (c == "Test" && s == "%d 个路点")
        return "%d waypoints%n"; // would write through an argument
    return s;
}

struct TranslatorInstalled {
    TranslatorInstalled() { SetTranslator(&TestTranslator); }
    ~TranslatorInstalled() { SetTranslator(nullptr); }
};

} // namespace

TEST(TranslateTest, StringTableFollowsTheTranslatorAndKeepsItsPointers)
{
    EXPECT_STREQ(LoadString(223), "纬度");
    TranslatorInstalled english;
    const char* first = LoadString(223);
    EXPECT_STREQ(first, "Latitude");
    EXPECT_EQ(LoadString(223), first); // the same kept text, not a copy per call
    // A text without a translation is the source itself; units stay as they are.
    EXPECT_STREQ(LoadString(226), "经度");
    EXPECT_STREQ(LoadString(511), "km");
    EXPECT_STREQ(LoadString(99999), "");
    // A command's prompt: the status bar's text, then the tip.
    EXPECT_EQ(LoadCommandPrompt(32792).status, "编辑当前通过光标选择的路点");
    EXPECT_EQ(LoadCommandPrompt(32789).tip, "删除此路点");
    EXPECT_EQ(LoadCommandPrompt(99999).status, "");
}

TEST(TranslateTest, FormatUsesOnlyTranslationsWithTheSameConversions)
{
    EXPECT_EQ(FormatTranslated("Test", "%d 个路点, %s", 3, "ok"), "3 个路点, ok");
    TranslatorInstalled english;
    EXPECT_EQ(FormatTranslated("Test", "%d 个路点, %s", 3, "ok"), "3 waypoints, ok");
    // A translation that would read its arguments wrongly falls back to the source.
    EXPECT_EQ(FormatTranslated("Test", "无法打开 %s", "/dev/ttyUSB0"), "无法打开 /dev/ttyUSB0");
    EXPECT_EQ(FormatTranslated("Test", "%.1f 公里", 2.25), "2.2 公里");
    EXPECT_EQ(FormatTranslated("Test", "%s 已保存", "a.trk"), "a.trk 已保存");
    EXPECT_EQ(FormatTranslated("Test", "%d 个路点", 3), "3 个路点");
}

TEST(TranslateTest, ATranslationFitsOnlyWithExactlyTheSourcesConversions)
{
    EXPECT_EQ(FormatConversions("%d%%, %5.2f and %-10s"), "dfs");
    EXPECT_EQ(FormatConversions("%*d %lu %c %p %.*Lf"), "*dlucp*Lf");
    EXPECT_EQ(FormatConversions("trailing %"), "");
    const struct {
        const char* source;
        const char* translation;
        bool fits;
    } cases[] = {
        {"%d 个路点, %s", "%d waypoints, %s", true},
        {"%02d:%02d", "%d h %d min", true}, // flags, widths and precisions may change
        {"%5.2f 公里", "%.1f km", true},
        {"100%%", "100 %%", true},
        {"%s", "%ls", false}, // length modifiers count
        {"%d", "%ld", false},
        {"%d", "%hhd", false},
        {"%f", "%Lf", false},
        {"%d", "%i", false},
        {"%d", "%u", false},
        {"%d", "%*d", false},
        {"%d %s", "%s %d", false},
        {"%d", "%d %y", false},
        {"%d", "%d%n", false}, // %n never
        {"%d%n", "%d%n", false},
        {"完成", "100%name", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TranslationFits(c.source, c.translation), c.fits)
            << c.source << " -> " << c.translation;
}
