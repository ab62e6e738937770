#include "TestFiles.h"

#include "base/FileBinding.h"
#include "base/FileDialogFilter.h"
#include "base/MemorySettingsStore.h"
#include "track/TrackFileCommands.h"
#include "waypoints/WaypointImportJob.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace hw {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(FileDialogFilter, EachPairBecomesADescriptionWithItsPatternsInBothCases)
{
    EXPECT_EQ(FileDialogFilter("Waypoint Files (*.wpt)|*.wpt|All Files (*.*)|*.*||"),
              "Waypoint Files (*.wpt *.WPT);;All Files (*.*)");
    // A description that names other patterns than its own gets the real ones.
    EXPECT_EQ(FileDialogFilter("GPX, XML, LOC and CSV Files|*.gpx;*.csv|GPX Files (*.GPX)|*.gpx||"),
              "GPX, XML, LOC and CSV Files (*.gpx *.GPX *.csv *.CSV);;GPX Files (*.gpx *.GPX)");
    EXPECT_EQ(FileDialogFilter(""), "");
}

TEST(FileBinding, StoredBindingMapsTheHandheldPathAndRunBindingStoresNothing)
{
    MemorySettingsStore settings;
    StoredFileBinding stored(settings, "设置", "轨迹文件", "\\My Documents\\Hikewise\\track.trk",
                             {"/home/u/Documents", "/home/u/.local/share/Hikewise"});
    EXPECT_EQ(stored.Path(), "/home/u/Documents/Hikewise/track.trk");
    stored.Bind("/data/walk.trk");
    EXPECT_EQ(settings.GetText("设置", "轨迹文件", ""), "/data/walk.trk");
    EXPECT_EQ(stored.Path(), "/data/walk.trk");
    RunFileBinding run("/tmp/a.trk");
    run.Bind("/tmp/b.trk");
    EXPECT_EQ(run.Path(), "/tmp/b.trk");
}

TrackPoint At(int i)
{
    return {46500000 + i * 200, 7900000, 1000.0f + static_cast<float>(i), 0, 1700000000 + i};
}

TEST(TrackFileCommands, OpenSavesTheCurrentTrackAndLoadsTheChosenOne)
{
    TempDir dir;
    TrackLog other;
    for (int i = 0; i < 5; ++i)
        other.AddPoint(At(i));
    ASSERT_EQ(other.Save(dir.Path("other.trk")), 1);

    TrackLog log;
    log.AddPoint(At(100));
    RunFileBinding binding(dir.Path("sub/current.trk"));
    TrackFileCommands commands(log, binding);
    EXPECT_TRUE(commands.Open(dir.Path("other.trk")));
    EXPECT_EQ(log.Count(), 5);
    EXPECT_EQ(binding.Path(), dir.Path("other.trk"));
    TrackLog saved;
    ASSERT_EQ(saved.Load(dir.Path("sub/current.trk")), 1); // its folder was made
    EXPECT_EQ(saved.Count(), 1);

    // A file that cannot be read keeps the log and the binding.
    EXPECT_FALSE(commands.Open(dir.Path("absent.trk")));
    EXPECT_EQ(log.Count(), 5);
    EXPECT_EQ(binding.Path(), dir.Path("other.trk"));
}

TEST(TrackFileCommands, NewReplacesAnExistingFileOnlyWhenConfirmed)
{
    TempDir dir;
    WriteFileBytes(dir.Path("taken.trk"), "keep me");
    TrackLog log;
    log.AddPoint(At(0));
    RunFileBinding binding(dir.Path("current.trk"));
    TrackFileCommands commands(log, binding);
    std::vector<std::string> asked;
    EXPECT_FALSE(commands.New(dir.Path("taken.trk"), [&](const std::string& p) {
        asked.push_back(p);
        return false;
    }));
    EXPECT_EQ(asked, std::vector<std::string>{dir.Path("taken.trk")});
    EXPECT_EQ(ReadFileBytes(dir.Path("taken.trk")), "keep me");
    EXPECT_EQ(binding.Path(), dir.Path("current.trk"));

    EXPECT_TRUE(commands.New(dir.Path("taken.trk"), [](const std::string&) { return true; }));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("taken.trk")));
    EXPECT_EQ(binding.Path(), dir.Path("taken.trk"));
    EXPECT_EQ(log.Count(), 1); // the points go on into the new file
    EXPECT_EQ(commands.SaveCurrent(), 1);
    EXPECT_EQ(ReadFileBytes(dir.Path("taken.trk")).size(), 4u + 20u);
    // A name that is free is not asked about.
    EXPECT_TRUE(commands.New(dir.Path("fresh.trk"), nullptr));
}

std::string Gpx(const std::string& names)
{
    std::string out = "<?xml version=\"1.0\"?>\n<gpx version=\"1.0\">\n";
    for (char c : names)
        out += std::string("<wpt lat=\"46.5\" lon=\"7.9\"><name>") + c + "</name></wpt>\n";
    return out + "</gpx>\n";
}

TEST(WaypointImportJob, SumsTheFilesSavesOnceAndNamesEachFailure)
{
    TempDir dir;
    WriteFileBytes(dir.Path("a.gpx"), Gpx("ABC"));
    WriteFileBytes(dir.Path("b.GPX"), Gpx("CD"));
    WriteFileBytes(dir.Path("c.csv"), "7.9,46.5,E\n");
    WaypointDatabase db;
    WaypointImportJob job({dir.Path("a.gpx"), dir.Path("b.GPX"), dir.Path("missing.loc"),
                           dir.Path("notes.txt"), dir.Path("c.csv")},
                          true, CsvImportSettings{});
    ImportProgressCounter progress;
    const WaypointImportJob::Result r = job.Run(db, dir.Path("db.wpt"), &progress);
    EXPECT_EQ(r.added, 5); // A B C, D, E
    EXPECT_EQ(r.replaced, 1);
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors[0].path, dir.Path("missing.loc"));
    EXPECT_EQ(r.errors[0].message, "不能够打开文件 " + dir.Path("missing.loc"));
    EXPECT_EQ(r.errors[1].message, "错误 - 不支持的路点文件");
    EXPECT_TRUE(r.changed);
    EXPECT_TRUE(r.saved);
    EXPECT_FALSE(db.IsModified());
    EXPECT_EQ(progress.PerMille(), 1000);
    EXPECT_EQ(ReadFileBytes(dir.Path("db.wpt")).substr(0, 6), "KORVWP");

    // The CSV sheet cancelled: its files add nothing; nothing changed, no save.
    WaypointDatabase other;
    const WaypointImportJob::Result none =
        WaypointImportJob({dir.Path("c.csv")}, false, std::nullopt).Run(other, dir.Path("x.wpt"));
    EXPECT_EQ(none.added, 0);
    EXPECT_TRUE(none.errors.empty());
    EXPECT_FALSE(none.changed);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("x.wpt")));

    // A save that fails is reported, and the import stays in the database.
    WaypointDatabase third;
    const WaypointImportJob::Result unsaved =
        WaypointImportJob({dir.Path("a.gpx")}, false, {}).Run(third, dir.Path("a.gpx/inside.wpt"));
    EXPECT_TRUE(unsaved.changed);
    EXPECT_FALSE(unsaved.saved);
    EXPECT_TRUE(third.IsModified());
    EXPECT_EQ(third.Count(), 3);
}

TEST(WaypointImportJob, ProgressIsReadableFromAnotherThreadAndOnlyGrows)
{
    TempDir dir;
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += "7.9,46.5,P" + std::to_string(i) + "\n";
    WriteFileBytes(dir.Path("a.csv"), many);
    WriteFileBytes(dir.Path("b.gpx"), Gpx("XYZ"));
    WaypointDatabase db;
    ImportProgressCounter progress;
    WaypointImportJob::Result result;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        result =
            WaypointImportJob({dir.Path("a.csv"), dir.Path("b.gpx")}, false, CsvImportSettings{})
                .Run(db, {}, &progress);
        finished = true;
    });
    int last = 0;
    bool monotonic = true;
    while (!finished) {
        const int seen = progress.PerMille();
        monotonic = monotonic && seen >= last && seen <= 1000;
        last = seen;
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_TRUE(monotonic);
    EXPECT_EQ(progress.PerMille(), 1000);
    EXPECT_EQ(result.added, 3003);
    EXPECT_TRUE(result.changed);
    EXPECT_FALSE(result.saved); // no path: left to the caller
}

} // namespace
} // namespace hw
