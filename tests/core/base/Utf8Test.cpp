#include "base/Utf8.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

TEST(Utf8Test, RoundTripsEveryLength)
{
    std::string text = "A°路\U0001F600";
    std::u32string chars = DecodeUtf8(text);
    EXPECT_EQ(chars, U"A°路\U0001F600");
    EXPECT_EQ(EncodeUtf8(chars), text);
    EXPECT_TRUE(IsValidUtf8(text));
}

TEST(Utf8Test, MalformedBytesBecomeReplacementCharacters)
{
    // A lone continuation byte, an overlong slash, an encoded surrogate, a
    // truncated sequence at the end, and a CP936 pair.
    EXPECT_EQ(DecodeUtf8("\x80"), U"\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"
                         "a"),
              U"\uFFFD\uFFFDa");
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("b\xE8\xB7"), U"b\uFFFD\uFFFD");
    EXPECT_FALSE(IsValidUtf8("\xC2\xB7\xB5\xE3"));
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    // Code points that have no UTF-8 form are written as U+FFFD.
    EXPECT_EQ(EncodeUtf8(std::u32string(1, char32_t{0xD800})), "\xEF\xBF\xBD");
}

TEST(Utf8Test, CutsFallBetweenCharacters)
{
    const std::string text = "a北京🦘";
    EXPECT_EQ(Utf8CutLength(text, 0), 0u);
    EXPECT_EQ(Utf8CutLength(text, 1), 1u);
    for (std::size_t n : {2u, 3u})
        EXPECT_EQ(Utf8CutLength(text, n), 1u) << n;
    EXPECT_EQ(Utf8CutLength(text, 4), 4u);
    for (std::size_t n : {7u, 8u, 9u, 10u})
        EXPECT_EQ(Utf8CutLength(text, n), 7u) << n;
    EXPECT_EQ(Utf8CutLength(text, 11), 11u);
    EXPECT_EQ(Utf8CutLength(text, 99), 11u);
    // Stray continuation bytes are not one character: a cut among them stays.
    EXPECT_EQ(Utf8CutLength("\x80\x80\x80\x80\x80", 4), 4u);
}

} // namespace
} // namespace hw
