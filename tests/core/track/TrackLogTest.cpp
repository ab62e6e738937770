#include "track/TrackLog.h"
#include "TestFiles.h"
#include "base/MemorySettingsStore.h"
#include "geo/SphericalGeometry.h"

#include <cmath>
#include <csignal>
#include <cstring>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace hw {
namespace {

TrackPoint At(int32_t lat, int32_t lon, float alt = 100, int32_t time = 0)
{
    TrackPoint p;
    p.lat = lat;
    p.lon = lon;
    p.alt = alt;
    p.time = time;
    return p;
}

// A point d km north of base (one microdegree of latitude is 0.1113 m).
TrackPoint North(const TrackPoint& base, double km)
{
    GeoPoint g = ProjectPoint({base.lat, base.lon, 0}, km, 0);
    return At(g.lat, g.lon, base.alt);
}

std::string Record16(int32_t lat, int32_t lon, float alt, int32_t seg)
{
    std::string r(16, '\0');
    std::memcpy(r.data(), &lat, 4);
    std::memcpy(r.data() + 4, &lon, 4);
    std::memcpy(r.data() + 8, &alt, 4);
    std::memcpy(r.data() + 12, &seg, 4);
    return r;
}

TEST(UtcTimeTest, ConvertsBothWaysIncludingLeapDaysAndBefore1970)
{
    EXPECT_EQ(SecondsFromUtc({2005, 3, 15, 12, 3, 17}), 1110888197);
    EXPECT_EQ(SecondsFromUtc({2000, 2, 29, 23, 59, 59}), 951868799);
    EXPECT_EQ(SecondsFromUtc({1969, 12, 31, 23, 59, 59}), -1);
    EXPECT_EQ(SecondsFromUtc({2038, 1, 19, 3, 14, 7}), 2147483647);
    EXPECT_EQ(UtcFromSeconds(0), (UtcDateTime{1970, 1, 1, 0, 0, 0}));
    EXPECT_EQ(UtcFromSeconds(-1), (UtcDateTime{1969, 12, 31, 23, 59, 59}));
    for (int64_t s = -5000000000; s < 5000000000; s += 86399 * 37 + 13)
        ASSERT_EQ(SecondsFromUtc(UtcFromSeconds(s)), s);
    // Garbage fields from a damaged file still give a defined answer.
    EXPECT_EQ(SecondsFromUtc({2005, 13, 1, 0, 0, 0}), SecondsFromUtc({2006, 1, 1, 0, 0, 0}));
    EXPECT_EQ(SecondsFromUtc({2005, 0, 1, 0, 0, 0}), SecondsFromUtc({2004, 12, 1, 0, 0, 0}));
}

TEST(TrackLogTest, FilterKeepsAStandingReceiverToOnePoint)
{
    TrackLog log;
    log.SetFilterThreshold(0.005);
    TrackPoint start = At(47500000, -122250000);
    for (int i = 0; i < 10; ++i)
        log.AddPoint(start);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.At(0).segmentStart, 1);
    log.AddPoint(North(start, 0.004));
    EXPECT_EQ(log.Count(), 1);
    log.AddPoint(North(start, 0.006)); // 6 m from the last logged point
    ASSERT_EQ(log.Count(), 2);
    EXPECT_EQ(log.At(1).segmentStart, 0);

    TrackLog unfiltered;
    unfiltered.SetFilter(0);
    for (int i = 0; i < 5; ++i)
        unfiltered.AddPoint(start);
    EXPECT_EQ(unfiltered.Count(), 5);
}

TEST(TrackLogTest, AJumpOrAFlaggedFixStartsASegment)
{
    TrackLog log;
    TrackPoint a = At(47500000, -122250000);
    log.AddPoint(a);
    log.AddPoint(North(a, 0.1));
    log.AddPoint(North(a, 3.1)); // 3 km from the last logged point
    TrackPoint gap = North(a, 3.2);
    gap.segmentStart = 1;
    log.AddPoint(gap);
    log.AddPoint(North(a, 3.3));
    ASSERT_EQ(log.Count(), 5);
    EXPECT_EQ(log.At(0).segmentStart, 1);
    EXPECT_EQ(log.At(1).segmentStart, 0);
    EXPECT_EQ(log.At(2).segmentStart, 1);
    EXPECT_EQ(log.At(3).segmentStart, 1);
    EXPECT_EQ(log.At(4).segmentStart, 0);
}

TEST(TrackLogTest, RingDropsTheOldestAndFlagsTheNewOldest)
{
    TrackLog log;
    log.SetFilter(0);
    for (int i = 0; i < 15001; ++i)
        log.AddPoint(At(10000000 + i, 20000000, 1, i));
    ASSERT_EQ(log.Count(), 15000);
    EXPECT_EQ(log.At(0).time, 1);
    EXPECT_EQ(log.At(0).segmentStart, 1);
    EXPECT_EQ(log.At(14999).time, 15000);
    // The sequential walk sees the same points, across the wrap of the ring.
    const TrackPoint* p = log.First();
    for (int i = 0; i < log.Count(); ++i, p = log.Next())
        ASSERT_EQ(p->time, i + 1);

    log.Clear();
    EXPECT_EQ(log.Count(), 0);
    EXPECT_EQ(log.First(), nullptr);
}

TEST(TrackLogTest, CourseFollowsTheTrackAndHonoursItsThreshold)
{
    TrackLog log;
    TrackPoint a = At(47500000, -122250000);
    log.AddPoint(a);
    log.AddPoint(North(a, 0.01));
    EXPECT_NEAR(log.ComputedCourse(), 0.0, 1e-6); // walking north
    GeoPoint east = ProjectPoint({North(a, 0.01).lat, a.lon, 0}, 0.01, 90);
    log.AddPoint(At(east.lat, east.lon));
    EXPECT_NEAR(log.ComputedCourse(), 90.0, 1.0); // whole microdegrees over 10 m

    TrackLog slow;
    slow.SetCourseThresholdEnabled(1);
    slow.SetCourseThreshold(0.005);
    slow.AddPoint(a); // the reference starts at 0,0: far, so a course is taken
    slow.AddPoint(North(a, 0.003));
    double before = slow.ComputedCourse();
    GeoPoint west = ProjectPoint({a.lat, a.lon, 0}, 0.004, 270);
    slow.AddPoint(At(west.lat, west.lon));
    EXPECT_EQ(slow.ComputedCourse(), before); // under the threshold: kept
    slow.AddPoint(North(a, 0.02));
    EXPECT_NEAR(slow.ComputedCourse(), 0.0, 1e-6);
}

TEST(TrackLogTest, SavesHeaderAndRecordsAndResumesWithANewSegment)
{
    test::TempDir dir;
    TrackLog log;
    log.SetFilter(0);
    log.AddPoint(At(47500000, -122250000, 100.5f, 1110888197));
    log.AddPoint(At(-33800000, 151200000, 0.0f, 1110888198));
    log.AddPoint(At(-33800100, 151200000, -12.25f, 0));
    log.AddPoint(At(0, 1000000, 7, 0));
    std::string path = dir.Path("t.trk");
    ASSERT_EQ(log.Save(path), 1);
    std::string bytes = test::ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 4u + 20 * 4);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x02\x00\xAA\x55", 4));
    // The walk's last leg stays whole: the newest point is saved as it is.
    int32_t seg = 1;
    std::memcpy(&seg, bytes.data() + 4 + 2 * 20 + 12, 4);
    EXPECT_EQ(seg, 0);

    TrackLog back;
    ASSERT_EQ(back.Load(path), 1);
    ASSERT_EQ(back.Count(), 4);
    for (uint16_t i = 0; i < 4; ++i)
        EXPECT_EQ(back.At(i), log.At(i)) << i; // 0 m and latitude 0 are restored
    EXPECT_EQ(back.SegmentCount(), 3);

    // Recording after a load starts a new segment, even close to the last
    // point; the one after continues it.
    back.AddPoint(At(1000, 0, 7)); // 111 m from where a new log starts
    back.AddPoint(At(2000, 0, 7));
    EXPECT_EQ(back.At(4).segmentStart, 1);
    EXPECT_EQ(back.At(5).segmentStart, 0);
}

TEST(TrackLogTest, LoadsOlderLayouts)
{
    test::TempDir dir;
    // Version 0: no header, 16-byte records, no time.
    std::string v0 =
        Record16(47500000, -122250000, 100, 0) + Record16(47500100, -122250000, 101, 0);
    ASSERT_EQ(v0.size(), 32u);
    test::WriteFileBytes(dir.Path("v0.trk"), v0);
    TrackLog log;
    ASSERT_EQ(log.Load(dir.Path("v0.trk")), 1);
    ASSERT_EQ(log.Count(), 2);
    EXPECT_EQ(log.At(0).segmentStart, 1);
    EXPECT_EQ(log.At(1).lat, 47500100);
    EXPECT_EQ(log.At(1).time, 0);

    // Version 1: 28-byte records with the date in six 16-bit fields.
    std::string v1("\x01\x00\xAA\x55", 4);
    std::string rec = Record16(47500000, -122250000, 50, 0);
    for (uint16_t f : {2005, 3, 15, 12, 3, 17})
        rec.append(reinterpret_cast<const char*>(&f), 2);
    v1 += rec + rec.substr(0, 27); // the second record is cut short
    test::WriteFileBytes(dir.Path("v1.trk"), v1);
    ASSERT_EQ(log.Load(dir.Path("v1.trk")), 1);
    ASSERT_EQ(log.Count(), 1);
    EXPECT_EQ(log.At(0).time, 1110888197);
    EXPECT_EQ(log.At(0).alt, 50.0f);
}

TEST(TrackLogTest, LoadSkipsOnlyEmptyAndImpossibleRecords)
{
    test::TempDir dir;
    float nan = std::numeric_limits<float>::quiet_NaN();
    std::string v0 = Record16(0, 0, 0, 0) +              // unused slot: skipped
                     Record16(0, 0, 5, 0) +              // kept: altitude given
                     Record16(51477000, 0, 0, 0) +       // Greenwich at 0 m: kept
                     Record16(95000000, 10, 1, 0) +      // impossible: skipped
                     Record16(1000000, 2000000, nan, 0); // altitude unknown: 0
    test::WriteFileBytes(dir.Path("v0.trk"), v0);
    TrackLog log;
    ASSERT_EQ(log.Load(dir.Path("v0.trk")), 1);
    ASSERT_EQ(log.Count(), 3);
    EXPECT_EQ(log.At(0).alt, 5.0f);
    EXPECT_EQ(log.At(1).lat, 51477000);
    EXPECT_EQ(log.At(2).alt, 0.0f);

    // Any bytes load without harm.
    std::string noise;
    uint32_t x = 12345;
    for (int i = 0; i < 100000; ++i) {
        x = x * 1103515245 + 12345;
        noise.push_back(static_cast<char>(x >> 16));
    }
    test::WriteFileBytes(dir.Path("noise.trk"), noise);
    ASSERT_EQ(log.Load(dir.Path("noise.trk")), 1);
    for (uint16_t i = 0; i < log.Count(); ++i)
        ASSERT_TRUE(std::isfinite(log.At(i).alt));
}

TEST(TrackLogTest, FailedLoadKeepsThePointsAndReadOnlyFilesLoad)
{
    test::TempDir dir;
    TrackLog log;
    log.AddPoint(At(47500000, -122250000));
    EXPECT_EQ(log.Load(dir.Path("missing.trk")), 0);
    EXPECT_EQ(log.Load(dir.Root()), 0); // a folder
    EXPECT_EQ(log.Count(), 1);

    TrackLog other;
    other.SetFilter(0);
    other.AddPoint(At(1, 2));
    other.AddPoint(At(3, 4));
    std::string path = dir.Path("ro.trk");
    ASSERT_EQ(other.Save(path), 1);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(log.Load(path), 1);
    EXPECT_EQ(log.Count(), 2);
}

TEST(TrackLogTest, FailedSaveReportsAndKeepsTheOldFile)
{
    test::TempDir dir;
    TrackLog log;
    log.SetFilter(0);
    for (int i = 0; i < 100; ++i)
        log.AddPoint(At(1000 * i + 1, 2000, 1));
    EXPECT_EQ(log.Save(dir.Path("no/such/folder/t.trk")), 0);

    std::string path = dir.Path("t.trk");
    test::WriteFileBytes(path, "old");
    // A full disk: writes beyond 256 bytes fail.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 256;
    ::setrlimit(RLIMIT_FSIZE, &small);
    int result = log.Save(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(test::ReadFileBytes(path), "old");
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Root()))
        ++files;
    EXPECT_EQ(files, 1); // no temporary file left behind
}

TEST(TrackLogTest, ReadsItsSettings)
{
    MemorySettingsStore s;
    TrackLog log;
    log.ApplySettings(s);
    EXPECT_EQ(log.FilterThreshold(), 0.005);
    EXPECT_EQ(log.CourseThreshold(), 0.005);
    EXPECT_EQ(log.FilterEnabled(), 1);
    EXPECT_EQ(log.CourseThresholdEnabled(), 0);
    s.SetText("地图", "Pos Filter Dist Threshold", "0.020000");
    s.SetText("地图", "Course Dist Threshold", "nan");
    s.SetInt("地图", "启用位置过滤器", 0);
    s.SetInt("地图", "使用由GPS指示的航向", 0);
    log.ApplySettings(s);
    EXPECT_EQ(log.FilterThreshold(), 0.02);
    EXPECT_EQ(log.CourseThreshold(), 0.005);
    EXPECT_EQ(log.FilterEnabled(), 0);
    EXPECT_EQ(log.CourseThresholdEnabled(), 1);
}

} // namespace
} // namespace hw
