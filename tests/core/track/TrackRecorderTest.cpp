#include "track/TrackRecorder.h"
#include "gps/NmeaParser.h"

#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace hw {
namespace {

// A sentence with its checksum and line end.
std::string Sentence(const std::string& body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

struct Recorder : ::testing::Test {
    NmeaParser parser;
    TrackLog log;
    TrackRecorder recorder{log};

    std::optional<TrackPoint> Update(const std::string& gga)
    {
        std::string s = Sentence(gga);
        parser.Feed(s.data(), s.size());
        return recorder.OnGpsUpdate(parser.Snapshot());
    }
};

TEST_F(Recorder, PointsFromFixesAndASegmentAfterAGap)
{
    std::string rmc = Sentence("GPRMC,120316,A,4221.4394,N,01321.9948,E,000.0,000.0,150305,,");
    parser.Feed(rmc.data(), rmc.size());
    auto p = Update("GPGGA,120317,4221.4394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->lat, 42357323); // 42 deg 21.4394 min, truncated
    EXPECT_EQ(p->lon, 13366580);
    EXPECT_FLOAT_EQ(p->alt, 746.1f);
    EXPECT_EQ(p->time, 1110888197); // 2005-03-15 12:03:17 UTC
    EXPECT_EQ(log.Count(), 1);

    EXPECT_FALSE(Update("GPGGA,120318,4221.4394,N,01321.9948,E,0,00,,,M,,M,,"));
    EXPECT_TRUE(recorder.NextPointStartsSegment());
    p = Update("GPGGA,120319,4221.5394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->segmentStart, 1);
    EXPECT_FALSE(recorder.NextPointStartsSegment());
    p = Update("GPGGA,120320,4221.6394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");
    EXPECT_EQ(p->segmentStart, 0);
    ASSERT_EQ(log.Count(), 3);
    EXPECT_EQ(log.SegmentCount(), 2);

    recorder.MarkGap(); // the link went quiet
    p = Update("GPGGA,120330,4221.7394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");
    EXPECT_EQ(log.At(3).segmentStart, 1);
}

// A GPGGA carries only the time of day: until a GPRMC has given the date
// (again after a reset) each fix is recorded with the time unknown (0), never
// dated 2000-01-01; the points after the date carry it.
TEST_F(Recorder, PointsWithoutTheReceiversDateHaveNoTime)
{
    ASSERT_TRUE(Update("GPGGA,120317,4221.4394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,"));
    // An RMC without a date gives none either.
    std::string rmc = Sentence("GPRMC,120318,A,4221.4394,N,01321.9948,E,000.0,000.0,,,");
    parser.Feed(rmc.data(), rmc.size());
    Update("GPGGA,120318,4221.5394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");
    rmc = Sentence("GPRMC,120318,A,4221.5394,N,01321.9948,E,000.0,000.0,150305,,");
    parser.Feed(rmc.data(), rmc.size());
    Update("GPGGA,120319,4221.6394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");

    parser.Reset(); // the watchdog: the date is forgotten with the rest
    EXPECT_FALSE(recorder.OnGpsUpdate(parser.Snapshot()));
    Update("GPGGA,120340,4221.7394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");
    rmc = Sentence("GPRMC,120340,A,4221.7394,N,01321.9948,E,000.0,000.0,150305,,");
    parser.Feed(rmc.data(), rmc.size());
    Update("GPGGA,120341,4221.8394,N,01321.9948,E,1,05,1.5,746.1,M,,M,,");

    const int32_t times[] = {0, 0, 1110888199, 0, 1110888221}; // 2005-03-15 12:03:19, 12:03:41
    const int32_t starts[] = {1, 0, 0, 1, 0};
    ASSERT_EQ(log.Count(), 5);
    for (uint16_t i = 0; i < 5; ++i) {
        EXPECT_EQ(log.At(i).time, times[i]) << i;
        EXPECT_EQ(log.At(i).segmentStart, starts[i]) << i;
    }
}

TEST_F(Recorder, AnImpossiblePositionIsNoFix)
{
    GpsFix fix;
    fix.fixQuality = 1;
    fix.ggaLatitude = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(recorder.OnGpsUpdate(fix));
    fix.ggaLatitude = 47.5;
    fix.ggaLongitude = 1e12;
    EXPECT_FALSE(recorder.OnGpsUpdate(fix));
    EXPECT_EQ(log.Count(), 0);
    EXPECT_TRUE(recorder.NextPointStartsSegment());
}

} // namespace
} // namespace hw
