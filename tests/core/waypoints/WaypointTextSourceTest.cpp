#include "TestFiles.h"

#include "base/Clock.h"
#include "base/MemorySettingsStore.h"
#include "units/PositionFormatter.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hw {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteNewFile;

Waypoint Cache(const std::string& name, const std::string& description)
{
    Waypoint w;
    w.strName = name;
    w.nType = kWaypointGeocache;
    w.nLatitude = 47400000;
    w.nLongitude = 8500000;
    w.geocache.strCacheName = "Cache " + name;
    w.geocache.strLongDescription = description;
    w.geocache.strShortDescription = "short of " + name;
    w.geocache.strEncodedHints = "hint of " + name;
    w.geocache.logs[0] = {"found by me", 1, 0, 1000, "Finder of " + name};
    return w;
}

class WaypointTextSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WaypointDatabase db;
        db.Add(Cache("GC1", "the first description, 长"));
        db.Add(Cache("GC2", std::string(100000, 'x')));
        ASSERT_EQ(SaveWaypointDatabase(db, path), 1);
        ASSERT_EQ(LoadWaypointDatabase(lazy, path, nullptr, true, WaypointTexts::Deferred), 1);
        lazy.ForEach([&](const Waypoint& w) { serials.push_back(w.nSerial); });
        ASSERT_EQ(serials.size(), 2u);
    }
    Waypoint Found(int serial) const
    {
        Waypoint w;
        EXPECT_TRUE(lazy.FindBySerial(serial, w));
        return w;
    }

    TempDir dir;
    std::string path = dir.Path("db.wpt");
    WaypointDatabase lazy;
    std::vector<int> serials;
};

TEST_F(WaypointTextSourceTest, TextsStayInTheFileUntilAskedFor)
{
    const Waypoint* stored = lazy.StoredBySerial(serials[0]);
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->HasDeferredTexts());
    EXPECT_EQ(stored->geocache.strLongDescription, "");
    EXPECT_EQ(stored->geocache.strCacheName, "Cache GC1"); // the manager's columns are there
    const Waypoint whole = Found(serials[0]);
    EXPECT_FALSE(whole.HasDeferredTexts());
    EXPECT_EQ(whole.geocache.strLongDescription, "the first description, 长");
    EXPECT_EQ(whole.geocache.strShortDescription, "short of GC1");
    EXPECT_EQ(whole.geocache.strEncodedHints, "hint of GC1");
    EXPECT_EQ(whole.geocache.logs[0].strText, "found by me");
    EXPECT_EQ(whole.geocache.logs[0].strFinder, "Finder of GC1");
    EXPECT_EQ(Found(serials[1]).geocache.strLongDescription, std::string(100000, 'x'));
}

// Another program renames a new file over ours: the open file keeps the old
// one, so the texts are still ours. The file at the path is theirs now: an
// automatic save does not replace it, a save elsewhere writes our texts.
TEST_F(WaypointTextSourceTest, AFileReplacedByRenameKeepsItsTexts)
{
    WaypointDatabase theirs;
    theirs.Add(Cache("THEIRS", "their description"));
    ASSERT_EQ(SaveWaypointDatabase(theirs, dir.Path("theirs.wpt")), 1);
    ASSERT_EQ(std::rename(dir.Path("theirs.wpt").c_str(), path.c_str()), 0);
    const std::string their = ReadFileBytes(path);

    EXPECT_EQ(Found(serials[0]).geocache.strLongDescription, "the first description, 长");
    WaypointSaveProblem problem{};
    EXPECT_EQ(SaveWaypointDatabase(lazy, path, &problem), 0);
    EXPECT_EQ(problem, WaypointSaveProblem::FileChanged);
    EXPECT_TRUE(ReadFileBytes(path) == their) << "their file is left to them";
    ASSERT_EQ(SaveWaypointDatabase(lazy, dir.Path("ours.wpt")), 1);
    WaypointDatabase again;
    ASSERT_EQ(LoadWaypointDatabase(again, dir.Path("ours.wpt")), 1);
    ASSERT_EQ(again.Count(), 2);
    again.ForEach([](const Waypoint& w) {
        EXPECT_EQ(w.geocache.strShortDescription, "short of " + w.strName);
    });
}

// Another program rewrites the file in place: its bytes are not ours any
// more, whether the rewrite changes the time stamp, keeps it (cp -p, the
// two-second stamps of a memory card), keeps the size or shortens the
// file. The texts are never another file's, never taken as empty: a copy
// still refers to them, stored back it keeps them, and no save writes the
// record without them. When the bytes come back, so do the texts.
TEST_F(WaypointTextSourceTest, AFileRewrittenInPlaceNeitherGivesNorLosesTexts)
{
    const std::string original = ReadFileBytes(path);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    const auto rewrite = [&](std::string bytes, bool keepTime) {
        const int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        const timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
        const timespec same[2] = {{0, UTIME_OMIT}, before.st_mtim};
        ASSERT_EQ(futimens(fd, keepTime ? same : later), 0);
        close(fd);
    };
    std::string foreign = original; // the same size, other texts
    for (size_t at = foreign.find('x'); at != std::string::npos; at = foreign.find('x', at + 1))
        foreign[at] = 'Z';
    std::string moved = original; // the first name one unit longer, as long as before
    moved[11 + 12] = static_cast<char>(moved[11 + 12] + 1);
    const struct {
        const char* what;
        std::string bytes;
        bool keepTime;
        size_t record; // whose bytes are not there any more
    } cases[] = {{"other texts, a later time", foreign, false, 1},
                 {"records moved, the same time", moved, true, 0},
                 {"shortened", original.substr(0, 40), true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rewrite(c.bytes, c.keepTime);
        Waypoint read = Found(serials[c.record]);
        EXPECT_EQ(read.strName, c.record == 0 ? "GC1" : "GC2");
        EXPECT_TRUE(read.HasDeferredTexts()) << "the texts are still to be read";
        EXPECT_EQ(read.geocache.strLongDescription, "");
        read.icon = 5; // an edit of what was read stores the record back
        ASSERT_EQ(lazy.ReplaceBySerial(serials[c.record], read), serials[c.record]);
        WaypointSaveProblem problem{};
        EXPECT_EQ(SaveWaypointDatabase(lazy, path, &problem), 0);
        EXPECT_EQ(problem, WaypointSaveProblem::FileChanged);
        EXPECT_TRUE(ReadFileBytes(path) == c.bytes) << "the changed file is left alone";
        EXPECT_EQ(SaveWaypointDatabase(lazy, dir.Path("elsewhere.wpt"), &problem), 0);
        EXPECT_EQ(problem, WaypointSaveProblem::FileChanged) << "never written with empty texts";
        EXPECT_FALSE(std::filesystem::exists(dir.Path("elsewhere.wpt")));
        EXPECT_TRUE(lazy.IsModified());
    }
    rewrite(original, false);
    EXPECT_EQ(Found(serials[1]).geocache.strLongDescription, std::string(100000, 'x'));
    ASSERT_EQ(SaveWaypointDatabase(lazy, dir.Path("elsewhere.wpt")), 1);
    WaypointDatabase again;
    ASSERT_EQ(LoadWaypointDatabase(again, dir.Path("elsewhere.wpt")), 1);
    again.ForEach([](const Waypoint& w) {
        EXPECT_EQ(w.icon, 5);
        EXPECT_EQ(w.geocache.strShortDescription, "short of " + w.strName);
        EXPECT_EQ(w.geocache.logs[0].strFinder, "Finder of " + w.strName);
    });
}

// The page of a cache and the tool's listing read texts that the load left
// in the file.
TEST(WaypointTextSource, PageAndListingReadTextsNeverDecodedBefore)
{
    HW_REQUIRE_PEER_DATA("gpx");
    TempDir dir;
    WaypointDatabase imported;
    ImportWaypointFile(imported, test::PeerDataDir() + "/gpx/GC7FA4.gpx", false, {});
    ASSERT_EQ(imported.Count(), 1);
    Waypoint expected;
    imported.ForEach([&](const Waypoint& w) { expected = w; });
    ASSERT_GT(expected.geocache.strLongDescription.size(), 20u);
    ASSERT_EQ(SaveWaypointDatabase(imported, dir.Path("db.wpt")), 1);

    WaypointDatabase lazy;
    ASSERT_EQ(
        LoadWaypointDatabase(lazy, dir.Path("db.wpt"), nullptr, true, WaypointTexts::Deferred), 1);
    Waypoint cache;
    lazy.ForEach([&](const Waypoint& w) { cache = w; });
    ASSERT_TRUE(cache.HasDeferredTexts());
    ASSERT_TRUE(lazy.FindBySerial(cache.nSerial, cache));
    MemorySettingsStore settings;
    PositionFormatter positions(settings);
    SystemClock clock;
    GeocachePages pages(settings, positions, clock);
    const std::string page = pages.Render(
        cache, {std::string(HIKEWISE_SOURCE_DIR) + "/resources/templates", dir.Path("HTML")});
    ASSERT_FALSE(page.empty());
    const std::string html = ReadFileBytes(page);
    // The description's own words, from the peer file.
    EXPECT_NE(html.find("Le but de cette cache virtuelle"), std::string::npos);
    EXPECT_NE(html.find("LES COORDON"), std::string::npos);

    const std::string out = dir.Path("list.json");
    const std::string command = std::string(HIKEWISE_BIN_DIR) + "/hikewise-tool wpt-list " +
                                dir.Path("db.wpt") + " >" + out;
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string listed = ReadFileBytes(out);
    EXPECT_NE(listed.find("Le but de cette cache virtuelle"), std::string::npos);
    ASSERT_EQ(expected.geocache.logs[1].strFinder, "TravelBen");
    EXPECT_NE(listed.find("\"strFinder\":\"TravelBen\""), std::string::npos);
}

} // namespace
} // namespace hw
