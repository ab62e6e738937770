#include "base/Utf8TextCheck.h"

#include "TestFiles.h"
#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace hw {
namespace {

bool Reference(std::string_view text)
{
    bool multiByte = false;
    for (char c : text)
        multiByte = multiByte || static_cast<unsigned char>(c) >= 0x80;
    return multiByte && IsValidUtf8(text);
}

bool InPieces(std::string_view text, std::size_t cut1, std::size_t cut2)
{
    Utf8TextCheck check;
    check.Add(text.substr(0, cut1));
    check.Add(text.substr(cut1, cut2 - cut1));
    check.Add(text.substr(cut2));
    return check.IsUtf8Text();
}

// The choice over a text is the same however it was cut into pieces.
TEST(Utf8TextCheck, TheChoiceDoesNotDependOnThePieces)
{
    for (std::string text : {
             "北京市海淀区", "a°b🦘c", "plain",
             "\xC9\xBD\xB6\xA5",         // CP936
             "ok\xE5\x8C",               // ends inside a character
             "\xC0\x80", "\xE0\x80\x80", // overlong
             "\xED\xA0\x80",             // surrogate
             "\xF4\x90\x80\x80",         // past U+10FFFF
             "x\x80y",                   // stray continuation byte
         })
        for (std::size_t a = 0; a <= text.size(); ++a)
            for (std::size_t b = a; b <= text.size(); ++b)
                EXPECT_EQ(InPieces(text, a, b), Reference(text))
                    << text << " cut " << a << "," << b;

    // Random texts from the bytes that make and break UTF-8.
    std::mt19937 rng(25);
    const unsigned char alphabet[] = {'a',  0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2,
                                      0xDF, 0xE0, 0xE5, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    for (int i = 0; i < 20000; ++i) {
        std::string text(1 + rng() % 8, ' ');
        for (char& c : text)
            c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
        std::size_t a = rng() % (text.size() + 1);
        std::size_t b = a + rng() % (text.size() - a + 1);
        ASSERT_EQ(InPieces(text, a, b), Reference(text)) << i;
    }
}

TEST(Utf8TextCheck, WholeFiles)
{
    test::TempDir dir;
    // Chinese text over every 64 KiB mark of a 200 KiB file.
    std::string text;
    while (text.size() < 200 * 1024)
        text += "路点北京市海淀区 ";
    test::WriteFileBytes(dir.Path("long.txt"), text);
    EXPECT_TRUE(IsUtf8TextFile(dir.Path("long.txt")));
    test::WriteFileBytes(dir.Path("cut.txt"), text + "\xE5\x8C");
    EXPECT_FALSE(IsUtf8TextFile(dir.Path("cut.txt")));
    test::WriteFileBytes(dir.Path("ascii.txt"), "plain\\n");
    EXPECT_FALSE(IsUtf8TextFile(dir.Path("ascii.txt")));
    EXPECT_FALSE(IsUtf8TextFile(dir.Path("missing.txt")));
}

} // namespace
} // namespace hw
