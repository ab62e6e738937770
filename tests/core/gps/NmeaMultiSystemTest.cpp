// Receivers of several satellite systems: their talkers, their satellite
// groups side by side, the used flags of each system, and the GPS-only
// setting.
#include "NmeaTestSupport.h"
#include "TestFiles.h"
#include "base/MemorySettingsStore.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"
#include "gps/ReceiverSearch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace hw {
namespace {

using test::NmeaSentence;

void FeedAll(NmeaParser& parser, const std::vector<std::string>& bodies)
{
    for (const std::string& body : bodies) {
        const std::string s = NmeaSentence(body);
        parser.Feed(s.data(), s.size());
    }
}

// The live entries of the table, as "system prn" texts in table order.
std::vector<std::string> LiveSatellites(const GpsFix& f)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < GpsFix::kSatelliteSlots; ++i) {
        if (f.SatelliteIsLive(i)) {
            out.push_back(std::string(1, SystemLetter(f.satellites[i].system)) +
                          std::to_string(f.satellites[i].prn) + (f.satellites[i].used ? "*" : ""));
        }
    }
    return out;
}

TEST(NmeaMultiSystem, EveryTalkerOfASatelliteSystemIsDecoded)
{
    for (const char* talker : {"GP", "GN", "GL", "GA", "GB", "BD", "GQ", "QZ", "GI"}) {
        SCOPED_TRACE(talker);
        NmeaParser parser;
        test::RecordingSink sink;
        parser.SetSink(&sink);
        const std::string t = talker;
        FeedAll(parser,
                {t + "GGA,020935.000,4404.1351,N,12118.8556,W,1,08,0.9,1123.9,M,-19.6,M,,",
                 t + "RMC,020935.000,A,4404.1351,N,12118.8556,W,0.04,359.11,050219,,,A",
                 t + "GSA,A,3,15,17,,,,,,,,,,,1.8,0.9,1.5",
                 t + "GSV,1,1,02,15,29,271,37,17,81,131,33", t + "ZDA,020935.000,05,02,2019,00,00",
                 t + "RMB,A,0.66,L,003,004,4917.24,N,"
                     "12309.57,W,001.3,052.5,000.5,V"});
        const GpsFix f = parser.Snapshot();
        EXPECT_NEAR(f.ggaLatitude, 44.068918333, 1e-6);
        EXPECT_NEAR(f.rmcLongitude, -121.31426, 1e-6);
        EXPECT_EQ(f.fixType, 3);
        EXPECT_EQ(f.satellitesInView, 2);
        EXPECT_EQ(f.zdaYear, 2019);
        EXPECT_EQ(f.rmbStatus, 'A');
        EXPECT_EQ(f.ggaCount + f.rmcCount + f.gsaCount + f.gsvCount + f.zdaCount + f.rmbCount, 6u);
        EXPECT_EQ(sink.Messages(), (std::vector<uint32_t>{
                                       WM_GPS_GGA, WM_GPS_SENTENCE, WM_GPS_RMC, WM_GPS_SENTENCE,
                                       WM_GPS_GSA, WM_GPS_SENTENCE, WM_GPS_GSV, WM_GPS_SENTENCE,
                                       WM_GPS_ZDA, WM_GPS_SENTENCE, WM_GPS_RMB, WM_GPS_SENTENCE}));
    }

    // Other talkers and proprietary sentences are counted only.
    NmeaParser parser;
    test::RecordingSink sink;
    parser.SetSink(&sink);
    FeedAll(parser, {"IIGGA,020935.000,4404.1351,N,12118.8556,W,1,08,0.9,1123.9,M,,M,,",
                     "PGGGA,020935.000,4404.1351,N,12118.8556,W,1,08,0.9,1123.9,M,,M,,"});
    EXPECT_EQ(parser.Snapshot().ggaCount, 0u);
    EXPECT_EQ(parser.SentenceCount(), 2u);
    EXPECT_EQ(sink.Messages(), (std::vector<uint32_t>{WM_GPS_SENTENCE, WM_GPS_SENTENCE}));
}

TEST(NmeaMultiSystem, GpsTalkerOnlySettingIgnoresCombinedSentences)
{
    NmeaParser parser;
    parser.SetGpsTalkerOnly(true);
    test::RecordingSink sink;
    parser.SetSink(&sink);
    FeedAll(parser, {"GNGGA,020935.000,4404.1351,N,12118.8556,W,1,08,0.9,1123.9,M,-19.6,M,,",
                     "GLGSV,1,1,01,73,47,322,36"});
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.ggaCount, 0u);
    EXPECT_EQ(f.fixQuality, 0);
    EXPECT_EQ(f.satellitesInView, 0);
    EXPECT_EQ(sink.Take(), (std::vector<uint32_t>{WM_GPS_SENTENCE, WM_GPS_SENTENCE}));
    FeedAll(parser, {"GPGGA,020935.000,4404.1351,N,12118.8556,W,1,08,0.9,1123.9,M,-19.6,M,,"});
    EXPECT_EQ(parser.Snapshot().ggaCount, 1u);
    EXPECT_EQ(sink.Take(), (std::vector<uint32_t>{WM_GPS_GGA, WM_GPS_SENTENCE}));

    // Back to every talker, on the same parser.
    parser.SetGpsTalkerOnly(false);
    FeedAll(parser, {"GNGGA,020936.000,4404.1351,N,12118.8556,W,1,08,0.9,1123.9,M,-19.6,M,,"});
    EXPECT_EQ(parser.Snapshot().ggaCount, 2u);
}

TEST(NmeaMultiSystem, GroupsOfTwoSystemsStandSideBySideWithTheSameNumbers)
{
    NmeaParser parser;
    // NMEA 4.10: one GSA per system with its system id; Galileo and GPS both
    // have a satellite 5 and a satellite 9.
    FeedAll(parser,
            {"GNGSA,A,3,05,09,12,,,,,,,,,,1.2,0.8,0.9,1", "GNGSA,A,3,09,,,,,,,,,,,,1.2,0.8,0.9,3",
             "GPGSV,2,1,05,05,40,100,41,09,30,200,38,12,60,300,45,20,10,010,20",
             "GPGSV,2,2,05,25,05,050,", "GAGSV,1,1,03,05,50,150,35,09,20,250,30,11,70,350,44"});
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.satellitesInView, 8);
    EXPECT_EQ(LiveSatellites(f),
              (std::vector<std::string>{"G5*", "G9*", "G12*", "G20", "G25", "E5", "E9*", "E11"}));

    // GPS shrinks to three: Galileo moves up behind it, nothing stale between.
    FeedAll(parser, {"GPGSV,1,1,03,05,40,100,41,09,30,200,38,12,60,300,45"});
    f = parser.Snapshot();
    EXPECT_EQ(f.satellitesInView, 6);
    EXPECT_EQ(LiveSatellites(f),
              (std::vector<std::string>{"G5*", "G9*", "G12*", "E5", "E9*", "E11"}));

    // A new Galileo group leaves GPS alone.
    FeedAll(parser, {"GAGSV,1,1,01,30,10,010,25"});
    EXPECT_EQ(LiveSatellites(parser.Snapshot()),
              (std::vector<std::string>{"G5*", "G9*", "G12*", "E30"}));
    EXPECT_EQ(parser.Snapshot().SatellitesUsedAll(), 4);
}

TEST(NmeaMultiSystem, CombinedGsaWithoutSystemIdGoesByNumberRange)
{
    // The SiRFstarV way: GPS and GLONASS GGA and a GNGSA for each system
    // without the system id field; GLONASS numbers are 65 and up.
    NmeaParser parser;
    FeedAll(parser, {"GPGGA,020937.000,4404.1351,N,12118.8557,W,1,09,0.9,1123.8,M,-19.6,M,,0000",
                     "GLGGA,020937.000,4404.1351,N,12118.8557,W,1,02,0.9,1123.8,M,-19.6,M,,0000",
                     "GNGSA,A,3,15,17,30,28,01,19,18,11,24,,,,1.6,0.9,1.3",
                     "GNGSA,A,3,73,82,,,,,,,,,,,1.6,0.9,1.3",
                     "GPGSV,1,1,03,15,29,271,37,17,81,131,33,06,07,167,19",
                     "GLGSV,1,1,03,73,47,322,36,82,55,053,29,84,03,192,18"});
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(LiveSatellites(f),
              (std::vector<std::string>{"G15*", "G17*", "G6", "R73*", "R82*", "R84"}));
    // The status bar's count: every used satellite, not the last GGA's two.
    EXPECT_EQ(f.satellitesUsed, 2);
    EXPECT_EQ(f.SatellitesUsedAll(), 11);
    EXPECT_EQ(f.ggaCount, 2u);
    EXPECT_EQ(f.gsaCount, 2u);

    // One GNGSA holding both systems is split the same way.
    NmeaParser mixed;
    FeedAll(mixed,
            {"GNGSA,A,3,15,73,,,,,,,,,,,1.6,0.9,1.3", "GPGSV,1,1,02,15,29,271,37,73,10,100,20",
             "GLGSV,1,1,02,73,47,322,36,15,55,053,29"});
    EXPECT_EQ(LiveSatellites(mixed.Snapshot()),
              (std::vector<std::string>{"G15*", "R73", "R73*", "R15"}));
}

TEST(NmeaMultiSystem, OtherSystemsReadThreeDigitNumbersWhole)
{
    NmeaParser parser;
    FeedAll(parser, {"BDGSA,A,3,201,214,,,,,,,,,,,1.6,0.9,1.3",
                     "BDGSV,1,1,02,201,40,100,41,214,30,200,38"});
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.usedPrns[0], 201);
    EXPECT_EQ(LiveSatellites(f), (std::vector<std::string>{"C201*", "C214*"}));
    // The GPS talker keeps its two-digit reading.
    FeedAll(parser, {"GPGSA,A,3,120,,,,,,,,,,,,1.6,0.9,1.3"});
    EXPECT_EQ(parser.Snapshot().usedPrns[0], 12);
}

TEST(NmeaMultiSystem, MoreThanTwelveUsedContinueInTheNextGsa)
{
    NmeaParser parser;
    FeedAll(parser, {"GNGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,1.0,0.6,0.8,1",
                     "GNGSA,A,3,13,14,,,,,,,,,,,1.0,0.6,0.8,1",
                     "GPGSV,1,1,04,01,40,100,41,12,30,200,38,13,20,100,30,14,10,100,25"});
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.SatellitesUsedAll(), 14);
    EXPECT_EQ(LiveSatellites(f), (std::vector<std::string>{"G1*", "G12*", "G13*", "G14*"}));

    // The next epoch's full GSA starts the list again.
    FeedAll(parser, {"GNRMC,020937.000,A,4404.1351,N,12118.8557,W,0.11,359.11,050219,,,A",
                     "GNGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,1.0,0.6,0.8,1"});
    EXPECT_EQ(parser.Snapshot().SatellitesUsedAll(), 12);
}

TEST(NmeaMultiSystem, ASecondSignalsGroupDoesNotReplaceTheFirst)
{
    // NMEA 4.10 receivers tracking L1 (signal 1) and L5 (signal 8) send a
    // group for each; the table keeps the first.
    NmeaParser parser;
    FeedAll(parser, {"GPGSV,1,1,02,05,40,100,41,09,30,200,38,1", "GPGSV,1,1,01,05,40,100,47,8"});
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(LiveSatellites(f), (std::vector<std::string>{"G5", "G9"}));
    EXPECT_EQ(f.satellites[0].snr, 41);
    EXPECT_EQ(f.satellites[2].prn, 0); // the signal id is no satellite
    EXPECT_EQ(f.gsvCount, 2u);
}

TEST(NmeaMultiSystem, ResetEmptiesEverySystemsGroup)
{
    NmeaParser parser;
    FeedAll(parser, {"GNGSA,A,3,05,,,,,,,,,,,,1.2,0.8,0.9,1", "GPGSV,1,1,01,05,40,100,41",
                     "GLGSV,1,1,01,70,40,100,41"});
    parser.Reset();
    GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.satellitesInView, 0);
    EXPECT_EQ(f.SatellitesUsedAll(), 0);
    FeedAll(parser, {"GLGSV,1,1,01,71,40,100,41"});
    EXPECT_EQ(LiveSatellites(parser.Snapshot()), (std::vector<std::string>{"R71"}));
}

TEST(NmeaMultiSystem, ManySystemsFillTheWholeTable)
{
    // Six systems of 16 each: 96 satellites, all in the table.
    NmeaParser parser;
    for (const char* talker : {"GP", "GL", "GA", "GB", "GQ", "GI"}) {
        for (int m = 1; m <= 4; ++m) {
            std::string body = std::string(talker) + "GSV,4," + std::to_string(m) + ",16";
            for (int k = 0; k < 4; ++k)
                body += "," + std::to_string(1 + (m - 1) * 4 + k) + ",30,100,40";
            FeedAll(parser, {body});
        }
    }
    const GpsFix f = parser.Snapshot();
    EXPECT_EQ(f.satellitesInView, 96);
    const std::vector<std::string> live = LiveSatellites(f);
    ASSERT_EQ(live.size(), 96u);
    EXPECT_EQ(live.front(), "G1");
    EXPECT_EQ(live[16], "R1");
    EXPECT_EQ(live.back(), "I16");
}

// The search's sentence check over a real parser: a receiver that sends only
// combined talkers passes it.
class CombinedReceiver final : public ReceiverSearchHost {
public:
    void EnumeratePorts() override {}
    void ClosePort() override { open = false; }
    void Pause(int) override {}
    bool Connect(int port, uint32_t baud) override
    {
        open = port == 3 && baud == 9600;
        return port >= 1 && port <= 3;
    }
    SentenceCounts Counts() const override
    {
        const GpsFix fix = parser.Snapshot();
        SentenceCounts counts;
        counts.sentences = parser.SentenceCount();
        counts.gga = fix.ggaCount;
        counts.gsa = fix.gsaCount;
        counts.gsv = fix.gsvCount;
        counts.rmc = fix.rmcCount;
        return counts;
    }
    void Advance()
    {
        if (!open || ++tenths % 10 != 0)
            return;
        FeedAll(parser, {"GNGGA,020935.000,4404.1351,N,12118.8556,W,1,08,0.9,1123.9,M,-19.6,M,,",
                         "GNGSA,A,3,15,17,,,,,,,,,,,1.8,0.9,1.5,1", "GLGSV,1,1,01,73,47,322,36",
                         "GNRMC,020935.000,A,4404.1351,N,12118.8556,W,0.04,359.11,050219,,,A"});
    }
    mutable NmeaParser parser;
    bool open = false;
    int tenths = 0;
};

TEST(NmeaMultiSystem, ReceiverSearchAcceptsACombinedReceiver)
{
    CombinedReceiver host;
    MemorySettingsStore settings;
    ReceiverSearch search(host, settings);
    search.Start();
    for (int ticks = 0; search.Running() && ticks < 20000; ++ticks) {
        search.Tick();
        host.Advance();
    }
    EXPECT_FALSE(search.Running());
    EXPECT_EQ(search.Result(), ReceiverSearch::Outcome::Found);
}

} // namespace
} // namespace hw
