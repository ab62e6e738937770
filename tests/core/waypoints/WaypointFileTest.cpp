#include "TestFiles.h"
#include "WaypointFileBuilder.h"

#include "base/BufferedWriter.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hw {
namespace {

using test::FileBuilder;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteNewFile;

Waypoint FullWaypoint()
{
    Waypoint w;
    w.nLatitude = -33868800;
    w.nLongitude = 151209300;
    w.fAltitude = 58.25f;
    w.strName = "悉尼 🦘 cache";
    w.icon = 113;
    w.bActiveWaypoint = 1;
    w.dActiveWPDistance = 0.125;
    w.strComment = "comment\r\nline 2";
    w.strSoundFile = "Alarm3.wav";
    w.nType = 1;
    w.nGeocacheState = 15;
    w.timeGeochacheFound = 1234567890;
    w.bUseGeocacheStateForIconID = 1;
    w.strURL = "https://example.org/gc";
    w.timeCreated = -5;
    w.nActiveWaypointMessageType = 5;
    w.strFieldNotes = "found, \"quoted\"";
    w.nVisitLogType = -3;
    GeocacheInfo& g = w.geocache;
    g.strLongDescription = std::string(200000, 'L') + "长";
    g.bLongDescriptionHtml = 1;
    g.strShortDescription = "short";
    g.strCacheName = "名字";
    g.strPlacedBy = "placer";
    g.strCacheType = "Unknown Cache";
    g.nDifficulty = 15;
    g.nTerrain = 45;
    g.strContainer = "Micro";
    g.strCountry = "Australia";
    g.strState = "NSW";
    g.strEncodedHints = "under the rock";
    g.bAvailable = 0;
    g.bArchived = 1;
    for (int i = 0; i < kGeocacheLogCount; ++i) {
        g.logs[static_cast<size_t>(i)] = {"log " + std::to_string(i), static_cast<uint8_t>(i),
                                          i % 2, 1000000 + i, "finder " + std::to_string(i)};
    }
    g.bFieldNotePending = 1;
    return w;
}

TEST(WaypointFile, EmptyDatabaseAndEmptyStrings)
{
    TempDir dir;
    WaypointDatabase db;
    ASSERT_EQ(SaveWaypointDatabase(db, dir.Path("empty.wpt")), 1);
    EXPECT_EQ(ReadFileBytes(dir.Path("empty.wpt")), std::string("KORVWP\x07\0\0\0\0", 11));
    EXPECT_EQ(LoadWaypointDatabase(db, dir.Path("empty.wpt")), 1);
    EXPECT_EQ(db.Count(), 0);

    // Every string empty: each is four zero bytes; 79 bytes of numbers.
    Waypoint w;
    w.strName.clear();
    w.strSoundFile.clear();
    w.strURL.clear();
    db.Add(w);
    ASSERT_EQ(SaveWaypointDatabase(db, dir.Path("one.wpt")), 1);
    std::string bytes = ReadFileBytes(dir.Path("one.wpt"));
    EXPECT_EQ(bytes.size(), 11u + 79u + 24u * 4u);
    EXPECT_EQ(bytes.substr(11 + 12, 4), std::string(4, '\0')); // the name
}

TEST(WaypointFile, RoundTripKeepsEveryFieldAndOrder)
{
    TempDir dir;
    WaypointDatabase db;
    Waypoint full = FullWaypoint();
    db.Add(full);
    Waypoint twin = full;
    twin.nLatitude = 0;
    db.AddUnchecked(twin); // the same name twice: both are kept
    db.Add(Waypoint());
    EXPECT_TRUE(db.IsModified());
    ASSERT_EQ(SaveWaypointDatabase(db, dir.Path("db.wpt")), 1);
    EXPECT_FALSE(db.IsModified());

    WaypointDatabase loaded;
    int firstSerialBefore = loaded.Add(Waypoint()); // ids keep counting across loads
    WaypointFileInfo info;
    ASSERT_EQ(LoadWaypointDatabase(loaded, dir.Path("db.wpt"), &info), 1);
    EXPECT_EQ(info.version, 7);
    EXPECT_FALSE(info.truncated);
    EXPECT_FALSE(loaded.IsModified());
    ASSERT_EQ(loaded.Count(), 3);
    std::vector<Waypoint> a, b;
    db.ForEach([&](const Waypoint& w) { a.push_back(w); });
    loaded.ForEach([&](const Waypoint& w) { b.push_back(w); });
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(a[i].SameContent(b[i])) << "record " << i;
        EXPECT_GT(b[i].nSerial, firstSerialBefore);
    }
}

TEST(WaypointFile, OlderVersions)
{
    TempDir dir;
    WaypointDatabase db;
    Waypoint w;

    // Version 2: S8 strings, altitude in hundredths, no logs.
    WriteNewFile(dir.Path("v2.wpt"), FileBuilder(2, 1).Record("v2", 12345).Bytes());
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("v2.wpt")), 1);
    ASSERT_EQ(db.Count(), 1);
    ASSERT_TRUE(
        db.FindBySerial(db.Cell(WaypointDatabase::CellIndex(47500000, -122250000))[0].nSerial, w));
    EXPECT_FLOAT_EQ(w.fAltitude, 123.45f);
    EXPECT_EQ(w.strName, "v2");
    EXPECT_EQ(w.nVisitLogType, 0);
    EXPECT_EQ(w.geocache.logs[0].strText, "");
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);
    EXPECT_EQ(w.geocache.nTerrain, 25);
    EXPECT_EQ(w.strURL, "http://x");

    // Version 3: float altitude, still no logs; saving writes version 7.
    WriteNewFile(dir.Path("v3.wpt"), FileBuilder(3, 1).Record("v3").Bytes());
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("v3.wpt")), 1);
    db.ForEach([&](const Waypoint& r) { w = r; });
    EXPECT_FLOAT_EQ(w.fAltitude, 100.5f);
    EXPECT_EQ(w.nVisitLogType, 0);
    ASSERT_EQ(SaveWaypointDatabase(db, dir.Path("v3.wpt")), 1);
    EXPECT_EQ(ReadFileBytes(dir.Path("v3.wpt"))[6], 7);

    // Version 4: logs and the visit log type.
    WriteNewFile(dir.Path("v4.wpt"), FileBuilder(4, 1).Record("v4").Bytes());
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("v4.wpt")), 1);
    db.ForEach([&](const Waypoint& r) { w = r; });
    EXPECT_EQ(w.nVisitLogType, 77);
    EXPECT_EQ(w.geocache.logs[4].strText, "log4");
    EXPECT_EQ(w.geocache.logs[4].timeDate, 1004);
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);

    // Versions 5 and 6 differ by the pending-field-note byte only.
    std::string v5 = FileBuilder(5, 1).Record("same").Bytes();
    std::string v6 = FileBuilder(6, 1).Record("same").Bytes();
    EXPECT_EQ(v6.size(), v5.size() + 1);
    WriteNewFile(dir.Path("v5.wpt"), v5);
    WriteNewFile(dir.Path("v6.wpt"), v6);
    Waypoint w5, w6;
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("v5.wpt")), 1);
    db.ForEach([&](const Waypoint& r) { w5 = r; });
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("v6.wpt")), 1);
    db.ForEach([&](const Waypoint& r) { w6 = r; });
    EXPECT_EQ(w5.geocache.bFieldNotePending, 0);
    EXPECT_EQ(w6.geocache.bFieldNotePending, 1);
    w5.geocache.bFieldNotePending = 1;
    EXPECT_TRUE(w5.SameContent(w6));
    EXPECT_EQ(w6.geocache.logs[2].strFinder, "finder");
    EXPECT_EQ(w6.geocache.strLongDescription, "<b>long</b>");

    // Version bytes 0 and 1 after the magic read as the current layout.
    WriteNewFile(dir.Path("v0.wpt"), FileBuilder(0, 1).Record("zero").Bytes());
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("v0.wpt")), 1);
    db.ForEach([&](const Waypoint& r) { w = r; });
    EXPECT_EQ(w.strName, "zero");
    EXPECT_EQ(w.geocache.bFieldNotePending, 1);

    // Version 8: refused, empty.
    WriteNewFile(dir.Path("v8.wpt"), FileBuilder(8, 1).Record("x").Bytes());
    EXPECT_EQ(LoadWaypointDatabase(db, dir.Path("v8.wpt")), 0);
    EXPECT_EQ(db.Count(), 0);

    // Count 0 and below: nothing read.
    WriteNewFile(dir.Path("neg.wpt"), FileBuilder(7, -5).Record("x").Bytes());
    EXPECT_EQ(LoadWaypointDatabase(db, dir.Path("neg.wpt")), 1);
    EXPECT_EQ(db.Count(), 0);
}

TEST(WaypointFile, EightBitStringsThroughTheCodePage)
{
    TempDir dir;
    WaypointDatabase db;
    // "你好" in the code page; "found it 山" whose code-page bytes (C9 BD)
    // happen to be valid UTF-8 too ("ɽ"): these versions are the code page.
    std::string file =
        FileBuilder(4, 2).Record("\xC4\xE3\xBA\xC3").Record("found it \xC9\xBD").Bytes();
    WriteNewFile(dir.Path("s8.wpt"), file);
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("s8.wpt")), 1);
    std::vector<std::string> names;
    db.ForEach([&](const Waypoint& w) { names.push_back(w.strName); });
    EXPECT_EQ(names, (std::vector<std::string>{"你好", "found it 山"}));
}

TEST(WaypointFile, VersionOneText)
{
    TempDir dir;
    WaypointDatabase db;
    std::string text = "47.5\x1F-122.25\x1F"
                       "100\x1FHome\n"
                       "\n"
                       "-0.0000019\x1F"
                       "1e1xyz\x1F\x1F\xC4\xE3\x1F"
                       "12\x1F"
                       "9\x1F"
                       "1\x1F"
                       "0.25\x1Fsound.wav\x1F"
                       "comment\r";
    WriteNewFile(dir.Path("v1.wpt"), text);
    WaypointFileInfo info;
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("v1.wpt"), &info), 1);
    EXPECT_EQ(info.version, 1);
    EXPECT_FALSE(db.IsModified());
    ASSERT_EQ(db.Count(), 2);
    std::vector<Waypoint> all;
    db.ForEach([&](const Waypoint& w) { all.push_back(w); });
    const Waypoint& home = all[1].strName == "Home" ? all[1] : all[0];
    const Waypoint& other = all[1].strName == "Home" ? all[0] : all[1];
    EXPECT_EQ(home.nLatitude, 47500000);
    EXPECT_EQ(home.nLongitude, -122250000);
    EXPECT_FLOAT_EQ(home.fAltitude, 100);
    EXPECT_EQ(home.strSoundFile, "");
    EXPECT_EQ(home.strURL, "");
    EXPECT_EQ(home.dActiveWPDistance, 0); // every missing number is 0
    EXPECT_EQ(other.nLatitude, -1);       // truncated toward zero
    EXPECT_EQ(other.nLongitude, 10000000);
    EXPECT_EQ(other.strName, "你");
    EXPECT_EQ(other.icon, 12);
    EXPECT_EQ(other.bActiveWaypoint, 1);
    EXPECT_DOUBLE_EQ(other.dActiveWPDistance, 0.25);
    EXPECT_EQ(other.strComment, "comment\r"); // a CR before the line end stays
    // Rewritten as the current version at once.
    EXPECT_TRUE(info.rewritten);
    EXPECT_EQ(ReadFileBytes(dir.Path("v1.wpt")).substr(0, 7), "KORVWP\x07");
    WaypointDatabase again;
    ASSERT_EQ(LoadWaypointDatabase(again, dir.Path("v1.wpt")), 1);
    EXPECT_EQ(again.Count(), 2);

    // A read-only text file loads; it is not replaced (root may write it).
    WriteNewFile(dir.Path("ro.wpt"), text);
    chmod(dir.Path("ro.wpt").c_str(), 0444);
    ASSERT_EQ(LoadWaypointDatabase(again, dir.Path("ro.wpt"), &info), 1);
    EXPECT_EQ(again.Count(), 2);
    EXPECT_FALSE(again.IsModified());
    HW_SKIP_REST_AS_ROOT();
    EXPECT_FALSE(info.rewritten);
    EXPECT_EQ(ReadFileBytes(dir.Path("ro.wpt")), text);
}

TEST(WaypointFile, AFileThatIsNoDatabaseIsLeftAlone)
{
    TempDir dir;
    WaypointDatabase db;
    db.Add(Waypoint());
    std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    WriteNewFile(dir.Path("photo.wpt"), png);
    EXPECT_EQ(LoadWaypointDatabase(db, dir.Path("photo.wpt")), 0);
    EXPECT_EQ(db.Count(), 0);
    EXPECT_EQ(ReadFileBytes(dir.Path("photo.wpt")), png);
    EXPECT_EQ(LoadWaypointDatabase(db, dir.Path("missing.wpt")), 0);
    EXPECT_EQ(LoadWaypointDatabase(db, dir.Root()), 0); // a folder
}

TEST(WaypointFile, DamagedFilesLoadWhatIsWhole)
{
    TempDir dir;
    WaypointDatabase db;
    std::string three = FileBuilder(7, 3).Record("a").Record("b").Record("c").Bytes();
    std::string two = FileBuilder(7, 2).Record("a").Record("b").Bytes();
    WriteNewFile(dir.Path("short.wpt"), three.substr(0, three.size() - 10));
    WaypointFileInfo info;
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("short.wpt"), &info), 1);
    EXPECT_EQ(db.Count(), 2);
    EXPECT_TRUE(info.truncated);

    // A count of two billion and a string claiming 4 G code units: nothing
    // is allocated for them and the load ends at once.
    std::string hostile = FileBuilder(7, 0x7FFFFFFF).Bytes() + two.substr(11);
    hostile += std::string("\0\0\0\0\0\0\0\0\0\0\0\0\xFF\xFF\xFF\xFF", 16);
    WriteNewFile(dir.Path("hostile.wpt"), hostile);
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("hostile.wpt"), &info), 1);
    EXPECT_EQ(db.Count(), 2);
    EXPECT_EQ(info.declaredCount, 0x7FFFFFFF);

    // Every cut, a flipped bit in every byte, and random files: no crash
    // (the sanitizer build checks memory), never more records than fit.
    std::mt19937 rng(42);
    for (size_t cut = 0; cut <= three.size(); ++cut) {
        WriteNewFile(dir.Path("cut.wpt"), three.substr(0, cut));
        LoadWaypointDatabase(db, dir.Path("cut.wpt"));
        EXPECT_LE(db.Count(), 3);
    }
    for (size_t i = 0; i < three.size(); ++i) {
        std::string flipped = three;
        flipped[i] = static_cast<char>(flipped[i] ^ (1 << (rng() % 8)));
        WriteNewFile(dir.Path("flip.wpt"), flipped);
        LoadWaypointDatabase(db, dir.Path("flip.wpt"));
        EXPECT_LE(db.Count(), 3);
    }
    for (int round = 0; round < 200; ++round) {
        std::string noise = round % 2 ? "KORVWP" : "";
        size_t n = rng() % 2000;
        for (size_t i = 0; i < n; ++i)
            noise += static_cast<char>(rng() % (round % 4 == 1 ? 32 : 256));
        WriteNewFile(dir.Path("noise.wpt"), noise);
        LoadWaypointDatabase(db, dir.Path("noise.wpt"));
        EXPECT_LE(db.Count(), static_cast<int>(noise.size() / 8 + 1));
    }
}

class FailingSink final : public ByteSink {
public:
    explicit FailingSink(size_t allowed) : allowed_(allowed) {}
    bool Write(const char*, size_t size) override
    {
        if (size > allowed_)
            return false;
        allowed_ -= size;
        written += size;
        return true;
    }
    size_t written = 0;

private:
    size_t allowed_;
};

TEST(WaypointFile, BufferedWriterSizesAndFailures)
{
    FailingSink sink(SIZE_MAX);
    BufferedWriter out(sink);
    out.Put(std::string(100000, 'a'));
    EXPECT_EQ(sink.written, 0u); // still in the 128 KiB buffer
    out.Put(std::string(40000, 'b'));
    EXPECT_EQ(sink.written, 100000u);
    out.Put(std::string(200000, 'c')); // grows in 32 KiB steps
    EXPECT_EQ(out.BufferSize(), 131072u + 3 * 32768u);
    EXPECT_TRUE(out.Flush());
    EXPECT_EQ(sink.written, 340000u);

    WaypointDatabase db;
    db.Add(FullWaypoint());
    FailingSink full(1000);
    EXPECT_FALSE(WriteWaypointDatabase(db, full));
}

TEST(WaypointFile, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    WaypointDatabase db;
    db.Add(FullWaypoint());
    std::string path = dir.Path("db.wpt");
    WriteNewFile(path, "the old file");
    chmod(path.c_str(), 0640);

    // Nowhere to create the file: a missing folder, a read-only file system.
    EXPECT_EQ(SaveWaypointDatabase(db, dir.Path("no/such/folder/db.wpt")), 0);
    EXPECT_EQ(SaveWaypointDatabase(db, "/proc/hikewise-test.wpt"), 0);
    EXPECT_TRUE(db.IsModified());

    // A disk that fills up mid-write: the file size limit stands in for it,
    // in a child process so that the limit does not outlive the test.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{50000, 50000};
        setrlimit(RLIMIT_FSIZE, &limit);
        int result = SaveWaypointDatabase(db, path);
        _exit(result == 0 && db.IsModified() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the full save reported success";
    EXPECT_EQ(ReadFileBytes(path), "the old file");
    // No temporary file left behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Root()))
        ++files;
    EXPECT_EQ(files, 1u);

    // A good save replaces it and keeps its permission bits.
    ASSERT_EQ(SaveWaypointDatabase(db, path), 1);
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadFileBytes(path).substr(0, 6), "KORVWP");
}

} // namespace
} // namespace hw
