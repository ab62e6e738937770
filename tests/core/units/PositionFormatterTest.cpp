#include "units/PositionFormatter.h"
#include "base/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

class PositionFormatterTest : public ::testing::Test {
protected:
    void Format(int f) { store.SetInt("设置", "PositionFormat", f); }
    MemorySettingsStore store;
    PositionFormatter p{store};
};

TEST_F(PositionFormatterTest, DisplayTextsInTheThreeFormats)
{
    Format(0);
    EXPECT_EQ(p.LatitudeText(-33.5), "S 33° 30.0000");
    EXPECT_EQ(p.LongitudeText(8.25), "E 008° 15.0000");
    EXPECT_EQ(p.LatitudeText(0), "N 00° 00.0000");
    EXPECT_EQ(p.LongitudeText(0), "E 000° 00.0000");
    EXPECT_EQ(p.LongitudeText(-122.123456), "W 122° 07.4074");
    Format(1);
    EXPECT_EQ(p.LongitudeText(8.25), "E 008° 15' 00.000");
    // Seconds keep the 0.0001-minute resolution: 0.00075 min rounds to 7.
    EXPECT_EQ(p.LatitudeText(47.5000125), "N 47° 30' 00.042");
    EXPECT_EQ(p.LatitudeText(-0.5), "S 00° 30' 00.000");
    Format(2);
    EXPECT_EQ(p.LatitudeText(-33.5), "S 33.500000°");
    EXPECT_EQ(p.LongitudeText(8.25), "E 008.250000°");
}

TEST_F(PositionFormatterTest, RoundingToSixtyMinutesCarriesIntoDegrees)
{
    Format(0);
    EXPECT_EQ(p.LatitudeText(47.99999995), "N 48° 00.0000");
    EXPECT_EQ(p.LatitudeEntryText(47.99999995), "4800.0000");
    Format(1);
    EXPECT_EQ(p.LongitudeText(-8.99999999), "W 009° 00' 00.000");
}

TEST_F(PositionFormatterTest, OutOfRangeFormatGivesErrorTexts)
{
    Format(3);
    EXPECT_EQ(p.LatitudeText(10), "错误");
    EXPECT_EQ(p.LongitudeText(10), "");
    EXPECT_EQ(p.LatitudeEntryMask(), "错误");
    EXPECT_EQ(p.LongitudeEntryText(10), "错误");
}

TEST_F(PositionFormatterTest, MasksAndEntryTexts)
{
    Format(0);
    EXPECT_EQ(p.LatitudeEntryMask(), "99'99.9999");
    EXPECT_EQ(p.LongitudeEntryMask(), "999'99.9999");
    EXPECT_EQ(p.LatitudeEntryText(-33.5), "3330.0000");
    Format(1);
    EXPECT_EQ(p.LatitudeEntryMask(), "99\"99'99.999");
    EXPECT_EQ(p.LongitudeEntryText(8.25), "0081500.000");
    Format(2);
    EXPECT_EQ(p.LongitudeEntryMask(), "999.999999");
    EXPECT_EQ(p.LatitudeEntryText(-33.5), "33.500000");
}

TEST_F(PositionFormatterTest, ParsesTypedDigitsInEachFormat)
{
    Format(0);
    EXPECT_EQ(p.ParseCoordinateDigits("33300000"), 33500000);
    EXPECT_EQ(p.ParseCoordinateDigits(""), 0);
    EXPECT_EQ(p.ParseCoordinateDigits("        "), 0);
    EXPECT_EQ(p.ParseCoordinateDigits("33 30000"), 33050000); // a blank reads as 0: 33°03.0
    EXPECT_EQ(p.ParseCoordinateDigits("99599999"), 99999998); // no range check, no rounding
    Format(1);
    EXPECT_EQ(p.ParseCoordinateDigits("333000000"), 33500000);
    EXPECT_EQ(p.ParseCoordinateDigits("0081500000"), 8250000);
    Format(2);
    EXPECT_EQ(p.ParseCoordinateDigits("33500000"), 33500000);
    EXPECT_EQ(p.ParseCoordinateDigits("122123456"), 122123456);
    EXPECT_EQ(p.ParseCoordinateDigits("99999999999999999999999"), 999999999999);
}

TEST_F(PositionFormatterTest, TextThenParseRoundTripsInEveryFormat)
{
    const double values[] = {0.0, 12.345678, 47.999999, 89.5, 179.999999};
    for (int format = 0; format < 3; ++format) {
        Format(format);
        for (double v : values) {
            std::string text = p.LongitudeEntryText(v);
            std::string digits;
            for (char c : text)
                if (c >= '0' && c <= '9')
                    digits += c;
            // Format 0 keeps 0.0001 minute (~1.7 microdegrees), format 1 keeps
            // 0.006 s in its text; both truncate when parsed back.
            EXPECT_NEAR(static_cast<double>(p.ParseCoordinateDigits(digits)), v * 1e6, 3.0)
                << "format " << format << " value " << v << " text " << text;
        }
    }
}

} // namespace
} // namespace hw
