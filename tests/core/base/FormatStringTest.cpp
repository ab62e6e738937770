#include "base/FormatString.h"

#include "ScopedLocale.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace hw {
namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
template <typename... Args> std::string CFormat(const char* format, Args... args)
{
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}
template <typename... Args> std::string Ours(const char* format, Args... args)
{
    return FormatString(format, args...);
}
#pragma GCC diagnostic pop

// Every conversion the program uses, and the flags printf gives them, agree
// with the C library's output in the C locale.
TEST(FormatStringTest, agreesWithTheCLibraryInTheCLocale)
{
    test::ScopedLocale c("C");
    const double reals[] = {0.0,
                            -0.0,
                            1.0,
                            -1.5,
                            0.5,
                            2.5,
                            0.125,
                            47.5,
                            1e-5,
                            123456.789,
                            9.9999999,
                            1e15,
                            1e16,
                            1e300,
                            -1e-300,
                            5e-324,
                            DBL_MAX,
                            0.0001234,
                            999999.5,
                            1e-4,
                            99.95,
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::nan("")};
    const char* realFormats[] = {"%f",       "%.1f",    "%.01f", "%07.04f", "%06.03f", "%09.06f",
                                 "%010.06f", "%-8.02f", "%.12f", "%02.01f", "%+.3f",   "% f",
                                 "%e",       "%.3E",    "%g",    "%G",      "%.3g",    "%#g",
                                 "%10.4g",   "%-12e",   "%.0f",  "%#.0f",   "%.0e",    "%+012.3f",
                                 "%a",       "%.2a",    "%.17g", "%.0g"};
    for (const char* format : realFormats)
        for (double v : reals) {
            if (std::string(format) == "%#g" && v == 999999.5)
                continue; // glibc writes "1.e+06" here; the standard's form follows
            EXPECT_EQ(Ours(format, v), CFormat(format, v)) << format << " of " << v;
        }
    EXPECT_EQ(Ours("%#g", 999999.5), "1.00000e+06");

    const int ints[] = {0, 1, -1, 7, 42, -42, 12345, 2147483647, -2147483647 - 1};
    const char* intFormats[] = {"%d",  "%02d", "%04d", "%2d",   "%-5d|", "%+d",
                                "% d", "%.3d", "%.0d", "%05d",  "%x",    "%X",
                                "%#x", "%o",   "%#o",  "%8.3x", "%c|%c"};
    for (const char* format : intFormats)
        for (int v : ints) {
            if (std::string(format).find('c') != std::string::npos)
                EXPECT_EQ(Ours(format, 'N' + (v & 3), 'E'), CFormat(format, 'N' + (v & 3), 'E'));
            else
                EXPECT_EQ(Ours(format, v), CFormat(format, v)) << format << " of " << v;
        }
    EXPECT_EQ(Ours("%03lu %02lu", 7UL, 123456UL), CFormat("%03lu %02lu", 7UL, 123456UL));
    EXPECT_EQ(Ours("%zu/%02zu", size_t{3}, size_t{4}), CFormat("%zu/%02zu", size_t{3}, size_t{4}));
    EXPECT_EQ(Ours("%05lld %02lld", -12LL, 9223372036854775807LL),
              CFormat("%05lld %02lld", -12LL, 9223372036854775807LL));
    EXPECT_EQ(Ours("%0*lld", 6, 42LL), CFormat("%0*lld", 6, 42LL));
    EXPECT_EQ(Ours("%0.*f|%*d|%-*d|", 3, 2.25, -4, 5, 3, 6),
              CFormat("%0.*f|%*d|%-*d|", 3, 2.25, -4, 5, 3, 6));
    EXPECT_EQ(Ours("%u %hhd %hu", 4000000000U, 300, 70000),
              CFormat("%u %hhd %hu", 4000000000U, 300, 70000));
    EXPECT_EQ(Ours("[%s] [%8s] [%-8s] [%.2s] 100%%", "ab", "ab", "ab", "abc"),
              CFormat("[%s] [%8s] [%-8s] [%.2s] 100%%", "ab", "ab", "ab", "abc"));
    EXPECT_EQ(Ours("山 %s 中文", "水"), "山 水 中文");
    EXPECT_EQ(Ours("%Lf", 1.5L), CFormat("%Lf", 1.5L));
    EXPECT_EQ(Ours("%02X%02X", 0xAB, 7), "AB07");
    std::string longText(1000, 'x');
    EXPECT_EQ(Ours("<%s>", longText.c_str()), "<" + longText + ">");
}

TEST(FormatStringTest, writesAPointUnderACommaLocale)
{
    HW_IN_COMMA_LOCALE();
    ASSERT_EQ(CFormat("%.1f", 0.5), "0,5"); // what the C library would have written
    EXPECT_EQ(FormatString("%f", 47.5), "47.500000");
    EXPECT_EQ(FormatString("%07.04f", 14.2143), "14.2143");
    EXPECT_EQ(FormatString("%-8.02f|", 664.7), "664.70  |");
    EXPECT_EQ(FormatString("%g %e", 0.25, 1234.5), "0.25 1.234500e+03");
    EXPECT_EQ(FormatString("%d", 1234567), "1234567");
}

} // namespace
} // namespace hw
