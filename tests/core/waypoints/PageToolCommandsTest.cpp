// hikewise-tool's geocache-page and field-notes commands, run as programs
// over a database file.

#include "ScopedTimeZone.h"
#include "TestFiles.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace hw {
namespace {

struct Result {
    int exit = -1;
    std::string out;
    std::string err;
};

class PageToolCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Waypoint cache;
        cache.strName = "GC1";
        cache.nType = kWaypointGeocache;
        cache.nLatitude = 47500000;
        cache.nLongitude = 8250000;
        cache.nGeocacheState = 1;
        cache.timeGeochacheFound = 1235887500; // 2009-03-01 14:05 in UTC+8
        cache.strFieldNotes = "behind the \"old\" oak";
        cache.geocache.bFieldNotePending = 1;
        cache.geocache.strCacheName = "Old <Mill>";
        cache.geocache.strPlacedBy = "Miller";
        cache.geocache.strCacheType = "Traditional Cache";
        cache.geocache.nDifficulty = 25;
        cache.geocache.strEncodedHints = "<script>x()</script>";
        cache.geocache.logs[0] = {"TFTC", 1, 0, 1235887500, "Hiker"};
        db.Add(cache);
        Waypoint car;
        car.strName = "Car";
        db.Add(car);
        ASSERT_EQ(SaveWaypointDatabase(db, dir.Path("db.wpt")), 1);
    }

    Result Tool(const std::string& args) const
    {
        std::string command = std::string(HIKEWISE_BIN_DIR) + "/hikewise-tool " + args + " >" +
                              dir.Path("stdout") + " 2>" + dir.Path("stderr");
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                test::ReadFileBytes(dir.Path("stdout")), test::ReadFileBytes(dir.Path("stderr"))};
    }

    test::TempDir dir;
    WaypointDatabase db;
};

TEST_F(PageToolCommandsTest, GeocachePageRendersWithItsImages)
{
    Result r = Tool("geocache-page " + dir.Path("db.wpt") + " GC1 " + dir.Path("out"));
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, "{\"page\":\"" + dir.Path("out/gc.htm") + "\",\"hint\":\"" +
                         dir.Path("out/hinttpl.htm") + "\",\"template\":\"cachetpl.htm\"}\n");
    std::string page = test::ReadFileBytes(dir.Path("out/gc.htm"));
    EXPECT_NE(page.find("<title>(GC1) Old &lt;Mill&gt; by Miller</title>"), std::string::npos);
    EXPECT_NE(page.find("src=\"TraditionalCache.gif\""), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    for (const char* image :
         {"TraditionalCache.gif", "sy.gif", "hsy.gif", "icon_smile.gif", "page.css"})
        EXPECT_TRUE(std::filesystem::exists(dir.Path(std::string("out/") + image))) << image;
    EXPECT_NE(test::ReadFileBytes(dir.Path("out/hinttpl.htm")).find("&lt;script&gt;x()"),
              std::string::npos);

    r = Tool("geocache-page " + dir.Path("db.wpt") + " Car " + dir.Path("out"));
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_NE(r.out.find("\"template\":\"wptpl.htm\""), std::string::npos);

    r = Tool("geocache-page " + dir.Path("db.wpt") + " GC9 " + dir.Path("out"));
    EXPECT_NE(r.exit, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("GC9"), std::string::npos);
    r = Tool("geocache-page " + dir.Path("none.wpt") + " GC1 " + dir.Path("out"));
    EXPECT_NE(r.exit, 0);
    EXPECT_NE(r.err.find("none.wpt"), std::string::npos);
}

TEST_F(PageToolCommandsTest, FieldNotesWriteVisitsAndSaveThemAsDone)
{
    std::string file = dir.Path("db.wpt");
    Result r = Tool("field-notes " + file + " " + dir.Path("missing/v.txt") + " --mark-logged");
    EXPECT_NE(r.exit, 0);
    EXPECT_NE(r.err.find("v.txt"), std::string::npos);

    {
        test::ScopedTimeZone tz("CST-8"); // the program inherits it
        r = Tool("field-notes " + file + " " + dir.Path("v.txt") + " --mark-logged");
    }
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, "{\"visits\":1}\n");
    EXPECT_EQ(test::ReadFileBytes(dir.Path("v.txt")),
              "\xEF\xBB\xBFGC1,2009-03-01T14:05Z,Found it,\"behind the \"\"old\"\" oak\"\r\n");
    WaypointDatabase saved;
    ASSERT_EQ(LoadWaypointDatabase(saved, file), 1);
    saved.ForEach([](const Waypoint& w) {
        EXPECT_EQ(w.geocache.bFieldNotePending, 0) << w.strName;
        if (w.strName == "GC1") {
            EXPECT_EQ(w.nGeocacheState, 5);
        }
    });

    r = Tool("field-notes " + file + " " + dir.Path("v2.txt"));
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, "{\"visits\":0}\n");
    EXPECT_EQ(test::ReadFileBytes(dir.Path("v2.txt")), "\xEF\xBB\xBF");

    EXPECT_NE(Tool("field-notes " + file).exit, 0);
    EXPECT_NE(Tool("field-notes " + file + " x.txt --bogus").exit, 0);
}

} // namespace
} // namespace hw
