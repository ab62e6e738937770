#include "NmeaTestSupport.h"
#include "TestFiles.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"
#include "gps/ReplayFile.h"
#include "gps/ReplayPump.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace hw {
namespace {

using test::NmeaSentence;
using test::RecordingSink;

class NmeaLogReplayTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir.Path(name); }
    test::TempDir dir;
};

std::string SampleStream()
{
    std::string s;
    for (int i = 0; i < 40; ++i) {
        char t[16];
        std::snprintf(t, sizeof t, "1200%02d", i);
        s += NmeaSentence(std::string("GPGGA,") + t + ",4807.038,N,01131.000,E,1,08,0.9," +
                          std::to_string(500 + i) + ".0,M,46.9,M,,");
        s += NmeaSentence(std::string("GPRMC,") + t +
                          ",A,4807.038,N,01131.000,E,2.0,84.4,230394,003.1,W");
        s += NmeaSentence("GPGSV,1,1,02,04,40,040,33,05,20,100,40");
        s += NmeaSentence("GPVTG,84.4,T,,M,2.0,N,3.7,K");
    }
    s += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*00\r\n"; // bad sum
    s += std::string("\x00\xff garbage \x1b", 13);
    return s;
}

TEST_F(NmeaLogReplayTest, LogRecordsEveryFedByteAndOpensOnlyOnce)
{
    NmeaParser parser;
    EXPECT_FALSE(parser.IsLogging());
    EXPECT_FALSE(parser.CloseLog());
    std::string log = Path("log.txt");
    test::WriteFileBytes(log, "old contents that must go");
    ASSERT_TRUE(parser.OpenLog(log));
    EXPECT_TRUE(parser.IsLogging());
    EXPECT_FALSE(parser.OpenLog(Path("other.txt"))); // one at a time
    EXPECT_FALSE(std::filesystem::exists(Path("other.txt")));

    std::string stream = SampleStream();
    for (size_t i = 0; i < stream.size(); i += 77)
        parser.Feed(stream.data() + i, std::min<size_t>(77, stream.size() - i));
    EXPECT_EQ(parser.LoggedBytes(), stream.size());
    EXPECT_EQ(test::ReadFileBytes(log), stream); // on disk before the log is closed
    parser.Reset();                              // a reset leaves the log alone
    EXPECT_TRUE(parser.IsLogging());
    EXPECT_TRUE(parser.CloseLog());
    EXPECT_FALSE(parser.IsLogging());
    parser.Feed("$GPZDA,,,,,,\r\n", 14);
    EXPECT_EQ(test::ReadFileBytes(log), stream);

    EXPECT_FALSE(parser.OpenLog(Path("no-such-folder/log.txt")));
    EXPECT_FALSE(parser.OpenLog(dir.Root()));
    EXPECT_FALSE(parser.IsLogging());
}

TEST_F(NmeaLogReplayTest, AFailingLogIsToldAndDecodingGoesOn)
{
    NmeaParser parser;
    ASSERT_TRUE(parser.OpenLog("/dev/full")); // every write: no space left
    std::string stream = SampleStream();
    parser.Feed(stream.data(), stream.size());
    EXPECT_TRUE(parser.LogWriteFailed());
    EXPECT_EQ(parser.Snapshot().ggaCount, 40u);
    EXPECT_TRUE(parser.CloseLog());
    EXPECT_TRUE(parser.LogWriteFailed()); // still told after closing
    ASSERT_TRUE(parser.OpenLog(Path("good.txt")));
    EXPECT_FALSE(parser.LogWriteFailed());
    parser.Feed(stream.data(), stream.size());
    EXPECT_TRUE(parser.CloseLog());
    EXPECT_FALSE(parser.LogWriteFailed());
}

TEST_F(NmeaLogReplayTest, ReplayOfALogReproducesTheNotifications)
{
    std::string stream = SampleStream();
    RecordingSink liveSink;
    NmeaParser live(&liveSink);
    std::string log = Path("live.nmea");
    ASSERT_TRUE(live.OpenLog(log));
    live.Feed(stream.data(), stream.size());
    live.CloseLog();

    ReplayFile file;
    ASSERT_TRUE(file.Open(log));
    EXPECT_EQ(file.Name(), log);
    RecordingSink replaySink;
    NmeaParser replay(&replaySink);
    size_t ticks = 0;
    size_t total = 0;
    while (size_t n = ReplayPumpStep(file, replay)) {
        EXPECT_LE(n, kReplayPumpChunkBytes);
        total += n;
        ++ticks;
    }
    EXPECT_EQ(total, stream.size());
    EXPECT_EQ(ticks, (stream.size() + 127) / 128); // full chunks until the end
    EXPECT_EQ(ReplayPumpStep(file, replay), 0u);   // the end reads nothing
    EXPECT_EQ(replaySink.Messages(), liveSink.Messages());
    EXPECT_EQ(replay.Snapshot().ggaCount, 40u);
    EXPECT_EQ(replay.Snapshot().altitude, live.Snapshot().altitude);

    // A faster replay moves speed x 128 bytes a tick, with the same result.
    ASSERT_TRUE(file.Open(log));
    RecordingSink fastSink;
    NmeaParser fast(&fastSink);
    size_t fastTicks = 0;
    while (size_t n = ReplayPumpStep(file, fast, 8)) {
        EXPECT_LE(n, 8 * kReplayPumpChunkBytes);
        ++fastTicks;
    }
    EXPECT_EQ(fastTicks, (stream.size() + 8 * 128 - 1) / (8 * 128));
    EXPECT_EQ(fastSink.Messages(), liveSink.Messages());

    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(file.Name().empty());
    EXPECT_EQ(ReplayPumpStep(file, replay), 0u); // closed: nothing
    EXPECT_FALSE(file.Open(Path("missing.nmea")));
    EXPECT_FALSE(file.Open(dir.Root()));
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(NmeaLogReplayTest, AReplayOfAnySpeedWaitsForItsReaderInsteadOfLosingFixes)
{
    // More GGAs than the parser keeps for a reader, all within one step.
    const int count = static_cast<int>(FixHistory::kLimit) + 1500;
    std::string log;
    for (int i = 0; i < count; ++i)
        log += NmeaSentence("GPGGA,1200" + std::to_string(10 + i % 50) + ",4807.038,N,01131." +
                            std::to_string(1000 + i % 9000) + ",E,1,08,0.9," + std::to_string(i) +
                            ".0,M,46.9,M,,");
    const std::string path = Path("fast.nmea");
    test::WriteFileBytes(path, log);
    ReplayFile file;
    ASSERT_TRUE(file.Open(path));
    NmeaParser parser;
    const int speed = 1 << 20;
    const size_t first = ReplayPumpStep(file, parser, speed);
    EXPECT_LT(first, log.size());
    EXPECT_GE(parser.UntakenFixes(), kReplayPumpUntakenFixes);
    EXPECT_LE(parser.UntakenFixes(), FixHistory::kLimit);
    // Nobody took them: the next step feeds nothing.
    EXPECT_EQ(ReplayPumpStep(file, parser, speed), 0u);

    // A reader between the steps gets every fix, in order.
    std::vector<GpsFix> fixes;
    uint64_t taken = parser.FixesSince(0, fixes);
    while (ReplayPumpStep(file, parser, speed) != 0)
        taken = parser.FixesSince(taken, fixes);
    parser.FixesSince(taken, fixes);
    ASSERT_EQ(fixes.size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        ASSERT_DOUBLE_EQ(fixes[static_cast<size_t>(i)].altitude, i) << i;
}

TEST_F(NmeaLogReplayTest, ReplayEndingMidSentenceLeavesItPending)
{
    std::string sentence =
        NmeaSentence("GPGGA,120001,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,M,,");
    std::string cut = Path("cut.nmea");
    test::WriteFileBytes(cut, sentence.substr(0, 30));
    ReplayFile file;
    ASSERT_TRUE(file.Open(cut));
    RecordingSink sink;
    NmeaParser parser(&sink);
    while (ReplayPumpStep(file, parser) != 0) {
    }
    EXPECT_TRUE(sink.Messages().empty());
    // The rest arrives later, e.g. from a reopened source: the sentence completes.
    std::string rest = sentence.substr(30);
    parser.Feed(rest.data(), rest.size());
    EXPECT_EQ(sink.Messages(), (std::vector<uint32_t>{WM_GPS_GGA, WM_GPS_SENTENCE}));
}

} // namespace
} // namespace hw
