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
