#include "track/TrackAutosave.h"
#include "base/BackgroundFileWriter.h"
#include "core/TestFiles.h"
#include "track/TrackLog.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace hw {
namespace {

TrackPoint Walked(int i)
{
    // 100 m steps north: every point passes the filter.
    return TrackPoint{47000000 + i * 1000, 8000000, 400.0F + static_cast<float>(i), 0,
                      1700000000 + i};
}

TEST(TrackAutosaveTest, SavesOnlyWhenPointsWereLoggedSinceTheLastSave)
{
    test::TempDir dir;
    const std::string path = dir.Path("track.trk");
    TrackLog log;
    BackgroundFileWriter writer;
    TrackAutosave autosave(log, writer);

    EXPECT_FALSE(autosave.Tick(path)); // nothing walked yet
    for (int i = 0; i < 50; ++i)
        log.AddPoint(Walked(i));
    EXPECT_TRUE(autosave.Tick(path));
    EXPECT_FALSE(autosave.Tick(path)); // standing still: nothing new
    writer.Wait();
    TrackLog reloaded;
    ASSERT_EQ(reloaded.Load(path), 1);
    EXPECT_EQ(reloaded.Count(), 50);
    EXPECT_EQ(test::ReadFileBytes(path), log.FileBytes());

    // A full ring still changes with every point logged.
    TrackLog full;
    TrackAutosave fullSave(full, writer);
    for (int i = 0; i < TrackLog::kCapacity; ++i)
        full.AddPoint(Walked(i));
    EXPECT_TRUE(fullSave.Tick(dir.Path("full.trk")));
    full.AddPoint(Walked(TrackLog::kCapacity + 5));
    EXPECT_EQ(full.Count(), TrackLog::kCapacity);
    EXPECT_TRUE(fullSave.Tick(dir.Path("full.trk")));

    // A clear is a change too: the file follows it.
    log.Clear();
    EXPECT_TRUE(autosave.Tick(path));
    writer.Wait();
    EXPECT_EQ(test::ReadFileBytes(path).size(), 4u);
}

TEST(TrackAutosaveTest, MakesItsFolderAndTriesAFailedSaveAgainTellingItOnce)
{
    test::TempDir dir;
    const std::string path = dir.Path("Documents/Hikewise/track.trk"); // a fresh account
    TrackLog log;
    BackgroundFileWriter writer;
    TrackAutosave autosave(log, writer);
    log.AddPoint(Walked(1));
    ASSERT_TRUE(autosave.Tick(path));
    writer.Wait();
    EXPECT_EQ(test::ReadFileBytes(path), log.FileBytes());

    // A folder where the file belongs: every save fails, even for root.
    const std::string blocked = dir.Path("blocked.trk");
    ASSERT_EQ(::mkdir(blocked.c_str(), 0700), 0);
    log.AddPoint(Walked(2));
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_TRUE(autosave.Tick(blocked)) << tick; // still unsaved: again
        writer.Wait();
        EXPECT_EQ(autosave.TakeNewFailure(), tick == 0) << tick;
    }
    ASSERT_EQ(::rmdir(blocked.c_str()), 0);
    EXPECT_TRUE(autosave.Tick(blocked));
    writer.Wait();
    EXPECT_FALSE(autosave.TakeNewFailure());
    EXPECT_EQ(test::ReadFileBytes(blocked), log.FileBytes());
    EXPECT_FALSE(autosave.Tick(blocked)); // saved: nothing more
}

TEST(TrackAutosaveTest, OffOrMarkedSavedWritesNothing)
{
    test::TempDir dir;
    const std::string path = dir.Path("track.trk");
    TrackLog log;
    BackgroundFileWriter writer;
    TrackAutosave autosave(log, writer);
    autosave.SetEnabled(false);
    log.AddPoint(Walked(1));
    EXPECT_FALSE(autosave.Tick(path));
    autosave.SetEnabled(true);
    autosave.MarkSaved(); // saved at exit by other means
    EXPECT_FALSE(autosave.Tick(path));
    EXPECT_FALSE(autosave.Tick("")); // no file bound
    writer.Wait();
    struct stat info {};
    EXPECT_NE(::stat(path.c_str(), &info), 0);
}

} // namespace
} // namespace hw
