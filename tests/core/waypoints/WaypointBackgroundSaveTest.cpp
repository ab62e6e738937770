#include "StringSink.h"
#include "TestFiles.h"
#include "WaypointFileBuilder.h"

#include "base/BackgroundFileWriter.h"
#include "waypoints/WaypointDatabaseCommands.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <mutex>
#include <sys/wait.h>
#include <unistd.h>

namespace hw {
namespace {

using test::FileBuilder;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteNewFile;

using test::StringSink;

std::string Bytes(const WaypointDatabase& db, RecordCopy copy = RecordCopy::Unchanged)
{
    StringSink sink;
    WriteWaypointSnapshot(db.TakeSnapshot(), sink, copy);
    return sink.bytes;
}

std::string Peer(const std::string& name)
{
    return test::PeerDataDir() + "/gpx/" + name;
}

// A geocache with long texts, as a pocket query brings them.
Waypoint Cache(int i)
{
    Waypoint w;
    w.strName = "GC" + std::to_string(i);
    w.nType = kWaypointGeocache;
    w.nLatitude = 47000000 + i * 3917;
    w.nLongitude = 8000000 + i * 5531;
    w.geocache.strCacheName = "Cache " + std::to_string(i);
    w.geocache.strLongDescription = std::string(4000, 'd') + " 长 " + std::to_string(i);
    w.geocache.strShortDescription = "short " + std::to_string(i);
    w.geocache.strEncodedHints = "under the stone " + std::to_string(i);
    for (int l = 0; l < kGeocacheLogCount; ++l)
        w.geocache.logs[static_cast<size_t>(l)] = {"log text " + std::to_string(l), 1, 0, 1000 + l,
                                                   "finder " + std::to_string(i)};
    return w;
}

std::string WriteCaches(const TempDir& dir, const std::string& name, int count)
{
    WaypointDatabase db;
    for (int i = 0; i < count; ++i)
        db.Add(Cache(i));
    const std::string path = dir.Path(name);
    EXPECT_EQ(SaveWaypointDatabase(db, path), 1);
    return path;
}

// The same edits by position in database order, whichever way the database
// was loaded: a delete, a field change that leaves the texts in the file,
// a text edit through the full record, an add and an import.
void Edit(WaypointDatabase& db, const std::string& importFile)
{
    std::vector<int> serials;
    db.ForEach([&](const Waypoint& w) { serials.push_back(w.nSerial); });
    if (serials.size() > 1)
        db.DeleteBySerial(serials[1]);
    if (serials.size() > 2) {
        Waypoint w = *db.StoredBySerial(serials[2]);
        w.icon = 7;
        w.nLatitude += 200000; // into another cell
        db.ReplaceBySerial(serials[2], w);
    }
    if (serials.size() > 3) {
        Waypoint w;
        db.FindBySerial(serials[3], w);
        w.geocache.strEncodedHints += " edited";
        w.geocache.logs[4].strText = "newest log";
        db.ReplaceBySerial(serials[3], w);
    }
    Waypoint added;
    added.strName = "added";
    added.nLatitude = 1000;
    db.Add(added);
    if (!importFile.empty())
        ImportWaypointFile(db, importFile, true, {});
}

// Every layout, written by this program and built byte by byte, also with
// what does not come back the same (a lone surrogate, a symbol out of the
// table): a database loaded with its texts left in the file saves the same
// bytes as one loaded whole and encoded anew, edited or not.
TEST(WaypointBackgroundSave, SavesTheBytesOfAWholeEncodedSave)
{
    HW_REQUIRE_PEER_DATA("gpx");
    TempDir dir;
    std::vector<std::string> files;
    for (int version : {0, 2, 3, 4, 5, 6, 7}) {
        FileBuilder b(version, 5);
        b.Record("first").Record("second").Record("third").Record("fourth").Record("fifth");
        files.push_back(dir.Path("v" + std::to_string(version) + ".wpt"));
        WriteNewFile(files.back(), b.Bytes());
    }
    FileBuilder odd(7, 5);
    odd.Record("plain").RecordNamedBy([&] { odd.Units(u"lone \xD800 surrogate"); });
    odd.Record("symbol", 0, 300).Record("fourth").Record("fifth");
    files.push_back(dir.Path("odd.wpt"));
    WriteNewFile(files.back(), odd.Bytes());
    WriteNewFile(dir.Path("v1.wpt"), "47.5\x1F-122.25\x1F"
                                     "100\x1FHome\n1\x1F"
                                     "2\x1F"
                                     "3\x1FSecond\n");
    files.push_back(dir.Path("v1.wpt"));
    files.push_back(WriteCaches(dir, "caches.wpt", 200));
    {
        WaypointDatabase pq;
        ImportWaypointFile(pq, Peer("geocaching.gpx"), false, {});
        ImportWaypointFile(pq, Peer("GC7FA4.gpx"), false, {});
        ImportWaypointFile(pq, Peer("geocaching.loc"), false, {});
        ASSERT_GT(pq.Count(), 4);
        files.push_back(dir.Path("peer.wpt"));
        ASSERT_EQ(SaveWaypointDatabase(pq, files.back()), 1);
    }

    for (const std::string& file : files) {
        for (const std::string& import : {std::string(), Peer("geocaching.gpx")}) {
            SCOPED_TRACE(file + " " + import);
            WaypointDatabase lazy;
            WaypointDatabase whole;
            ASSERT_EQ(LoadWaypointDatabase(lazy, file, nullptr, false, WaypointTexts::Deferred), 1);
            ASSERT_EQ(LoadWaypointDatabase(whole, file, nullptr, false), 1);
            EXPECT_EQ(Bytes(lazy), Bytes(whole, RecordCopy::None));
            Edit(lazy, import);
            Edit(whole, import);
            EXPECT_EQ(Bytes(lazy), Bytes(whole, RecordCopy::None));
        }
    }
    // Unchanged records of the current layout are copied: the program's own
    // file comes back as it was.
    WaypointDatabase lazy;
    ASSERT_EQ(LoadWaypointDatabase(lazy, files.back(), nullptr, false, WaypointTexts::Deferred), 1);
    EXPECT_EQ(Bytes(lazy), ReadFileBytes(files.back()));
}

// A gate the writer's thread waits at until the test opens it.
class Gate {
public:
    void Open()
    {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    void Pass()
    {
        std::unique_lock lock(mutex_);
        reached_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    void WaitUntilReached()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return reached_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    bool reached_ = false;
};

TEST(WaypointBackgroundSave, AChangeDuringARunningSaveIsSavedAfterIt)
{
    TempDir dir;
    const std::string path = WriteCaches(dir, "db.wpt", 300);
    WaypointDatabase db;
    ASSERT_EQ(LoadWaypointDatabase(db, path, nullptr, true, WaypointTexts::Deferred), 1);
    db.Add(Cache(1000));
    const std::string before = Bytes(db, RecordCopy::None);

    BackgroundFileWriter writer;
    Gate gate;
    std::string firstSaved;
    bool firstWritten = false;
    writer.Write(
        path,
        [records = db.TakeSnapshot(), &gate](ByteSink& sink) {
            gate.Pass();
            return WriteWaypointSnapshot(records, sink);
        },
        [&](bool written) {
            firstWritten = written;
            firstSaved = ReadFileBytes(path);
        });
    gate.WaitUntilReached();
    // The save runs; the database changes under it, in the cells it writes.
    std::vector<int> serials;
    db.ForEach([&](const Waypoint& w) { serials.push_back(w.nSerial); });
    for (size_t i = 0; i < serials.size(); i += 3)
        db.DeleteBySerial(serials[i]);
    Waypoint moved;
    ASSERT_TRUE(db.FindBySerial(serials[1], moved));
    moved.nLongitude += 1000000;
    moved.geocache.strLongDescription = "rewritten";
    db.ReplaceBySerial(serials[1], moved);
    db.Add(Cache(2000));
    const std::string after = Bytes(db, RecordCopy::None);
    writer.Write(path, [records = db.TakeSnapshot()](ByteSink& sink) {
        return WriteWaypointSnapshot(records, sink);
    });
    gate.Open();
    writer.Wait();

    EXPECT_TRUE(firstWritten);
    EXPECT_TRUE(firstSaved == before) << "the first save wrote what it was asked";
    EXPECT_TRUE(ReadFileBytes(path) == after) << "the change made during it is not lost";
    EXPECT_EQ(writer.Failed(), 0u);
}

class NoDialogs final : public WaypointFileDialogs {
public:
    bool AskSaveElsewhere() override { return false; }
    std::string ChooseNewFile() override { return {}; }
    std::string ChooseExistingFile(const std::string&) override { return {}; }
    void ShowCannotOpen() override {}
    void ShowFileChanged() override {}
    bool ConfirmReplace(const std::string&) override { return false; }
    void SetBusy(bool) override {}
};

TEST(WaypointBackgroundSave, SavesInTurnAndALoadReadsTheNewest)
{
    TempDir dir;
    RunFileBinding binding(WriteCaches(dir, "db.wpt", 100));
    NoDialogs dialogs;
    WaypointDatabase db;
    WaypointDatabaseCommands commands(db, binding, dialogs);
    ASSERT_EQ(commands.LoadCurrent(), 1);
    BackgroundFileWriter writer;
    int told = 0;
    uint64_t savedStamp = 0;
    std::mutex toldMutex;
    for (int i = 0; i < 20; ++i) {
        db.Add(Cache(500 + i));
        ASSERT_TRUE(db.IsModified());
        ASSERT_TRUE(commands.SaveCurrentInBackground(
            writer, [&](const WaypointDatabaseCommands::BackgroundSave& save) {
                std::lock_guard lock(toldMutex);
                told += save.written ? 1 : 1000;
                savedStamp = save.written ? save.stamp : savedStamp;
            }));
        EXPECT_TRUE(db.IsModified()) << "modified until the save is on disk";
    }
    WaypointDatabase loaded; // waits for the saves of this process to the file
    ASSERT_EQ(LoadWaypointDatabase(loaded, binding.Path()), 1);
    EXPECT_EQ(loaded.Count(), 120);
    EXPECT_TRUE(Bytes(loaded) == Bytes(db, RecordCopy::None));
    writer.Wait();
    std::lock_guard lock(toldMutex);
    EXPECT_GE(told, 1);
    EXPECT_LT(told, 1000) << "a save failed";
    db.MarkSaved(savedStamp); // the last save told is of the last state
    EXPECT_FALSE(db.IsModified());

    // A folder that cannot be made: nothing is asked of the writer.
    RunFileBinding blocked(dir.Path("db.wpt/below/db.wpt"));
    WaypointDatabaseCommands elsewhere(db, blocked, dialogs);
    db.Add(Cache(900));
    EXPECT_FALSE(elsewhere.SaveCurrentInBackground(writer, {}));
    EXPECT_TRUE(db.IsModified());
}

// kill -9 while the writer's thread saves: the file is the old one or the
// new one, never a mix.
TEST(WaypointBackgroundSave, KillDuringASaveLeavesTheOldOrTheNewFile)
{
    TempDir dir;
    const std::string path = WriteCaches(dir, "db.wpt", 2000);
    const std::string original = ReadFileBytes(path);
    WaypointDatabase db;
    ASSERT_EQ(LoadWaypointDatabase(db, path, nullptr, true, WaypointTexts::Deferred), 1);
    // The child saves two contents in turn; both are known here.
    WaypointDatabase other = db;
    other.Add(Cache(5000));
    const std::string changed = Bytes(other, RecordCopy::None);

    for (int round = 0; round < 4; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            BackgroundFileWriter writer;
            for (int i = 0;; ++i) {
                const WaypointDatabase& next = i % 2 == 0 ? other : db;
                writer.Write(path, [records = next.TakeSnapshot()](ByteSink& sink) {
                    return WriteWaypointSnapshot(records, sink);
                });
                writer.Wait();
            }
        }
        // Killed once a save is under way: its temporary file is there.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        bool saving = false;
        while (!saving && std::chrono::steady_clock::now() < deadline) {
            for (const auto& e : std::filesystem::directory_iterator(dir.Root()))
                saving = saving || e.path().filename().string().rfind("db.wpt.", 0) == 0;
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(saving) << "the child never saved";
        const std::string now = ReadFileBytes(path);
        EXPECT_TRUE(now == original || now == changed) << "a broken file after kill -9";
        WaypointDatabase loaded;
        WaypointFileInfo info;
        ASSERT_EQ(LoadWaypointDatabase(loaded, path, &info, false), 1);
        EXPECT_FALSE(info.truncated);
        for (const auto& e : std::filesystem::directory_iterator(dir.Root()))
            if (e.path().filename() != "db.wpt")
                std::filesystem::remove(e.path()); // the killed save's leftover
    }
}

} // namespace
} // namespace hw
