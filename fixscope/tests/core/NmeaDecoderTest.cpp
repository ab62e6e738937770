#include "core/NmeaDecoder.h"
#include "support/SimulatedReceiver.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

namespace fixscope {
namespace {

using test::SimulatedReceiver;

GpsRecord Decoded(const std::vector<std::string>& lines)
{
    GpsRecord record;
    for (const std::string& line : lines)
        DecodeSentence(line, record);
    return record;
}

TEST(NmeaDecoderTest, RmcGivesDateTimePositionSpeedAndCourse)
{
    GpsRecord r = Decoded({SimulatedReceiver::Sentence(
        "GPRMC,195512.000,A,4736.1234,N,12219.5678,W,012.5,084.9,071226,,,A")});
    EXPECT_EQ(r.year, 2026);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.day, 7);
    EXPECT_EQ(r.hour, 19);
    EXPECT_EQ(r.minute, 55);
    EXPECT_EQ(r.second, 12);
    EXPECT_EQ(r.status, 'A');
    EXPECT_EQ(r.latHemisphere, 'N');
    EXPECT_EQ(r.lonHemisphere, 'W');
    EXPECT_DOUBLE_EQ(r.latitude, 4736.1234);
    EXPECT_DOUBLE_EQ(r.latDegrees, 47);
    EXPECT_DOUBLE_EQ(r.latMinutes, 36);
    EXPECT_NEAR(r.latSeconds, 0.1234 * 60, 1e-6);
    EXPECT_DOUBLE_EQ(r.lonDegrees, 122);
    EXPECT_DOUBLE_EQ(r.lonMinutes, 19);
    EXPECT_NEAR(r.lonSeconds, 0.5678 * 60, 1e-6);
    EXPECT_DOUBLE_EQ(r.speedKnots, 12.5);
    EXPECT_EQ(r.course, 84); // whole degrees, not rounded
}

TEST(NmeaDecoderTest, DateAndTimeEdges)
{
    // Two-digit years are this century; a short time field leaves the
    // missing parts 0 rather than reading past the field.
    GpsRecord r = Decoded({SimulatedReceiver::Sentence("GPRMC,2359,V,,,,,,,311299,,")});
    EXPECT_EQ(r.year, 2099);
    EXPECT_EQ(r.month, 12);
    EXPECT_EQ(r.day, 31);
    EXPECT_EQ(r.hour, 23);
    EXPECT_EQ(r.minute, 59);
    EXPECT_EQ(r.second, 0);
    EXPECT_EQ(r.status, 'V');

    // A lost position keeps the last degrees, minutes and seconds.
    GpsRecord kept =
        Decoded({SimulatedReceiver::Sentence("GPRMC,000001,A,4736.5,N,00815.25,E,0,0,010100,,"),
                 SimulatedReceiver::Sentence("GPRMC,000002,V,,,,,,,010100,,")});
    EXPECT_DOUBLE_EQ(kept.latitude, 0);
    EXPECT_DOUBLE_EQ(kept.latDegrees, 47);
    EXPECT_DOUBLE_EQ(kept.lonDegrees, 8);
    EXPECT_DOUBLE_EQ(kept.lonMinutes, 15);
    EXPECT_NEAR(kept.lonSeconds, 15, 1e-9);
    EXPECT_EQ(kept.year, 2000);
}

TEST(NmeaDecoderTest, ChecksumDecidesWhetherALineCounts)
{
    std::string good = SimulatedReceiver::Sentence("GPGGA,1,2,N,3,E,1,08,0.9,545.4,M,46.9,M,,");
    std::string wrong = good;
    wrong[wrong.size() - 3] = wrong[wrong.size() - 3] == '0' ? '1' : '0';
    GpsRecord before = Decoded({SimulatedReceiver::FixScenario()});
    GpsRecord after = before;
    EXPECT_EQ(DecodeSentence(wrong, after), DecodeResult::Dropped);
    EXPECT_EQ(after, before);

    // Without '*' the last field is taken as the checksum.
    std::string noStar = "$GPGGA,1,2,N,3,E,1,08,0.9,545.4,M,46.9,M,,\r\n";
    EXPECT_EQ(DecodeSentence(noStar, after), DecodeResult::Dropped);
    EXPECT_EQ(after, before);

    // Lower-case hexadecimal digits are accepted, and a line may end without CR LF.
    std::string lower = good.substr(0, good.size() - 2); // without CR LF
    for (std::size_t i = lower.size() - 2; i < lower.size(); ++i)
        lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[i])));
    EXPECT_EQ(DecodeSentence(lower, after), DecodeResult::Update);
    EXPECT_DOUBLE_EQ(after.altitude, 545.4);
    EXPECT_DOUBLE_EQ(after.hdop, 0.9);

    // Unknown sentences and lines without '$' are dropped.
    GpsRecord untouched = after;
    EXPECT_EQ(DecodeSentence(SimulatedReceiver::Sentence("GPZDA,1,2,3"), untouched),
              DecodeResult::Dropped);
    EXPECT_EQ(DecodeSentence("GPGGA*00", untouched), DecodeResult::Dropped);
    EXPECT_EQ(untouched, after);
}

TEST(NmeaDecoderTest, DecimalReaderRules)
{
    EXPECT_DOUBLE_EQ(ReadDecimal("4807.038"), 4807.038);
    EXPECT_DOUBLE_EQ(ReadDecimal("007.50"), 7.5);
    EXPECT_DOUBLE_EQ(ReadDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadDecimal(""), 0);
    // Signs, exponents, spaces and second points make the whole value 0.
    EXPECT_DOUBLE_EQ(ReadDecimal("-12.5"), 0);
    EXPECT_DOUBLE_EQ(ReadDecimal("+3"), 0);
    EXPECT_DOUBLE_EQ(ReadDecimal("1e3"), 0);
    EXPECT_DOUBLE_EQ(ReadDecimal("12 "), 0);
    EXPECT_DOUBLE_EQ(ReadDecimal("1.2.3"), 0);

    // So a position below sea level reads as altitude 0.
    GpsRecord r = Decoded({SimulatedReceiver::Sentence("GPGGA,1,2,N,3,E,1,08,1.2,-12.5,M,,M,,")});
    EXPECT_DOUBLE_EQ(r.altitude, 0);
    EXPECT_DOUBLE_EQ(r.hdop, 1.2);
}

TEST(NmeaDecoderTest, SatelliteTableKeepsTwelveOfFourteen)
{
    std::vector<std::string> lines = {
        SimulatedReceiver::Sentence(
            "GPGSV,4,1,14,01,10,100,30,02,20,110,31,03,30,120,32,04,40,130,33"),
        SimulatedReceiver::Sentence(
            "GPGSV,4,2,14,05,50,140,34,06,60,150,35,07,70,160,36,08,80,170,37"),
        SimulatedReceiver::Sentence(
            "GPGSV,4,3,14,09,15,180,38,10,25,190,39,11,35,200,40,12,45,210,41"),
        SimulatedReceiver::Sentence("GPGSV,4,4,14,13,55,220,42,14,65,230,43"),
    };
    GpsRecord r;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        DecodeResult result = DecodeSentence(lines[i], r);
        // Only the message that completes the group is an update.
        EXPECT_EQ(result, i + 1 == lines.size() ? DecodeResult::Update : DecodeResult::Stored);
    }
    EXPECT_TRUE(r.satelliteGroupComplete);
    EXPECT_EQ(r.satellitesInView, 14);
    for (int k = 0; k < kSatelliteSlots; ++k) {
        const SatelliteEntry& s = r.satellites[static_cast<std::size_t>(k)];
        EXPECT_EQ(s.prn, k + 1);
        EXPECT_EQ(s.snr, 30 + k);
    }
    EXPECT_EQ(r.satellites[11].elevation, 45);
    EXPECT_EQ(r.satellites[11].azimuth, 210);

    // A new group clears the old table; a short last message leaves zeros.
    DecodeSentence(SimulatedReceiver::Sentence("GPGSV,1,1,02,21,10,100,,22,20,110,25"), r);
    EXPECT_EQ(r.satellitesInView, 2);
    EXPECT_EQ(r.satellites[0].prn, 21);
    EXPECT_EQ(r.satellites[0].snr, 0);
    EXPECT_EQ(r.satellites[2], SatelliteEntry{});
    EXPECT_EQ(r.satellites[11], SatelliteEntry{});

    // Message numbers out of range store nothing (and never write outside the table).
    GpsRecord before = r;
    DecodeSentence(SimulatedReceiver::Sentence("GPGSV,9,0,14,99,10,100,30"), r);
    DecodeSentence(SimulatedReceiver::Sentence("GPGSV,9,7,14,99,10,100,30"), r);
    EXPECT_EQ(r.satellites, before.satellites);
}

TEST(NmeaDecoderTest, GsaGivesFixTypeUsedSatellitesAndPdop)
{
    GpsRecord r = Decoded(SimulatedReceiver::FixScenario());
    EXPECT_EQ(r.fixType, '3');
    EXPECT_DOUBLE_EQ(r.pdop, 1.8);
    EXPECT_TRUE(r.IsUsed(2));
    EXPECT_TRUE(r.IsUsed(29));
    EXPECT_FALSE(r.IsUsed(30));
    EXPECT_FALSE(r.IsUsed(0)); // empty slots are not satellite 0
    EXPECT_EQ(r.satellitesInView, 10);
    EXPECT_EQ(r.satellites[9].prn, 31);

    GpsRecord big = Decoded({SimulatedReceiver::Sentence("GPGSA,A,2,999,,,,,,,,,,,,1.0,1,1")});
    EXPECT_EQ(big.fixType, '2');
    EXPECT_EQ(big.usedPrns[0], 255); // held at the top of its 8 bits
}

TEST(NmeaDecoderTest, CombinedReceiversTalkersAreDecodedAlike)
{
    // A receiver of GPS and GLONASS: its sentences as it sends them.
    GpsRecord r = Decoded({
        SimulatedReceiver::Sentence("GNRMC,020935.000,A,4404.1351,N,12118.8556,W,0.04,359.11,"
                                    "050219,,,A"),
        SimulatedReceiver::Sentence("GNGGA,020935.000,4404.1351,N,12118.8556,W,1,10,0.9,1123.9,"
                                    "M,-19.6,M,,0000"),
        SimulatedReceiver::Sentence("GNGSA,A,3,15,17,30,28,,,,,,,,,1.8,0.9,1.5"),
        SimulatedReceiver::Sentence("GLGSV,1,1,02,73,47,322,36,82,55,053,29"),
    });
    EXPECT_EQ(r.status, 'A');
    EXPECT_DOUBLE_EQ(r.latDegrees, 44);
    EXPECT_DOUBLE_EQ(r.lonDegrees, 121);
    EXPECT_DOUBLE_EQ(r.altitude, 1123.9);
    EXPECT_EQ(r.fixType, '3');
    EXPECT_TRUE(r.IsUsed(30));
    EXPECT_EQ(r.satellitesInView, 2);
    EXPECT_EQ(r.satellites[0].prn, 73);
    EXPECT_EQ(r.satellites[1].snr, 29);

    // Every talker of a satellite system counts; others and proprietary
    // sentences do not.
    for (const char* talker : {"GP", "GN", "GL", "GA", "GB", "BD", "GQ", "QZ", "GI"}) {
        GpsRecord one;
        EXPECT_EQ(DecodeSentence(SimulatedReceiver::Sentence(std::string(talker) +
                                                             "GGA,1,,,,,1,05,1.5,250.0,M,,M,,"),
                                 one),
                  DecodeResult::Update)
            << talker;
        EXPECT_DOUBLE_EQ(one.altitude, 250.0) << talker;
    }
    for (const char* other : {"IIGGA", "PGGGA", "GPGGAX", "GGA"}) {
        GpsRecord one;
        EXPECT_EQ(
            DecodeSentence(
                SimulatedReceiver::Sentence(std::string(other) + ",1,,,,,1,05,1.5,250.0"), one),
            DecodeResult::Dropped)
            << other;
    }
}

TEST(NmeaDecoderTest, TokeniserRecordsAtMostFortyNineFields)
{
    SentenceFields f = Tokenise("$GPGGA,a,,b*4F\r\n");
    ASSERT_EQ(f.count, 5);
    EXPECT_EQ(f.At(0), "GPGGA");
    EXPECT_EQ(f.At(2), "");
    EXPECT_EQ(f.At(4), "4F");
    EXPECT_EQ(f.At(5), "");

    std::string many = "$GPGSA";
    for (int i = 0; i < 80; ++i)
        many += "," + std::to_string(i);
    SentenceFields longLine = Tokenise(many);
    EXPECT_EQ(longLine.count, kMaxFields);
    EXPECT_EQ(longLine.At(48), "47");
}

TEST(NmeaDecoderTest, AnyBytesAreSafe)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "$GPRMCSVAa0123456789.,*-\r\n";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    GpsRecord r;
    for (int round = 0; round < 20000; ++round) {
        std::string line = round % 2 ? "$GPGSV," : "$";
        std::size_t length = static_cast<std::size_t>(byte(random)) * 2;
        for (std::size_t i = 0; i < length; ++i)
            line += round % 3 ? alphabet[pick(random)] : static_cast<char>(byte(random));
        line += "*" + std::to_string(byte(random));
        (void)DecodeSentence(line, r);
    }
    // Enormous numbers are held inside the integer fields.
    GpsRecord huge = Decoded({SimulatedReceiver::Sentence(
        "GPRMC,1,A,99999999999999999999999,N,1,E,1,999999999999999,010100,,")});
    EXPECT_GT(huge.course, 0);
    EXPECT_GT(huge.latDegrees, 0);
}

} // namespace
} // namespace fixscope
