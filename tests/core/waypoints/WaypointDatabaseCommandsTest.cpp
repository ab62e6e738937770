#include "TestFiles.h"

#include "base/MemorySettingsStore.h"
#include "waypoints/WaypointDatabaseCommands.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <vector>

namespace hw {
namespace {

using test::ReadFileBytes;
using test::TempDir;

// Plays the user's part: answers and file choices given in advance.
class ScriptedDialogs final : public WaypointFileDialogs {
public:
    std::deque<bool> answers;
    std::deque<std::string> files;
    int questions = 0;
    int cannotOpen = 0;
    int fileChanged = 0;
    std::deque<bool> replaceAnswers;
    std::vector<std::string> replaceAsked;
    bool busy = false;

    bool AskSaveElsewhere() override
    {
        ++questions;
        bool a = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    std::string ChooseNewFile() override { return Next(); }
    std::string ChooseExistingFile(const std::string&) override { return Next(); }
    void ShowCannotOpen() override { ++cannotOpen; }
    void ShowFileChanged() override { ++fileChanged; }
    bool ConfirmReplace(const std::string& path) override
    {
        replaceAsked.push_back(path);
        bool a = !replaceAnswers.empty() && replaceAnswers.front();
        if (!replaceAnswers.empty())
            replaceAnswers.pop_front();
        return a;
    }
    void SetBusy(bool b) override { busy = b; }

private:
    std::string Next()
    {
        std::string f = files.empty() ? std::string() : files.front();
        if (!files.empty())
            files.pop_front();
        return f;
    }
};

struct Fixture {
    TempDir dir;
    WaypointDatabase db;
    MemorySettingsStore settings;
    ScriptedDialogs dialogs;
    WaypointDatabaseCommands commands{
        db, settings, dialogs, {dir.Root() + "/Documents", dir.Root()}};

    std::string Setting() const { return settings.GetText("设置", "数据库文件", ""); }
    void Add(const std::string& name)
    {
        Waypoint w;
        w.strName = name;
        db.Add(w);
    }
};

TEST(WaypointDatabaseCommands, SaveCurrentCreatesTheDefaultFolder)
{
    Fixture f;
    EXPECT_EQ(f.commands.CurrentPath(), f.dir.Root() + "/Documents/Hikewise/HWWaypoint.wpt");
    f.Add("a");
    EXPECT_EQ(f.commands.SaveCurrent(), 1);
    EXPECT_FALSE(f.db.IsModified());
    EXPECT_EQ(ReadFileBytes(f.commands.CurrentPath()).substr(0, 6), "KORVWP");
    EXPECT_EQ(f.dialogs.questions, 0);
}

TEST(WaypointDatabaseCommands, RecoveryAsksUntilSavedOrDeclined)
{
    Fixture f;
    f.settings.SetText("设置", "数据库文件", "/proc/nowhere/db.wpt");
    f.Add("a");
    // yes, cancel the chooser; yes, another unwritable place; yes, a good one
    f.dialogs.answers = {true, true, true};
    f.dialogs.files = {"", "/proc/also-not.wpt", f.dir.Path("rescued.wpt")};
    EXPECT_EQ(f.commands.SaveCurrent(), 1);
    EXPECT_EQ(f.dialogs.questions, 3);
    EXPECT_EQ(f.Setting(), f.dir.Path("rescued.wpt"));
    EXPECT_FALSE(f.db.IsModified());

    f.settings.SetText("设置", "数据库文件", "/proc/nowhere/db.wpt");
    f.Add("b");
    f.dialogs.answers = {false};
    EXPECT_EQ(f.commands.SaveCurrent(), 0);
    EXPECT_TRUE(f.db.IsModified());
    EXPECT_EQ(f.db.Count(), 2);
}

TEST(WaypointDatabaseCommands, OpenLoadsOrFallsBack)
{
    Fixture f;
    f.Add("current");
    f.settings.SetText("设置", "数据库文件", f.dir.Path("current.wpt"));
    ASSERT_EQ(f.commands.SaveCurrent(), 1);
    WaypointDatabase other;
    Waypoint w;
    w.strName = "other";
    other.Add(w);
    ASSERT_EQ(SaveWaypointDatabase(other, f.dir.Path("other.wpt")), 1);

    f.dialogs.files = {f.dir.Path("other.wpt")};
    EXPECT_TRUE(f.commands.Open());
    EXPECT_FALSE(f.dialogs.busy);
    EXPECT_EQ(f.Setting(), f.dir.Path("other.wpt"));
    EXPECT_TRUE(f.db.NameExists(std::string_view("other")));

    // A missing file: the message, and the current database again.
    f.dialogs.files = {f.dir.Path("missing.wpt")};
    EXPECT_TRUE(f.commands.Open());
    EXPECT_EQ(f.dialogs.cannotOpen, 1);
    EXPECT_EQ(f.Setting(), f.dir.Path("other.wpt"));
    EXPECT_TRUE(f.db.NameExists(std::string_view("other")));

    // A file that is not a database is not taken over (a later save would
    // overwrite it).
    test::WriteFileBytes(f.dir.Path("notes.wpt"), std::string("binary\0data", 11));
    f.dialogs.files = {f.dir.Path("notes.wpt")};
    EXPECT_TRUE(f.commands.Open());
    EXPECT_EQ(f.dialogs.cannotOpen, 2);
    EXPECT_EQ(f.Setting(), f.dir.Path("other.wpt"));
    EXPECT_EQ(f.db.Count(), 1);

    // Cancelled: nothing happens.
    EXPECT_FALSE(f.commands.Open());
}

TEST(WaypointDatabaseCommands, OpenSavesPendingChangesFirst)
{
    Fixture f;
    f.settings.SetText("设置", "数据库文件", f.dir.Path("current.wpt"));
    f.Add("unsaved");
    WaypointDatabase other;
    ASSERT_EQ(SaveWaypointDatabase(other, f.dir.Path("other.wpt")), 1);
    f.dialogs.files = {f.dir.Path("other.wpt")};
    EXPECT_TRUE(f.commands.Open());
    WaypointDatabase check;
    ASSERT_EQ(LoadWaypointDatabase(check, f.dir.Path("current.wpt")), 1);
    EXPECT_TRUE(check.NameExists(std::string_view("unsaved")));
}

TEST(WaypointDatabaseCommands, NewStartsEmptyOnTheChosenFile)
{
    Fixture f;
    f.settings.SetText("设置", "数据库文件", f.dir.Path("current.wpt"));
    f.Add("kept");
    test::WriteFileBytes(f.dir.Path("fresh.wpt"), "old contents");
    // Declined: the file and the database stay as they were.
    f.dialogs.files = {f.dir.Path("fresh.wpt")};
    EXPECT_FALSE(f.commands.New());
    EXPECT_EQ(f.dialogs.replaceAsked, std::vector<std::string>{f.dir.Path("fresh.wpt")});
    EXPECT_EQ(ReadFileBytes(f.dir.Path("fresh.wpt")), "old contents");
    EXPECT_EQ(f.db.Count(), 1);
    EXPECT_EQ(f.Setting(), f.dir.Path("current.wpt"));

    f.dialogs.files = {f.dir.Path("fresh.wpt")};
    f.dialogs.replaceAnswers = {true};
    EXPECT_TRUE(f.commands.New());
    EXPECT_EQ(f.db.Count(), 0);
    EXPECT_EQ(f.Setting(), f.dir.Path("fresh.wpt"));
    EXPECT_FALSE(std::filesystem::exists(f.dir.Path("fresh.wpt")));
    // The pending change went to the old file first.
    WaypointDatabase check;
    ASSERT_EQ(LoadWaypointDatabase(check, f.dir.Path("current.wpt")), 1);
    EXPECT_EQ(check.Count(), 1);
}

// A save on the writer's thread still on its way when the user opens or
// starts another database, and then failing: the change is not taken for
// saved, and the recovery question comes before the database goes.
TEST(WaypointDatabaseCommands, OpenAndNewAskAboutASaveThatFailsOnItsWay)
{
    for (const bool open : {true, false}) {
        SCOPED_TRACE(open ? "open" : "new");
        Fixture f;
        // The file's name is a folder's: the save fails only at its end.
        const std::string current = f.dir.Path("current.wpt");
        std::filesystem::create_directory(current);
        f.settings.SetText("设置", "数据库文件", current);
        WaypointDatabase empty;
        ASSERT_EQ(SaveWaypointDatabase(empty, f.dir.Path("other.wpt")), 1);
        f.Add("changed");
        BackgroundFileWriter writer;
        bool told = false;
        ASSERT_TRUE(f.commands.SaveCurrentInBackground(
            writer, [&](const WaypointDatabaseCommands::BackgroundSave& s) { told = !s.written; }));
        EXPECT_TRUE(f.db.IsModified());
        f.dialogs.answers = {true};
        f.dialogs.files = {f.dir.Path(open ? "other.wpt" : "new.wpt"), f.dir.Path("rescued.wpt")};
        EXPECT_TRUE(open ? f.commands.Open() : f.commands.New());
        writer.Wait();
        EXPECT_TRUE(told) << "the save failed";
        EXPECT_EQ(f.dialogs.questions, 1);
        WaypointDatabase rescued;
        ASSERT_EQ(LoadWaypointDatabase(rescued, f.dir.Path("rescued.wpt")), 1);
        EXPECT_TRUE(rescued.NameExists(std::string_view("changed")));
        EXPECT_EQ(f.Setting(), f.dir.Path(open ? "other.wpt" : "new.wpt"));
    }
}

} // namespace
} // namespace hw
