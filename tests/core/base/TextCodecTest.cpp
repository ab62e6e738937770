#include "base/TextCodec.h"
#include "base/AnsiCodePageSetting.h"
#include "base/MemorySettingsStore.h"
#include "base/Utf8.h"
#include "base/Utf8TextCheck.h"
#include "units/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <random>
#include <string_view>

namespace hw {
namespace {

TEST(TextCodec, Utf16BothWays)
{
    std::string text = "A 你 🦘";
    std::u16string units = Utf8ToUtf16(text);
    EXPECT_EQ(units.size(), 6u); // the kangaroo is a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(units), text);
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz"); // lone surrogate
    EXPECT_EQ(Utf8ToUtf16("a\xFFz"), u"a\xFFFDz");
}

TEST(TextCodec, LenientDecodingDropsBadBytesAndCuts)
{
    EXPECT_EQ(DecodeUtf8Lenient("caf\xC3\xA9 \xE9t\xE9"), "café t");
    EXPECT_EQ(DecodeUtf8Lenient("ab你cd", 3), "ab你");
    EXPECT_EQ(DecodeUtf8Lenient("a🦘", 2), "a"); // the pair would be the 3rd unit
}

// Decoding one sequence at a time, as plainly as it can be written: what
// the fast paths for ASCII runs and well-formed text must equal.
std::string PlainLenient(std::string_view text, size_t maxUnits)
{
    std::string out;
    size_t units = 0;
    char32_t cp;
    for (size_t i = 0; i < text.size();) {
        const size_t n = DecodeUtf8Sequence(text, i, cp);
        if (n == 0) {
            ++i;
            continue;
        }
        units += cp >= 0x10000 ? 2 : 1;
        if (units > maxUnits)
            break;
        out.append(text.substr(i, n));
        i += n;
    }
    return out;
}

std::u16string PlainUtf16(std::string_view text)
{
    std::u16string out;
    char32_t cp;
    for (size_t i = 0; i < text.size();) {
        size_t n = DecodeUtf8Sequence(text, i, cp);
        if (n == 0) {
            cp = 0xFFFD;
            n = 1;
        }
        i += n;
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

TEST(TextCodec, FastPathsEqualDecodingSequenceBySequence)
{
    // Long ASCII runs with sequences, broken ones and cut ones at every
    // offset around the eight-byte steps.
    const std::string pieces[] = {"abcdefgh",     "xy",           "\xC3\xA9", "你",
                                  "🦘",         "\xFF",         "\xC3",     "\xE4\xBD",
                                  "\xED\xA0\x80", "\xF0\x9F\xA6", "\x80"};
    std::mt19937 rng(28);
    std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1), count(0, 40);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (size_t n = count(rng); n > 0; --n)
            text += pieces[piece(rng)];
        for (size_t maxUnits : {size_t{131072}, text.size(), text.size() / 2, size_t{3}}) {
            ASSERT_EQ(DecodeUtf8Lenient(text, maxUnits), PlainLenient(text, maxUnits))
                << testing::PrintToString(text) << " max " << maxUnits;
        }
        ASSERT_EQ(Utf8ToUtf16(text), PlainUtf16(text)) << testing::PrintToString(text);
        // As little-endian bytes at an odd address, as the database writes them.
        std::string bytes(2 * text.size() + 1, '\0');
        std::u16string units(Utf8ToUtf16Le(text, bytes.data() + 1), u'\0');
        for (size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i + 1]) |
                                             static_cast<unsigned char>(bytes[2 * i + 2]) << 8);
        ASSERT_EQ(units, PlainUtf16(text)) << testing::PrintToString(text);
    }
}

TEST(TextCodec, CodePageAlways)
{
    EXPECT_EQ(AnsiToUtf8("\xC4\xE3\xBA\xC3"), "你好");
    EXPECT_EQ(AnsiToUtf8("\xC9\xBD"), "山"); // valid UTF-8 as well, by chance
    EXPECT_EQ(AnsiToUtf8("plain"), "plain");
    EXPECT_TRUE(IsUtf8Text("ɽ"));
    EXPECT_FALSE(IsUtf8Text("plain")); // nothing says UTF-8
    EXPECT_FALSE(IsUtf8Text("\xC9\xBD\xB6\xA5"));
    EXPECT_EQ(Latin1Bytes("\xC3\x89\xC2\xBD"), "\xC9\xBD");
    // A lead byte without its trail byte becomes one replacement character.
    EXPECT_EQ(AnsiToUtf8("\xC4\xE3\xBA"), "你\xEF\xBF\xBD");
    AnsiDecoder decoder;
    // Bytes cut from a longer text: the half character at the end goes.
    EXPECT_EQ(decoder.DecodeWholeCharacters("\xC4\xE3\xBA"), "你");
    EXPECT_EQ(decoder.DecodeWholeCharacters("\xC4\xE3\xBA\xC3"), "你好");
    EXPECT_EQ(decoder.Decode("\xC4\xE3"), "你");
    EXPECT_EQ(decoder.Decode("\x80"), "€");
}

TEST(NumberText, CPrefixesWhateverTheLocale)
{
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // a comma locale, when installed
    EXPECT_DOUBLE_EQ(ParseRealPrefix(" 47.5abc"), 47.5);
    EXPECT_DOUBLE_EQ(ParseRealPrefix("-1e3x"), -1000);
    EXPECT_DOUBLE_EQ(ParseRealPrefix("+.25"), 0.25);
    EXPECT_DOUBLE_EQ(ParseRealPrefix("1."), 1);
    EXPECT_DOUBLE_EQ(ParseRealPrefix("abc"), 0);
    EXPECT_DOUBLE_EQ(ParseRealPrefix("--1"), 0);
    EXPECT_TRUE(std::isinf(ParseRealPrefix("1e999")));
    EXPECT_EQ(ParseIntPrefix(" -12.7"), -12);
    EXPECT_EQ(ParseIntPrefix("99999999999"), INT32_MAX);
    EXPECT_EQ(ParseIntPrefix("x1"), 0);
    EXPECT_EQ(MicrodegreesFromDegrees(-122.25), -122250000);
    EXPECT_EQ(MicrodegreesFromDegrees(1e300), INT32_MAX);
    EXPECT_EQ(MicrodegreesFromDegrees(std::nan("")), 0);
    EXPECT_EQ(FormatFixed(-122.25, 6), "-122.250000");
    EXPECT_EQ(FormatFixed(999, 6), "999.000000");
    std::setlocale(LC_NUMERIC, "C");
    for (double v : {0.0000005, 0.0000015, 2.5e-7, -0.3048, 47.1234565, 1e20, -0.0}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%f", v);
        EXPECT_EQ(FormatFixed(v, 6), expected);
    }
}

} // namespace
} // namespace hw

namespace hw {
namespace {

TEST(AnsiCodePageSetting, LoadsStoresAndRefusesUnknownCodePages)
{
    MemorySettingsStore settings;
    EXPECT_EQ(LoadAnsiCodePage(settings), 936);
    EXPECT_TRUE(StoreAnsiCodePage(settings, 1252));
    EXPECT_EQ(AnsiCodePage(), 1252);
    EXPECT_EQ(settings.GetInt("设置", "ANSI Code Page", 0), 1252);
    EXPECT_EQ(AnsiDecoder().Decode("caf\xE9"), "café");
    EXPECT_FALSE(StoreAnsiCodePage(settings, 4242));
    EXPECT_EQ(settings.GetInt("设置", "ANSI Code Page", 0), 1252);
    settings.SetInt("设置", "ANSI Code Page", 4242); // edited by hand
    EXPECT_EQ(LoadAnsiCodePage(settings), 936);
    EXPECT_EQ(AnsiCodePage(), 936);
}

} // namespace
} // namespace hw
