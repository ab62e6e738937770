#include "NmeaTestSupport.h"
#include "TestFiles.h"
#include "gps/NmeaFields.h"
#include "gps/NmeaParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace hw {
namespace {

// Bounded random and mutation fuzzing of the byte state machine. A crash or
// an overrun shows under the sanitizers; afterwards the parser must still
// decode a good sentence.
class NmeaFuzz {
public:
    explicit NmeaFuzz(uint32_t seed) : rng_(seed) {}

    size_t Below(size_t n) { return n == 0 ? 0 : rng_() % n; }

    std::string RandomBytes(size_t n)
    {
        std::string s(n, '\0');
        for (char& c : s)
            c = static_cast<char>(rng_());
        return s;
    }

    // Bytes drawn mostly from what NMEA is made of, so that the machine
    // reaches every state and every decoder.
    std::string NmeaLikeBytes(size_t n)
    {
        static const char* const kPieces[] = {
            "$",     "GPGGA", "GPGSA", "GPGSV", "GPRMB", "GPRMC",  "GPZDA",       ",", ",,", "*",
            "\r",    "\n",    "\r\n",  "0",     "9",     "12",     "4807.038",    "N", "S",  "E",
            "W",     "A",     "V",     "-",     ".",     "1e308",  "99999999999", "F", "a",  " ",
            "GNGGA", "8",     "9",     "36",    "120",   "235959", "010203"};
        std::string s;
        while (s.size() < n)
            s += kPieces[Below(std::size(kPieces))];
        return s;
    }

    std::string Mutate(std::string s)
    {
        size_t edits = 1 + Below(8);
        for (size_t e = 0; e < edits && !s.empty(); ++e) {
            size_t at = Below(s.size());
            switch (Below(6)) {
            case 0: s[at] = static_cast<char>(s[at] ^ (1 << Below(8))); break;
            case 1: s.insert(at, 1, static_cast<char>(rng_())); break;
            case 2: s.erase(at, 1 + Below(8)); break;
            case 3: s.insert(at, s.substr(Below(s.size()), Below(300))); break;
            case 4: s[at] = ",*$\r"[Below(4)]; break;
            case 5: s.resize(at); break;
            }
        }
        return s;
    }

    // Feeds in chunks of random size, as a port delivers them.
    void FeedChunked(NmeaParser& parser, const std::string& bytes)
    {
        size_t i = 0;
        while (i < bytes.size()) {
            size_t n = std::min(bytes.size() - i, 1 + Below(200));
            parser.Feed(bytes.data() + i, n);
            i += n;
        }
    }

private:
    std::mt19937 rng_;
};

void ExpectStillDecodes(NmeaParser& parser)
{
    // ",*Z" ends whatever is half framed: data goes to the checksum state and
    // a non-hexadecimal digit drops it.
    parser.Feed(",*Z", 3);
    uint32_t before = parser.Snapshot().ggaCount;
    std::string good =
        test::NmeaSentence("GPGGA,101010,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    parser.Feed(good.data(), good.size());
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.ggaCount, before + 1);
    EXPECT_NEAR(f.ggaLatitude, 48.1173, 1e-9);
    EXPECT_DOUBLE_EQ(f.altitude, 545.4);
}

// Counts and satellite tables stay within what the sentences can carry:
// never more decoded sentences than '$' fed, the satellites-used field stays two
// digits, and a satellite marked used has a PRN.
void ExpectInRange(const NmeaParser& parser, size_t dollarsFed)
{
    const GpsFix f = parser.Snapshot();
    ASSERT_LE(parser.SentenceCount(), dollarsFed);
    ASSERT_LE(uint64_t(f.ggaCount) + f.gsaCount + f.gsvCount + f.rmbCount + f.rmcCount + f.zdaCount,
              dollarsFed);
    ASSERT_LE(f.satellitesUsed, 99);
    for (const SatelliteInfo& s : f.satellites) {
        ASSERT_TRUE(s.used == 0 || s.used == 1);
        if (s.used) {
            ASSERT_NE(s.prn, 0);
        }
    }
}

size_t Dollars(const std::string& bytes)
{
    return static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '$'));
}

void ExpectSane(const GpsFix& f)
{
    for (double v :
         {f.ggaLatitude, f.ggaLongitude, f.altitude, f.ggaHdop, f.verticalSpeed, f.pdop, f.gsaHdop,
          f.vdop, f.crossTrackError, f.destinationLatitude, f.range, f.rmcLatitude, f.rmcLongitude,
          f.speed, f.course, f.acceleration, f.magneticVariation})
        ASSERT_TRUE(std::isfinite(v));
    ASSERT_LT(std::strlen(f.originId), sizeof f.originId);
    ASSERT_LT(std::strlen(f.destinationId), sizeof f.destinationId);
}

TEST(NmeaParserFuzzTest, ArbitraryBytesNeverBreakTheParser)
{
    NmeaFuzz fuzz(20261207);
    NmeaParser parser;
    size_t dollars = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = round % 2 ? fuzz.RandomBytes(2000) : fuzz.NmeaLikeBytes(2000);
        fuzz.FeedChunked(parser, bytes);
        dollars += Dollars(bytes);
        ExpectSane(parser.Snapshot());
        ExpectInRange(parser, dollars);
        if (round % 25 == 0) {
            ExpectStillDecodes(parser);
            ++dollars;
        }
    }
    ExpectStillDecodes(parser);
}

TEST(NmeaParserFuzzTest, MutatedReceiverLogsNeverBreakTheParser)
{
    // Real receiver output where it is there, a built-in sample otherwise.
    std::vector<std::string> corpus;
    std::string dir = test::PeerDataDir() + "/nmea";
    if (std::filesystem::is_directory(dir)) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() == ".log")
                corpus.push_back(test::ReadFileBytes(entry.path().string()));
        }
    }
    corpus.push_back(
        test::NmeaSentence("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,") +
        test::NmeaSentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1") +
        test::NmeaSentence("GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45") +
        test::NmeaSentence("GPGSV,2,2,08,15,40,083,46,16,17,308,41,17,07,344,39,18,22,228,45") +
        test::NmeaSentence("GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V") +
        test::NmeaSentence("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W") +
        test::NmeaSentence("GPZDA,201530.00,04,07,2002,00,00"));

    NmeaFuzz fuzz(42);
    NmeaParser parser;
    size_t fed = 0;
    size_t dollars = 0;
    while (fed < 3'000'000) {
        const std::string& seed = corpus[fuzz.Below(corpus.size())];
        size_t start = fuzz.Below(seed.size());
        std::string piece = fuzz.Mutate(seed.substr(start, 600 + fuzz.Below(2000)));
        fuzz.FeedChunked(parser, piece);
        fed += piece.size() + 1;
        dollars += Dollars(piece);
        ExpectInRange(parser, dollars);
    }
    ExpectSane(parser.Snapshot());
    ExpectStillDecodes(parser);
}

TEST(NmeaParserFuzzTest, FieldExtractorStaysInsideItsBuffers)
{
    NmeaFuzz fuzz(7);
    for (int i = 0; i < 20000; ++i) {
        std::string data = fuzz.NmeaLikeBytes(fuzz.Below(300));
        if (i % 3 == 0)
            data = fuzz.RandomBytes(fuzz.Below(300));
        size_t capacity = 1 + fuzz.Below(30);
        std::vector<char> out(capacity + 8, '#');
        size_t index = fuzz.Below(40);
        bool present = NmeaParser::Field(data.c_str(), index, out.data(), capacity);
        size_t length = std::strlen(out.data());
        ASSERT_LT(length, capacity);
        ASSERT_EQ(present, length > 0);
        for (size_t k = capacity; k < out.size(); ++k)
            ASSERT_EQ(out[k], '#'); // nothing written past capacity
        ASSERT_TRUE(std::isfinite(NmeaReal(out.data())));
        ASSERT_TRUE(std::isfinite(NmeaCoordinate(out.data(), 3)));
    }
}

} // namespace
} // namespace hw
