#include "TestFiles.h"

#include "waypoints/GpxWaypointWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace hw {
namespace {

const char* kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
                      "<gpx\n"
                      " creator=\"Hikewise - https://hikewise.korv.example.org/\"\n"
                      " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
                      " version=\"1.0\"\n"
                      " xmlns=\"http://www.topografix.com/GPX/1/0\"\n"
                      " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/0 "
                      "http://www.topografix.com/GPX/1/0/gpx.xsd\">\n"
                      "<desc>GPX Waypoint File Generated with Hikewise</desc>\n"
                      "<author>KORV Hikewise</author>\n"
                      "<email>hikewise@korv.example.org</email>\n";

class GpxWaypointWriterTest : public ::testing::Test {
protected:
    void SetUp() override { Zone("UTC"); }
    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
    }
    static void Zone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }
};

TEST_F(GpxWaypointWriterTest, EmptyDatabase)
{
    WaypointDatabase db;
    EXPECT_EQ(WriteGpx(db, 1199145600 + 3661),
              std::string(kHeader) +
                  "<time>2008-01-01T01:01:01Z</time>\n"
                  "<bounds minlat=\"999.000000\" minlon=\"999.000000\" maxlat=\"-999.000000\" "
                  "maxlon=\"-999.000000\"/>\n"
                  "</gpx>");
}

TEST_F(GpxWaypointWriterTest, WaypointsByteForByte)
{
    WaypointDatabase db;
    Waypoint w;
    w.strName = "Home";
    w.nLatitude = 47500000;
    w.nLongitude = -122250000;
    w.fAltitude = 100;
    w.strURL.clear();
    db.Add(w);
    Waypoint cache;
    cache.strName = "GC1 ]]> end";
    cache.nLatitude = -33868800;
    cache.nLongitude = 151209300;
    cache.fAltitude = -2.5f;
    cache.strComment = "a comment";
    cache.icon = 24;
    cache.bActiveWaypoint = 1;
    cache.dActiveWPDistance = 0.25;
    cache.strSoundFile = "R&B.wav";
    cache.nActiveWaypointMessageType = 2;
    cache.nType = 1;
    cache.nGeocacheState = 5;
    cache.bUseGeocacheStateForIconID = 1;
    cache.timeGeochacheFound = 1234567890;
    cache.strURL = "http://x/";
    cache.strFieldNotes = "a\r\nb";
    cache.timeCreated = 1234567890;
    db.Add(cache);

    std::string expected =
        std::string(kHeader) +
        "<time>1970-01-01T00:00:00Z</time>\n"
        "<bounds minlat=\"-33.868800\" minlon=\"-122.250000\" maxlat=\"47.500000\" "
        "maxlon=\"151.209300\"/>\n"
        " <wpt lat=\"-33.868800\" lon=\"151.209300\">\n"
        "  <ele> -2.500000 </ele>  <time>2009-02-13T23:31:30.00000+00:00</time>\n"
        "  <name><![CDATA[GC1 ]]]]><![CDATA[> end]]></name>\n"
        "  <desc><![CDATA[a comment]]></desc>\n"
        "  <sym><![CDATA[Geocache]]></sym>\n"
        "  <quellis:waypoint xmlns:quellis=\"https://hikewise.korv.example.org/waypoint/1/0\">\n"
        "   <quellis:icon>24</quellis:icon>\n"
        "   <quellis:nGeocacheState>5</quellis:nGeocacheState>\n"
        "   <quellis:bUseGeocacheStateForIconID>1</quellis:bUseGeocacheStateForIconID>\n"
        "   <quellis:bActiveWaypoint>1</quellis:bActiveWaypoint>\n"
        "   <quellis:dActiveWPDistance>0.250000</quellis:dActiveWPDistance>\n"
        "   <quellis:strSoundFile>R&amp;B.wav</quellis:strSoundFile>\n"
        "   <quellis:nActiveWaypointMessageType>2</quellis:nActiveWaypointMessageType>\n"
        "   <quellis:nType>1</quellis:nType>\n"
        "   <quellis:timeGeochacheFound>1234567890</quellis:timeGeochacheFound>\n"
        "   <quellis:strURL><![CDATA[http://x/]]></quellis:strURL>\n"
        "   <quellis:strFieldNotes><![CDATA[a\nb]]></quellis:strFieldNotes>\n"
        "  </quellis:waypoint>\n"
        " </wpt>\n"
        " <wpt lat=\"47.500000\" lon=\"-122.250000\">\n"
        "  <ele> 100.000000 </ele>  <time>1970-01-01T00:00:00.00000+00:00</time>\n"
        "  <name><![CDATA[Home]]></name>\n"
        "  <sym><![CDATA[路点]]></sym>\n"
        "  <quellis:waypoint xmlns:quellis=\"https://hikewise.korv.example.org/waypoint/1/0\">\n"
        "   <quellis:icon>0</quellis:icon>\n"
        "   <quellis:nGeocacheState>0</quellis:nGeocacheState>\n"
        "   <quellis:bUseGeocacheStateForIconID>0</quellis:bUseGeocacheStateForIconID>\n"
        "   <quellis:bActiveWaypoint>0</quellis:bActiveWaypoint>\n"
        "   <quellis:dActiveWPDistance>0.304800</quellis:dActiveWPDistance>\n"
        "   <quellis:strSoundFile>Alarm1.wav</quellis:strSoundFile>\n"
        "   <quellis:nActiveWaypointMessageType>0</quellis:nActiveWaypointMessageType>\n"
        "   <quellis:nType>0</quellis:nType>\n"
        "   <quellis:timeGeochacheFound>0</quellis:timeGeochacheFound>\n"
        "  </quellis:waypoint>\n"
        " </wpt>\n"
        "</gpx>";
    EXPECT_EQ(WriteGpx(db, 0), expected);
}

TEST_F(GpxWaypointWriterTest, TimesAreLocalAndTheFileIsReplacedWhole)
{
    Zone("Asia/Shanghai");
    WaypointDatabase db;
    db.Add(Waypoint());
    std::string gpx = WriteGpx(db, 0);
    EXPECT_NE(gpx.find("<time>1970-01-01T08:00:00Z</time>"), std::string::npos);
    EXPECT_NE(gpx.find("<time>1970-01-01T08:00:00.00000+00:00</time>"), std::string::npos);

    test::TempDir dir;
    EXPECT_EQ(ExportGpxFile(db, dir.Path("out.gpx"), 0), 1);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("out.gpx")), gpx);
    EXPECT_EQ(ExportGpxFile(db, dir.Path("missing/out.gpx"), 0), 0);
}

} // namespace
} // namespace hw
