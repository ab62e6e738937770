#include "gps/NmeaParser.h"
#include "NmeaTestSupport.h"
#include "base/WindowMessages.h"
#include "gps/NmeaFields.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace hw {
namespace {

using test::NmeaSentence;
using test::RecordingSink;
using Messages = std::vector<uint32_t>;

constexpr char kGga[] = "$GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*7F\r\n";

class NmeaParserTest : public ::testing::Test {
protected:
    void Feed(const std::string& bytes) { parser.Feed(bytes.data(), bytes.size()); }
    RecordingSink sink;
    NmeaParser parser{&sink};
};

// ---- Framing and checksums -------------------------------------------------

TEST_F(NmeaParserTest, ChecksummedSentenceDispatchesOnceOnSecondDigit)
{
    std::string s = kGga;
    size_t star = s.find('*');
    Feed(s.substr(0, star + 2)); // up to the first checksum digit
    EXPECT_TRUE(sink.Messages().empty());
    Feed(s.substr(star + 2, 1)); // second digit
    EXPECT_EQ(sink.Messages(), (Messages{WM_GPS_GGA, WM_GPS_SENTENCE}));
    Feed("\r\n\r\n\n");
    EXPECT_EQ(sink.Messages().size(), 2u);
    EXPECT_EQ(parser.SentenceCount(), 1u);
    GpsFix fix = parser.Snapshot();
    EXPECT_NEAR(fix.ggaLatitude, 38.908478333, 1e-9);
    EXPECT_NEAR(fix.ggaLongitude, -77.440871667, 1e-9);
    EXPECT_DOUBLE_EQ(fix.altitude, 268.8);
    EXPECT_FALSE(sink.nonZeroParameters);
}

TEST_F(NmeaParserTest, WrongChecksumChangesNothingAndPostsNothing)
{
    Feed("$GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*7E\r\n");
    Feed("$GPRMC,125106,A,3854.5087,N,07726.4523,W,0.0,0.0,241011,10.5,W,S*29\r\n");
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_EQ(parser.SentenceCount(), 0u);
    GpsFix fix = parser.Snapshot();
    EXPECT_EQ(fix.ggaLatitude, 0);
    EXPECT_EQ(fix.ggaCount, 0u);
    EXPECT_EQ(fix.rmcCount, 0u);
}

TEST_F(NmeaParserTest, SentenceWithoutChecksumIsAcceptedOnCarriageReturn)
{
    Feed("$GPGGA,101010,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\r");
    EXPECT_EQ(sink.Messages(), (Messages{WM_GPS_GGA, WM_GPS_SENTENCE}));
    EXPECT_NEAR(parser.Snapshot().ggaLatitude, 48.1173, 1e-9);
}

TEST_F(NmeaParserTest, OtherTalkersAndTypesAreCountedOnly)
{
    Feed(NmeaSentence("IIGGA,101010,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    Feed(NmeaSentence("PGGSV,1,1,04,65,10,020,30,66,20,040,35,67,30,060,40,68,40,080,45"));
    Feed(NmeaSentence("GPVTG,0.0,T,10.5,M,0.0,N,0.0,K"));
    Feed(NmeaSentence("gpgga,101010,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(sink.Messages(),
              (Messages{WM_GPS_SENTENCE, WM_GPS_SENTENCE, WM_GPS_SENTENCE, WM_GPS_SENTENCE}));
    EXPECT_EQ(parser.SentenceCount(), 4u);
    EXPECT_EQ(parser.Snapshot().ggaLatitude, 0);
}

TEST_F(NmeaParserTest, OverlongAddressOrDataDropsTheSentence)
{
    Feed(NmeaSentence("GPGGAXXX,1")); // 8-character address
    Feed(NmeaSentence("GPGGAXX,1"));  // 7 characters: framed and counted
    EXPECT_EQ(parser.SentenceCount(), 1u);

    std::string longest(255, 'x');
    Feed(NmeaSentence("PXYZ," + longest)); // 255 characters of data
    EXPECT_EQ(parser.SentenceCount(), 2u);
    Feed(NmeaSentence("PXYZ," + longest + "x")); // 256
    Feed("$PXYZ," + std::string(5000, 'x') + "\r\n");
    EXPECT_EQ(parser.SentenceCount(), 2u);
    // The machine is hunting again afterwards.
    Feed(kGga);
    EXPECT_EQ(parser.SentenceCount(), 3u);
}

TEST_F(NmeaParserTest, SplitFeedsAndByteByByteFeedsDecodeTheSame)
{
    std::string stream = std::string("noise\n") + kGga +
                         NmeaSentence("GPRMC,125108,A,3854.5087,N,07726.4523,W,1.5,87.0,241011,,") +
                         "$GPGSA,A,3,03,07,,,,,,,,,,,3.6,2.0,3.0*" /* cut mid-checksum */;
    for (char c : stream)
        parser.Feed(&c, 1);
    RecordingSink wholeSink;
    NmeaParser whole(&wholeSink);
    whole.Feed(stream.data(), stream.size());
    EXPECT_EQ(sink.Messages(), wholeSink.Messages());
    GpsFix a = parser.Snapshot();
    GpsFix b = whole.Snapshot();
    EXPECT_EQ(a.rmcLatitude, b.rmcLatitude);
    EXPECT_EQ(a.ggaLatitude, b.ggaLatitude);
    EXPECT_DOUBLE_EQ(a.speed, 1.5);
    // The cut sentence waits for the rest of its checksum.
    Feed("3E\r\n"); // not its checksum: dropped
    EXPECT_EQ(parser.Snapshot().gsaCount, 0u);
}

TEST_F(NmeaParserTest, ChecksumDigitsMustBeHexadecimal)
{
    std::string s = NmeaSentence("GPZDA,201530.00,04,07,2002,00,00");
    std::string lower = s;
    size_t star = lower.find('*');
    for (size_t i = star + 1; i < star + 3; ++i)
        lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
    Feed(lower); // lower-case digits are still the same checksum
    EXPECT_EQ(parser.Snapshot().zdaCount, 1u);

    // A truncated sentence followed at once by the next: the '$' in the
    // checksum position starts the next sentence instead of being eaten.
    Feed("$GPGSA,A,3,,,,,,,,,,,,,1.0,1.0,1.0*" + NmeaSentence("GPZDA,201531.00,04,07,2002,00,00"));
    EXPECT_EQ(parser.Snapshot().zdaCount, 2u);
    EXPECT_EQ(parser.Snapshot().gsaCount, 0u);
    // "*" then line end is no checksum at all.
    Feed("$GPZDA,201532.00,04,07,2002,00,00*\r\n");
    EXPECT_EQ(parser.Snapshot().zdaCount, 2u);
}

// ---- Field extractor and number readings -----------------------------------

TEST(NmeaFieldTest, ExtractorFollowsCommasAndStopsAtStar)
{
    char out[25];
    const char* data = "A,,123,abc*9,last";
    EXPECT_TRUE(NmeaParser::Field(data, 0, out, sizeof out));
    EXPECT_STREQ(out, "A");
    EXPECT_FALSE(NmeaParser::Field(data, 1, out, sizeof out));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(NmeaParser::Field(data, 3, out, sizeof out));
    EXPECT_STREQ(out, "abc");
    EXPECT_TRUE(NmeaParser::Field(data, 4, out, sizeof out));
    EXPECT_STREQ(out, "last");
    EXPECT_FALSE(NmeaParser::Field(data, 5, out, sizeof out));
    EXPECT_FALSE(NmeaParser::Field("a,", 1, out, sizeof out));
    EXPECT_FALSE(NmeaParser::Field("*x", 0, out, sizeof out));

    std::string longField = "0123456789012345678901234567890";
    EXPECT_TRUE(NmeaParser::Field(("x," + longField).c_str(), 1, out, sizeof out));
    EXPECT_EQ(std::string(out), longField.substr(0, 24));
    char small[4];
    EXPECT_TRUE(NmeaParser::Field("abcdef", 0, small, sizeof small));
    EXPECT_STREQ(small, "abc");

    // The split view gives the same fields as the extractor.
    std::string sentence = "x,,3,*,5," + longField;
    NmeaFields fields(sentence.c_str(), 256);
    for (size_t i = 0; i < 8; ++i) {
        NmeaParser::Field(sentence.c_str(), i, out, sizeof out);
        EXPECT_EQ(fields[i], std::string_view(out)) << i;
    }
}

TEST(NmeaFieldTest, NumbersReadLikeTheCLibraryButNeverFail)
{
    EXPECT_EQ(NmeaInteger("08"), 8);
    EXPECT_EQ(NmeaInteger(" -5x"), -5);
    EXPECT_EQ(NmeaInteger("abc"), 0);
    EXPECT_EQ(NmeaInteger(""), 0);
    EXPECT_EQ(NmeaInteger("99999999999999999999"), 2147483647);
    EXPECT_EQ(NmeaInteger("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(NmeaTwoDigit("120"), 12);
    EXPECT_EQ(NmeaTwoDigit("7"), 7);
    EXPECT_DOUBLE_EQ(NmeaReal("545.4"), 545.4);
    EXPECT_DOUBLE_EQ(NmeaReal("-4.0"), -4.0);
    EXPECT_DOUBLE_EQ(NmeaReal("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(NmeaReal("1.5e2"), 150.0);
    EXPECT_DOUBLE_EQ(NmeaReal("2."), 2.0);
    EXPECT_EQ(NmeaReal("M"), 0);
    EXPECT_EQ(NmeaReal("nan"), 0);
    EXPECT_EQ(NmeaReal("inf"), 0);
    EXPECT_EQ(NmeaReal("1e999"), 0);
    EXPECT_NEAR(NmeaCoordinate("4807.038", 2), 48.1173, 1e-12);
    EXPECT_NEAR(NmeaCoordinate("01131.000", 3), 11.516666666666667, 1e-12);
    // Short fields read only what is there.
    EXPECT_EQ(NmeaCoordinate("4", 2), 4.0);
    EXPECT_EQ(NmeaCoordinate("", 3), 0.0);
}

// ---- GPGGA ---------------------------------------------------------------------

TEST_F(NmeaParserTest, GgaFieldsAndKeptValues)
{
    Feed(NmeaSentence("GPGGA,123519.25,4807.038,S,01131.000,W,2,08,0.9,545.4,M,46.9,M,,"));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.ggaHour, 12);
    EXPECT_EQ(f.ggaMinute, 35);
    EXPECT_EQ(f.ggaSecond, 19);
    EXPECT_DOUBLE_EQ(f.ggaSeconds, 19.25);
    EXPECT_NEAR(f.ggaLatitude, -48.1173, 1e-9);
    EXPECT_NEAR(f.ggaLongitude, -11.516666667, 1e-9);
    EXPECT_EQ(f.fixQuality, 2);
    EXPECT_EQ(f.satellitesUsed, 8);
    EXPECT_DOUBLE_EQ(f.ggaHdop, 0.9);
    EXPECT_DOUBLE_EQ(f.altitude, 545.4);
    EXPECT_TRUE(f.HasFix());

    // Empty fields keep the previous values, whatever the hemisphere says.
    Feed(NmeaSentence("GPGGA,123520,,N,,E,,,,,M,,M,,"));
    f = parser.Snapshot();
    EXPECT_NEAR(f.ggaLatitude, -48.1173, 1e-9);
    EXPECT_NEAR(f.ggaLongitude, -11.516666667, 1e-9);
    EXPECT_EQ(f.fixQuality, 2);
    EXPECT_EQ(f.satellitesUsed, 8);
    EXPECT_DOUBLE_EQ(f.altitude, 545.4);
    EXPECT_EQ(f.ggaSecond, 20);
    EXPECT_EQ(f.ggaCount, 2u);

    // A short sentence and a truncated time read only what is there.
    Feed(NmeaSentence("GPGGA,12"));
    f = parser.Snapshot();
    EXPECT_EQ(f.ggaHour, 12);
    EXPECT_EQ(f.ggaMinute, 0);
    EXPECT_EQ(f.ggaSecond, 0);
    EXPECT_EQ(f.ggaCount, 3u);
}

TEST_F(NmeaParserTest, GgaVerticalSpeedAndTheHourRollover)
{
    // The first GPGGA after a reset has no predecessor: no speed from 0 m.
    Feed(NmeaSentence("GPGGA,120010,4807.038,N,01131.000,E,1,08,0.9,1500.0,M,,M,,"));
    EXPECT_EQ(parser.Snapshot().verticalSpeed, 0);
    Feed(NmeaSentence("GPGGA,120040,4807.038,N,01131.000,E,1,08,0.9,1505.0,M,,M,,"));
    EXPECT_DOUBLE_EQ(parser.Snapshot().verticalSpeed, 10.0); // 5 m in half a minute
    Feed(NmeaSentence("GPGGA,120040,4807.038,N,01131.000,E,1,08,0.9,1600.0,M,,M,,"));
    EXPECT_DOUBLE_EQ(parser.Snapshot().verticalSpeed, 10.0); // same time: no step

    Feed(NmeaSentence("GPGGA,235959,4807.038,N,01131.000,E,1,08,0.9,100.0,M,,M,,"));
    double before = parser.Snapshot().verticalSpeed;
    Feed(NmeaSentence("GPGGA,000000,4807.038,N,01131.000,E,1,08,0.9,90.0,M,,M,,"));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.verticalSpeed, before); // time fell back: skipped
    EXPECT_EQ(f.previousGgaTime, 0);
    EXPECT_DOUBLE_EQ(f.previousAltitude, 90.0);
    EXPECT_EQ(f.ggaHour, 0);
    Feed(NmeaSentence("GPGGA,000006,4807.038,N,01131.000,E,1,08,0.9,91.0,M,,M,,"));
    EXPECT_DOUBLE_EQ(parser.Snapshot().verticalSpeed, 10.0);

    // A loss of fix: GPGGA without altitude reads no climb and leaves the
    // memory, so the first altitude after it is measured over the whole gap.
    Feed(NmeaSentence("GPGGA,000007,,,,,0,00,,,M,,M,,"));
    EXPECT_EQ(parser.Snapshot().verticalSpeed, 0);
    Feed(NmeaSentence("GPGGA,000030,,,,,0,00,,,M,,M,,"));
    f = parser.Snapshot();
    EXPECT_EQ(f.verticalSpeed, 0);
    EXPECT_DOUBLE_EQ(f.altitude, 91.0);
    EXPECT_EQ(f.previousGgaTime, 6);
    Feed(NmeaSentence("GPGGA,000106,4807.038,N,01131.000,E,1,08,0.9,81.0,M,,M,,"));
    EXPECT_DOUBLE_EQ(parser.Snapshot().verticalSpeed, -10.0); // 10 m down in a minute
    EXPECT_EQ(parser.Snapshot().ggaCount, 9u);
}

// ---- GPGSA and GPGSV --------------------------------------------------------------

TEST_F(NmeaParserTest, GsaPrnSlotsAndDops)
{
    Feed(NmeaSentence("GPGSA,A,3,04,120,,17,,,,,,,,32,2.5,1.3,2.1"));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.gsaMode, 'A');
    EXPECT_EQ(f.fixType, 3);
    EXPECT_EQ(f.usedPrns[0], 4);
    EXPECT_EQ(f.usedPrns[1], 12); // two-digit reading of "120"
    EXPECT_EQ(f.usedPrns[2], 0);
    EXPECT_EQ(f.usedPrns[3], 17);
    EXPECT_EQ(f.usedPrns[11], 32);
    EXPECT_DOUBLE_EQ(f.pdop, 2.5);
    EXPECT_DOUBLE_EQ(f.gsaHdop, 1.3);
    EXPECT_DOUBLE_EQ(f.vdop, 2.1);
    EXPECT_EQ(sink.Take(), (Messages{WM_GPS_GSA, WM_GPS_SENTENCE}));

    Feed(NmeaSentence("GPGSA,,,05"));
    f = parser.Snapshot();
    EXPECT_EQ(f.gsaMode, 'A'); // kept
    EXPECT_EQ(f.fixType, 3);   // kept
    EXPECT_EQ(f.usedPrns[0], 5);
    EXPECT_EQ(f.usedPrns[3], 0);
    EXPECT_EQ(f.pdop, 0);
    EXPECT_EQ(f.vdop, 0);
    EXPECT_EQ(f.gsaCount, 2u);

    // "-1" in a slot (seen from some receivers) is an empty slot, not
    // satellite 65535; in a GSV block too.
    Feed(NmeaSentence("GPGSA,A,3,-1,07,-1,,,,,,,,,,1.5,1.0,1.1"));
    Feed(NmeaSentence("GLGSA,A,3,-1,70,,,,,,,,,,,1.5,1.0,1.1"));
    Feed(NmeaSentence("GPGSV,1,1,02,-1,10,100,20,07,45,180,40"));
    f = parser.Snapshot();
    for (uint16_t prn : f.usedPrns)
        EXPECT_NE(prn, 0xFFFF);
    for (const SatelliteInfo& sat : f.satellites)
        EXPECT_NE(sat.prn, 0xFFFF);
}

TEST_F(NmeaParserTest, GsvGroupsPostOnceAndBadCountsAreIgnored)
{
    Feed(NmeaSentence("GPGSA,A,3,07,13,,,,,,,,,,,2.0,1.0,1.7"));
    sink.Take();
    Feed(NmeaSentence("GPGSV,3,1,10,03,41,050,46,07,60,317,49,08,34,315,45,11,35,148,45"));
    Feed(NmeaSentence("GPGSV,3,2,10,13,38,213,45,16,27,068,43,19,72,076,50,23,09,182,37"));
    Feed(NmeaSentence("GPGSV,3,3,10,24,06,166,35,28,09,271,"));
    EXPECT_EQ(sink.Take(),
              (Messages{WM_GPS_SENTENCE, WM_GPS_SENTENCE, WM_GPS_GSV, WM_GPS_SENTENCE}));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.satellitesInView, 10);
    EXPECT_EQ(f.gsvCount, 3u);
    EXPECT_EQ(f.satellites[1].prn, 7);
    EXPECT_EQ(f.satellites[1].elevation, 60);
    EXPECT_EQ(f.satellites[1].azimuth, 317);
    EXPECT_EQ(f.satellites[1].snr, 49);
    EXPECT_EQ(f.satellites[1].used, 1);
    EXPECT_EQ(f.satellites[0].used, 0);
    EXPECT_EQ(f.satellites[4].used, 1); // PRN 13
    EXPECT_EQ(f.satellites[9].prn, 28);
    EXPECT_EQ(f.satellites[9].snr, 0); // absent SNR
    EXPECT_EQ(f.satellites[10].prn, 0);
    EXPECT_TRUE(f.SatelliteIsLive(9));
    EXPECT_FALSE(f.SatelliteIsLive(10));

    // Nine messages, message number 0 or 10, a missing count: ignored whole,
    // yet counted as sentences.
    Feed(NmeaSentence("GPGSV,9,1,36,01,01,001,01,02,02,002,02,03,03,003,03,04,04,004,04"));
    Feed(NmeaSentence("GPGSV,3,0,10,01,01,001,01"));
    Feed(NmeaSentence("GPGSV,3,10,10,01,01,001,01"));
    Feed(NmeaSentence("GPGSV,,1,10,01,01,001,01"));
    Feed(NmeaSentence("GPGSV,0,1,10,01,01,001,01"));
    EXPECT_EQ(parser.Snapshot().gsvCount, 3u);
    EXPECT_EQ(parser.Snapshot().satellites[0].prn, 3);
    EXPECT_EQ(sink.Take(), Messages(5, WM_GPS_SENTENCE));

    // Message number absent: taken as the last; message 9 of 8 lands in 32-35.
    Feed(NmeaSentence("GPGSV,1,,04,05,10,100,20"));
    Feed(NmeaSentence("GPGSV,8,9,36,33,10,100,20,34,10,100,20,35,10,100,20,36,10,100,20"));
    f = parser.Snapshot();
    EXPECT_EQ(f.satellites[0].prn, 5);
    EXPECT_EQ(f.satellites[35].prn, 36);
    EXPECT_EQ(sink.Take(), (Messages{WM_GPS_GSV, WM_GPS_SENTENCE, WM_GPS_SENTENCE}));
}

TEST_F(NmeaParserTest, ShrinkingGsvGroupLeavesOldEntriesAndUsedFlagFollowsEarlierGsa)
{
    Feed(NmeaSentence("GPGSV,3,1,09,01,10,010,30,02,20,020,31,03,30,030,32,04,40,040,33"));
    Feed(NmeaSentence("GPGSV,3,2,09,05,10,010,30,06,20,020,31,07,30,030,32,08,40,040,33"));
    Feed(NmeaSentence("GPGSV,3,3,09,09,50,090,34"));
    Feed(NmeaSentence("GPGSA,A,3,02,09,,,,,,,,,,,2.0,1.0,1.7")); // after the GSV
    Feed(NmeaSentence("GPGSV,2,1,05,01,10,010,30,02,20,020,31,03,30,030,32,04,40,040,33"));
    Feed(NmeaSentence("GPGSV,2,2,05,05,10,010,30"));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.satellitesInView, 5);
    EXPECT_EQ(f.satellites[8].prn, 9);  // left over from the longer group
    EXPECT_EQ(f.satellites[8].used, 0); // written before that GSA
    EXPECT_EQ(f.satellites[1].used, 1); // rewritten after it
    EXPECT_EQ(f.satellites[5].prn, 0);  // short last message clears its other groups
    EXPECT_FALSE(f.SatelliteIsLive(8));
}

// ---- GPRMB, GPRMC, GPZDA -----------------------------------------------------------

TEST_F(NmeaParserTest, RmbDefaultsForAbsentFields)
{
    Feed(NmeaSentence("GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V"));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.rmbStatus, 'A');
    EXPECT_DOUBLE_EQ(f.crossTrackError, 0.66);
    EXPECT_EQ(f.steerDirection, 'L');
    EXPECT_STREQ(f.originId, "003");
    EXPECT_STREQ(f.destinationId, "004");
    EXPECT_NEAR(f.destinationLatitude, 49.287333333, 1e-9);
    EXPECT_NEAR(f.destinationLongitude, -123.1595, 1e-9);
    EXPECT_DOUBLE_EQ(f.range, 1.3);
    EXPECT_DOUBLE_EQ(f.bearing, 52.5);
    EXPECT_DOUBLE_EQ(f.closingVelocity, 0.5);
    EXPECT_EQ(sink.Take(), (Messages{WM_GPS_RMB, WM_GPS_SENTENCE}));

    Feed(NmeaSentence("GPRMB,,0.25,,,A-VERY-LONG-WAYPOINT-NAME-OF-40-CHARS-XX,,,,,,,,"));
    f = parser.Snapshot();
    EXPECT_EQ(f.rmbStatus, 'V');
    EXPECT_DOUBLE_EQ(f.crossTrackError, 0.25);
    EXPECT_EQ(f.steerDirection, '?');
    EXPECT_STREQ(f.originId, "");
    EXPECT_EQ(std::string(f.destinationId), "A-VERY-LONG-WAYPOINT-NAM"); // cut to 24
    EXPECT_NEAR(f.destinationLatitude, 49.287333333, 1e-9);              // kept
    EXPECT_EQ(f.range, 0);
    EXPECT_EQ(f.arrivalStatus, 'V');
    EXPECT_EQ(f.rmbCount, 2u);
}

TEST_F(NmeaParserTest, RmcDateVariationAndAcceleration)
{
    Feed(NmeaSentence("GPRMC,081836,A,3751.65,S,14507.36,E,000.0,360.0,010203,011.3,W"));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.rmcHour, 8);
    EXPECT_EQ(f.rmcMinute, 18);
    EXPECT_EQ(f.rmcSecond, 36);
    EXPECT_EQ(f.rmcStatus, 'A');
    EXPECT_NEAR(f.rmcLatitude, -37.860833333, 1e-9);
    EXPECT_NEAR(f.rmcLongitude, 145.122666667, 1e-9);
    EXPECT_EQ(f.day, 1);
    EXPECT_EQ(f.month, 2);
    EXPECT_EQ(f.year, 2003);
    EXPECT_DOUBLE_EQ(f.magneticVariation, -11.3);
    EXPECT_DOUBLE_EQ(f.course, 360.0);
    EXPECT_EQ(f.acceleration, 0);
    EXPECT_EQ(sink.Take(), (Messages{WM_GPS_RMC, WM_GPS_SENTENCE}));

    Feed(NmeaSentence("GPRMC,081838,,,,,,,36.0,,,"));
    f = parser.Snapshot();
    EXPECT_EQ(f.rmcStatus, 'V');
    EXPECT_NEAR(f.rmcLatitude, -37.860833333, 1e-9); // kept
    EXPECT_EQ(f.day, 1);                             // kept
    EXPECT_EQ(f.speed, 0);
    EXPECT_DOUBLE_EQ(f.course, 36.0);
    EXPECT_EQ(f.magneticVariation, 0);
    Feed(NmeaSentence("GPRMC,081840,A,,,,,7.2,0,,,"));
    EXPECT_NEAR(parser.Snapshot().acceleration, 7.2 * 0.277777777778 / 2, 1e-12);
    Feed(NmeaSentence("GPRMC,081840,A,,,,,9.0,0,,,")); // same second: no step
    EXPECT_NEAR(parser.Snapshot().acceleration, 7.2 * 0.277777777778 / 2, 1e-12);
    EXPECT_EQ(parser.Snapshot().rmcCount, 4u);
}

TEST_F(NmeaParserTest, ZdaFieldsAndDefaults)
{
    Feed(NmeaSentence("GPZDA,201530.00,04,07,2002,-05,30"));
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.zdaHour, 20);
    EXPECT_EQ(f.zdaMinute, 15);
    EXPECT_EQ(f.zdaSecond, 30);
    EXPECT_EQ(f.zdaDay, 4);
    EXPECT_EQ(f.zdaMonth, 7);
    EXPECT_EQ(f.zdaYear, 2002);
    EXPECT_EQ(f.zoneHours, -5);
    EXPECT_EQ(f.zoneMinutes, 30);
    Feed(NmeaSentence("GPZDA,,,,,,"));
    f = parser.Snapshot();
    EXPECT_EQ(f.zdaHour, 20);
    EXPECT_EQ(f.zdaDay, 1);
    EXPECT_EQ(f.zdaMonth, 1);
    EXPECT_EQ(f.zdaYear, 1);
    EXPECT_EQ(f.zoneHours, 0);
    EXPECT_EQ(f.zdaCount, 2u);
    EXPECT_EQ(sink.Take(), (Messages{WM_GPS_ZDA, WM_GPS_SENTENCE, WM_GPS_ZDA, WM_GPS_SENTENCE}));
}

// ---- Reset and concurrency -----------------------------------------------------------

TEST_F(NmeaParserTest, ResetRestoresEveryFieldButKeepsCountAndFraming)
{
    Feed(NmeaSentence("GPGGA,123519.5,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    Feed(NmeaSentence("GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1"));
    Feed(NmeaSentence("GPGSV,1,1,01,04,40,040,33"));
    Feed(NmeaSentence("GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,A"));
    Feed(NmeaSentence("GPRMC,081836,A,3751.65,S,14507.36,E,3.0,360.0,010203,011.3,W"));
    Feed(NmeaSentence("GPZDA,201530.00,04,07,2002,-05,30"));
    Feed("$GPGGA,1235"); // left pending across the reset
    parser.Reset();
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.ggaSeconds, 19.5); // the one field Reset() leaves
    EXPECT_EQ(f.ggaLatitude, 0);
    EXPECT_EQ(f.altitude, 0);
    EXPECT_EQ(f.fixQuality, 0);
    EXPECT_EQ(f.satellitesInView, 0);
    EXPECT_EQ(f.speed, 0);
    EXPECT_EQ(f.magneticVariation, 0);
    EXPECT_EQ(f.fixType, 1);
    EXPECT_EQ(f.gsaMode, 'M');
    EXPECT_EQ(f.rmcStatus, 'V');
    EXPECT_EQ(f.rmbStatus, 'V');
    EXPECT_EQ(f.arrivalStatus, 'V');
    EXPECT_EQ(f.steerDirection, '?');
    EXPECT_EQ(f.day, 1);
    EXPECT_EQ(f.month, 1);
    EXPECT_EQ(f.year, 2000);
    EXPECT_EQ(f.zdaYear, 2000);
    EXPECT_STREQ(f.originId, "");
    EXPECT_EQ(f.satellites[0].prn, 0);
    EXPECT_EQ(f.usedPrns[0], 0);
    EXPECT_EQ(f.ggaCount + f.gsaCount + f.gsvCount + f.rmbCount + f.rmcCount + f.zdaCount, 0u);
    EXPECT_EQ(f.previousGgaTime, 0);
    EXPECT_FALSE(f.previousAltitudeValid);
    EXPECT_EQ(f.previousScaledSpeed, 0);
    EXPECT_EQ(parser.SentenceCount(), 6u);
    Feed("20,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,\r"); // completes
    EXPECT_EQ(parser.Snapshot().ggaMinute, 35);
    EXPECT_EQ(parser.SentenceCount(), 7u);
}

TEST(NmeaParserConcurrencyTest, SnapshotsNeverSeeHalfASentence)
{
    // Each sentence carries one number n in its latitude minutes, HDOP and
    // altitude; a reader must always see the three agree.
    NmeaParser parser;
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        while (!done.load()) {
            GpsFix f = parser.Snapshot();
            double n = f.altitude;
            bool agree = f.ggaHdop == n && std::abs(f.ggaLatitude - (10 + n / 100 / 60)) < 1e-9;
            if (f.ggaCount != 0 && !agree)
                torn.fetch_add(1);
            reads.fetch_add(1);
        }
    });
    std::string stream;
    for (int n = 0; n < 20000; ++n) {
        stream += NmeaSentence("GPGGA,120000,10" + std::to_string(n / 100) + "." +
                               std::to_string(n % 100 / 10) + std::to_string(n % 10) +
                               ",N,01131.000,E,1,08," + std::to_string(n) + "," +
                               std::to_string(n) + ",M,,M,,");
    }
    // The reader takes snapshots all along the feed: each stretch of 8 kB
    // waits for a snapshot taken after the previous one.
    auto readerMoves = [&] {
        int seen = reads.load();
        while (reads.load() == seen)
            std::this_thread::yield();
    };
    readerMoves();
    for (size_t i = 0; i < stream.size(); i += 128) {
        parser.Feed(stream.data() + i, std::min<size_t>(128, stream.size() - i));
        if (i % 8192 == 0)
            readerMoves();
    }
    done = true;
    reader.join();
    EXPECT_EQ(parser.Snapshot().ggaCount, 20000u);
    EXPECT_GT(reads.load(), static_cast<int>(stream.size() / 8192));
    EXPECT_EQ(torn.load(), 0);
}

} // namespace
} // namespace hw

namespace hw {
namespace {

// ---- The fix of every GGA, for readers that fall behind ---------------------

std::string GgaAtMinute(int minute)
{
    char body[96];
    std::snprintf(body, sizeof body,
                  "GPGGA,1251%02d,38%02d.5087,N,07726.4523,W,1,08,1.0,100.0,M,,M,,", minute,
                  minute);
    return test::NmeaSentence(body);
}

TEST(NmeaParserHistoryTest, EveryGgaFedAtOnceIsKeptInOrder)
{
    NmeaParser parser;
    std::vector<GpsFix> fixes;
    EXPECT_EQ(parser.FixesSince(0, fixes), 0u);
    EXPECT_TRUE(fixes.empty());

    std::string burst;
    for (int m = 0; m < 5; ++m)
        burst += GgaAtMinute(m) + test::NmeaSentence("GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1");
    parser.Feed(burst.data(), burst.size());
    const uint64_t newest = parser.FixesSince(0, fixes);
    EXPECT_EQ(newest, 5u);
    ASSERT_EQ(fixes.size(), 5u);
    for (int m = 0; m < 5; ++m)
        EXPECT_NEAR(fixes[static_cast<size_t>(m)].ggaLatitude, 38 + (m + 0.5087) / 60, 1e-9) << m;

    // Asked again from where it stopped: only what is new.
    fixes.clear();
    EXPECT_EQ(parser.FixesSince(newest, fixes), newest);
    EXPECT_TRUE(fixes.empty());

    // A reset is an update of its own: the fix is gone.
    parser.Reset();
    EXPECT_EQ(parser.FixesSince(newest, fixes), newest + 1);
    ASSERT_EQ(fixes.size(), 1u);
    EXPECT_FALSE(fixes[0].HasFix());
}

TEST(NmeaParserHistoryTest, AReaderHeldUpTakesEveryFixUpToTheLimit)
{
    FixHistory history;
    GpsFix fix;
    auto push = [&](int count) {
        for (int i = 0; i < count; ++i) {
            fix.altitude += 1;
            history.Push(fix);
        }
    };
    // Far more than the latest kCapacity, none taken: every one is held.
    push(1000);
    EXPECT_EQ(history.Untaken(), 1000u);
    std::vector<GpsFix> out;
    EXPECT_EQ(history.Since(10, out), 1000u);
    ASSERT_EQ(out.size(), 990u);
    EXPECT_DOUBLE_EQ(out.front().altitude, 11.0);
    EXPECT_DOUBLE_EQ(out.back().altitude, 1000.0);
    EXPECT_EQ(history.Untaken(), 0u);

    // Taken, they go, but a reader from the start still finds the latest.
    out.clear();
    history.Since(1000, out);
    EXPECT_TRUE(out.empty());
    history.Since(0, out);
    ASSERT_EQ(out.size(), FixHistory::kCapacity);
    EXPECT_DOUBLE_EQ(out.front().altitude, 1000.0 - FixHistory::kCapacity + 1);

    // Past the limit the oldest go: the reader sees the gap in the numbers.
    push(static_cast<int>(FixHistory::kLimit) + 5);
    EXPECT_EQ(history.Untaken(), FixHistory::kLimit);
    out.clear();
    const uint64_t newest = history.Since(1000, out);
    EXPECT_EQ(newest, 1000u + FixHistory::kLimit + 5);
    ASSERT_EQ(out.size(), FixHistory::kLimit);
    EXPECT_EQ(newest - 1000 - out.size(), 5u);
    EXPECT_DOUBLE_EQ(out.front().altitude, 1006.0);
}

} // namespace
} // namespace hw
