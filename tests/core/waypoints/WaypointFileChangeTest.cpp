// The database file changed, shortened or taken away under the running
// program: no fault, no record written without its texts, and the file
// that another program made is left to it.
#include "TestFiles.h"

#include "base/PositionalFile.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace hw {
namespace {

using test::ReadFileBytes;
using test::TempDir;

Waypoint Cache(int i)
{
    Waypoint w;
    w.strName = "GC" + std::to_string(i);
    w.nType = kWaypointGeocache;
    w.nLatitude = 47000000 + i * 397;
    w.nLongitude = 8000000 + i * 553;
    w.geocache.strLongDescription = std::string(4000, 'd') + std::to_string(i);
    w.geocache.strEncodedHints = "hint " + std::to_string(i);
    w.geocache.logs[3] = {"log " + std::to_string(i), 1, 0, 1000, "finder " + std::to_string(i)};
    return w;
}

// Some 60 MB of caches, made once.
const std::string& LargeDatabase()
{
    static TempDir dir;
    static const std::string path = [] {
        WaypointDatabase db;
        for (int i = 0; i < 7500; ++i)
            db.Add(Cache(i));
        const std::string p = dir.Path("large.wpt");
        EXPECT_EQ(SaveWaypointDatabase(db, p), 1);
        return p;
    }();
    return path;
}

// Shortens the file in place once a read of it reaches an offset: another
// program writing over it (cp opens it with truncation), at a chosen moment.
class ShortenAt {
public:
    ShortenAt(const std::string& path, uint64_t readOffset, uint64_t newSize)
    {
        PositionalFile::SetReadHookForTesting([=, this](const std::string& read, uint64_t offset) {
            if (!done_ && read == path && offset >= readOffset) {
                done_ = true;
                EXPECT_EQ(truncate(path.c_str(), static_cast<off_t>(newSize)), 0);
            }
        });
    }
    ~ShortenAt() { PositionalFile::SetReadHookForTesting({}); }
    ShortenAt(const ShortenAt&) = delete;
    ShortenAt& operator=(const ShortenAt&) = delete;
    bool Done() const { return done_; }

private:
    bool done_ = false;
};

// The texts of every record are whole, or still to be read: never empty.
void ExpectTextsWholeOrKept(const WaypointDatabase& db, int* kept)
{
    *kept = 0;
    db.ForEach([&](const Waypoint& stored) {
        const Waypoint w = stored.WithTexts();
        if (w.HasDeferredTexts()) {
            ++*kept;
            return;
        }
        const std::string n = w.strName.substr(2);
        EXPECT_EQ(w.geocache.strLongDescription, std::string(4000, 'd') + n);
        EXPECT_EQ(w.geocache.logs[3].strFinder, "finder " + n);
    });
}

TEST(WaypointFileChange, AFileShortenedInPlaceAtEachMomentFaultsNothingAndLosesNoText)
{
    constexpr uint64_t kCut = 30u << 20;
    enum Moment { kLoad, kTextRead, kSave };
    for (Moment moment : {kLoad, kTextRead, kSave}) {
        SCOPED_TRACE(moment);
        TempDir dir;
        const std::string path = dir.Path("db.wpt");
        std::filesystem::copy_file(LargeDatabase(), path);
        const uint64_t size = std::filesystem::file_size(path);
        ASSERT_GT(size, 60000000u); // 60 MB
        WaypointDatabase db;
        WaypointFileInfo info;
        {
            std::optional<ShortenAt> cut;
            if (moment == kLoad)
                cut.emplace(path, 20u << 20, kCut);
            ASSERT_EQ(LoadWaypointDatabase(db, path, &info, true, WaypointTexts::Deferred), 1);
            EXPECT_EQ(info.shortened, moment == kLoad);
        }
        if (moment == kLoad) {
            // The records read whole stay; the rest of the file is gone.
            EXPECT_GT(db.Count(), 2000);
            EXPECT_LT(db.Count(), 7500);
        } else {
            ASSERT_EQ(db.Count(), 7500);
        }
        {
            std::optional<ShortenAt> cut;
            if (moment == kTextRead) {
                ASSERT_EQ(truncate(path.c_str(), kCut), 0);
            }
            if (moment == kSave)
                cut.emplace(path, 20u << 20, kCut); // the save reads the records it copies
            Waypoint added = Cache(9000);
            ASSERT_GT(db.Add(added), 0);
            WaypointSaveProblem problem{};
            EXPECT_EQ(SaveWaypointDatabase(db, path, &problem), 0);
            EXPECT_EQ(problem, WaypointSaveProblem::FileChanged);
            EXPECT_TRUE(db.IsModified());
        }
        // The file is its new owner's, as that program left it.
        EXPECT_EQ(std::filesystem::file_size(path), kCut);
        int kept = 0;
        ExpectTextsWholeOrKept(db, &kept);
        EXPECT_EQ(kept > 0, moment != kLoad) << "the records past the cut keep their texts";
        // Nothing written elsewhere without them; nothing left behind.
        EXPECT_EQ(SaveWaypointDatabase(db, dir.Path("elsewhere.wpt")), moment == kLoad ? 1 : 0);
        int files = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Root()))
            ++files;
        EXPECT_EQ(files, moment == kLoad ? 2 : 1);
    }
}

// The memory card taken out: the file goes (and with it its bytes) while
// the program runs. A tmpfs file deleted and cut to nothing stands for it.
TEST(WaypointFileChange, AVanishedMediumKeepsTheDatabaseInMemory)
{
    struct statfs fs {};
    if (statfs("/dev/shm", &fs) != 0 || fs.f_type != TMPFS_MAGIC)
        GTEST_SKIP() << "no tmpfs at /dev/shm";
    char pattern[] = "/dev/shm/hwtest.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    const std::string path = folder + "/db.wpt";
    {
        WaypointDatabase made;
        for (int i = 0; i < 50; ++i)
            made.Add(Cache(i));
        ASSERT_EQ(SaveWaypointDatabase(made, path), 1);
    }
    WaypointDatabase db;
    ASSERT_EQ(LoadWaypointDatabase(db, path, nullptr, true, WaypointTexts::Deferred), 1);
    const int fd = open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(unlink(path.c_str()), 0);
    ASSERT_EQ(ftruncate(fd, 0), 0);
    close(fd);
    ASSERT_GT(db.Add(Cache(100)), 0);
    int kept = 0;
    ExpectTextsWholeOrKept(db, &kept);
    EXPECT_EQ(kept, 50);
    WaypointSaveProblem problem{};
    EXPECT_EQ(SaveWaypointDatabase(db, path, &problem), 0);
    EXPECT_EQ(problem, WaypointSaveProblem::FileChanged);
    EXPECT_FALSE(std::filesystem::exists(path)) << "no file of records without their texts";
    EXPECT_EQ(db.Count(), 51);
    EXPECT_TRUE(db.IsModified());
    std::filesystem::remove_all(folder);
}

// Temporary files of saves that never ended go with the next save; a file
// that another save may still be writing, and the user's own files, stay.
TEST(WaypointFileChange, ASaveRemovesTheTemporaryFilesOfKilledSaves)
{
    TempDir dir;
    const std::string path = dir.Path("db.wpt");
    const struct {
        const char* name;
        int ageSeconds;
        bool stays;
    } files[] = {{"db.wpt.hwtmp-a1B2c3", 3600, false},
                 {"db.wpt.hwtmp-Zz9999", 0, true},
                 {"db.wpt.backup", 3600, true},
                 {"db.wpt.hwtmp-toolong1", 3600, true},
                 {"other.wpt.hwtmp-a1B2c3", 3600, true}};
    for (const auto& f : files) {
        test::WriteNewFile(dir.Path(f.name), "leftover");
        const timespec times[2] = {{time(nullptr) - f.ageSeconds, 0},
                                   {time(nullptr) - f.ageSeconds, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, dir.Path(f.name).c_str(), times, 0), 0);
    }
    WaypointDatabase db;
    db.Add(Cache(1));
    ASSERT_EQ(SaveWaypointDatabase(db, path), 1);
    for (const auto& f : files)
        EXPECT_EQ(std::filesystem::exists(dir.Path(f.name)), f.stays) << f.name;
}

} // namespace
} // namespace hw
