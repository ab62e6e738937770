#include "track/TrackExport.h"
#include "TestFiles.h"

#include <cstdio>
#include <sstream>

#include <gtest/gtest.h>

namespace hw {
namespace {

TrackPoint Point(int32_t lat, int32_t lon, float alt, int32_t time, int32_t seg = 0)
{
    TrackPoint p;
    p.lat = lat;
    p.lon = lon;
    p.alt = alt;
    p.time = time;
    p.segmentStart = seg;
    return p;
}

// Two segments: a point, a jump, two points; the second point's time is
// unknown (a receiver that gave no date yet).
TrackLog TwoSegments()
{
    TrackLog log;
    log.SetFilter(0);
    log.AddPoint(Point(47500000, -122250000, 100, 1110888197));
    log.AddPoint(Point(47600000, -122250000, 0, 0, 1));
    log.AddPoint(Point(47600100, -122249900, -5.5f, 1110888199));
    return log;
}

TEST(TrackExportTest, CsvLinesWithDateAndFlag)
{
    EXPECT_EQ(TrackExportText(TwoSegments(), TrackExportFormat::Csv),
              "Latitude, Longitude, Altitude, Start_Segment, Time\n"
              "47.500000,-122.250000,100.000000,1,2005/03/15 12:03:17\n"
              "47.600000,-122.250000,0.000000,1,\n" // time unknown: left out
              "47.600100,-122.249900,-5.500000,0,2005/03/15 12:03:19\n");
}

TEST(TrackExportTest, KmlLineStringsWithLongitudeFirst)
{
    const char* style = "<Style>\n<LineStyle>\n<color>90ff0000</color>\n"
                        "<colorMode>normal</colorMode>\n<width>5</width>\n</LineStyle>\n</Style>\n"
                        "<LineString>\n<tessellate>1</tessellate>\n"
                        "<altitudeMode>clampedToGround</altitudeMode>\n<coordinates>\n";
    std::string expected = std::string("<kml xmlns=\"http://earth.google.com/kml/2.0\">\n") +
                           "<Document>\n<Placemark>\n<name>Hikewise Track 0</name>" + style +
                           "-122.250000,47.500000,100.000000"
                           "\n</coordinates>\n</LineString>\n</Placemark>\n"
                           "<Placemark>\n<name>Hikewise Track 1</name>" +
                           style +
                           "-122.250000,47.600000,0.000000\n"
                           "-122.249900,47.600100,-5.500000"
                           "</coordinates>\n</LineString>\n</Placemark>\n</Document>\n</kml>\n\n";
    EXPECT_EQ(TrackExportText(TwoSegments(), TrackExportFormat::Kml), expected);
}

TEST(TrackExportTest, GpxSegmentsNumberedFromOne)
{
    const char* pointTail = "<sym>Dot</sym>\n</trkpt>\n";
    std::string expected =
        std::string("<?xml version=\"1.0\" standalone=\"yes\"?>\n<gpx version=\"1.0\"\n"
                    "creator=\"Hikewise - https://hikewise.korv.example.org/\">\n"
                    "<trk>\n<name>Hikewise Track</name>\n") +
        "<trkseg>\n<number>1</number><trkpt lat=\"47.500000\" lon=\"-122.250000\">\n"
        "<ele>100.000000</ele>\n<time>2005-03-15T12:03:17Z</time>\n" +
        pointTail +
        "</trkseg>\n<trkseg>\n<number>2</number><trkpt lat=\"47.600000\" lon=\"-122.250000\">\n"
        "<ele>0.000000</ele>\n" + // time unknown: no element
        pointTail +
        "<trkpt lat=\"47.600100\" lon=\"-122.249900\">\n"
        "<ele>-5.500000</ele>\n<time>2005-03-15T12:03:19Z</time>\n" +
        pointTail + "\n</trkseg>\n</trk>\n</gpx>\n\n";
    EXPECT_EQ(TrackExportText(TwoSegments(), TrackExportFormat::Gpx), expected);
}

TEST(TrackExportTest, EmptyLogGivesWellFormedFiles)
{
    TrackLog empty;
    EXPECT_EQ(TrackExportText(empty, TrackExportFormat::Csv),
              "Latitude, Longitude, Altitude, Start_Segment, Time\n");
    EXPECT_EQ(TrackExportText(empty, TrackExportFormat::Kml),
              "<kml xmlns=\"http://earth.google.com/kml/2.0\">\n<Document>\n"
              "</Document>\n</kml>\n\n");
    EXPECT_EQ(TrackExportText(empty, TrackExportFormat::Gpx),
              "<?xml version=\"1.0\" standalone=\"yes\"?>\n<gpx version=\"1.0\"\n"
              "creator=\"Hikewise - https://hikewise.korv.example.org/\">\n"
              "<trk>\n<name>Hikewise Track</name>\n</trk>\n</gpx>\n\n");
}

TEST(TrackExportTest, WritesFilesAndReportsFailure)
{
    test::TempDir dir;
    TrackLog log = TwoSegments();
    std::string path = dir.Path("t.gpx");
    test::WriteFileBytes(path, "a longer old file that is replaced entirely ...........");
    ASSERT_EQ(ExportTrack(log, TrackExportFormat::Gpx, path), 1);
    EXPECT_EQ(test::ReadFileBytes(path), TrackExportText(log, TrackExportFormat::Gpx));
    EXPECT_EQ(ExportTrack(log, TrackExportFormat::Csv, dir.Path("missing/t.csv")), 0);
    EXPECT_EQ(TrackExportFormatByName("GPX"), TrackExportFormat::Gpx);
    EXPECT_EQ(TrackExportFormatByName("kml"), TrackExportFormat::Kml);
    EXPECT_FALSE(TrackExportFormatByName("txt"));
}

// A full ring survives save, load and export field by field.
TEST(TrackExportTest, FullTrackRoundTrip)
{
    test::TempDir dir;
    TrackLog log;
    log.SetFilter(0);
    for (int i = 0; i < 15000; ++i) {
        TrackPoint p = Point(-89000000 + i * 11867, -179000000 + i * 23869,
                             static_cast<float>(i % 4000) * 0.25f - 400, 1000000000 + i * 7,
                             i % 997 == 0 ? 1 : 0);
        log.AddPoint(p);
    }
    ASSERT_EQ(log.Count(), 15000);
    ASSERT_EQ(log.Save(dir.Path("full.trk")), 1);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("full.trk")).size(), 4u + 20 * 15000);
    TrackLog back;
    ASSERT_EQ(back.Load(dir.Path("full.trk")), 1);
    ASSERT_EQ(back.Count(), 15000);
    for (uint16_t i = 0; i < 15000; ++i)
        ASSERT_EQ(back.At(i), log.At(i)) << i;

    std::istringstream csv(TrackExportText(back, TrackExportFormat::Csv));
    std::string line;
    std::getline(csv, line);
    for (uint16_t i = 0; i < 15000; ++i) {
        ASSERT_TRUE(std::getline(csv, line));
        double lat, lon, alt;
        int seg, y, mo, d, h, mi, s;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%d,%d/%d/%d %d:%d:%d", &lat, &lon, &alt,
                              &seg, &y, &mo, &d, &h, &mi, &s),
                  10)
            << line;
        const TrackPoint& p = log.At(i);
        ASSERT_NEAR(lat, p.lat * 1e-6, 5e-7);
        ASSERT_NEAR(lon, p.lon * 1e-6, 5e-7);
        ASSERT_NEAR(alt, p.alt, 5e-7);
        ASSERT_EQ(seg, p.segmentStart);
        ASSERT_EQ(SecondsFromUtc({y, mo, d, h, mi, s}), p.time);
    }
    EXPECT_FALSE(std::getline(csv, line));
}

} // namespace
} // namespace hw
