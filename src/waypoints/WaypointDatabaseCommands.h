#pragma once

#include "base/BackgroundFileWriter.h"
#include "base/FileBinding.h"
#include "base/HandheldPaths.h"
#include "base/SettingsStore.h"
#include "base/Translate.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointFileWriter.h"

#include <functional>
#include <memory>
#include <string>

namespace hw {

inline constexpr const char* kDatabaseFileSetting = "数据库文件";
inline constexpr const char* kDefaultDatabaseFile = "\\My Documents\\Hikewise\\HWWaypoint.wpt";
inline constexpr const char* kWaypointFileFilter =
    "Waypoint Files (*.wpt)|*.wpt|All Files (*.*)|*.*||";
inline constexpr const char* kWaypointFileExtension = "wpt";
inline constexpr const char* kSaveFailedQuestion = HW_TRANSLATE_NOOP(
    "WaypointDatabaseCommands",
    "不能够写入路点数据库文件. 你想要指定一个新的文件以保存这个数据库吗?如果选择否,"
    "当前的路点数据库将不会被保存.可能原因:1. 内存卡被移走. 2. 路点目录被删除.");
inline constexpr const char* kCannotOpenMessage =
    HW_TRANSLATE_NOOP("WaypointDatabaseCommands", "不能够打开路点数据库文件.请检查并确认目录正确.");

// What the database file commands need from the user interface.
class WaypointFileDialogs {
public:
    virtual ~WaypointFileDialogs() = default;
    // kSaveFailedQuestion, yes/no with a warning icon; true on yes.
    virtual bool AskSaveElsewhere() = 0;
    // A save-file chooser (kWaypointFileFilter, extension "wpt", file name
    // "Untitled", no question about an existing file); empty when cancelled.
    virtual std::string ChooseNewFile() = 0;
    // An open-file chooser starting at a path; empty when cancelled.
    virtual std::string ChooseExistingFile(const std::string& start) = 0;
    // kCannotOpenMessage.
    virtual void ShowCannotOpen() = 0;
    // kFileChangedMessage, before the question of a save that found the
    // file changed by another program.
    virtual void ShowFileChanged() = 0;
    // Before "new" replaces an existing file: true to go on.
    virtual bool ConfirmReplace(const std::string& path) = 0;
    // The wait cursor around long work.
    virtual void SetBusy(bool busy) = 0;
};

// The database file as the user works with it: the path in the settings,
// saving after every change with the recovery dialogue, and the open and
// new commands.
class WaypointDatabaseCommands {
public:
    WaypointDatabaseCommands(WaypointDatabase& db, SettingsStore& settings,
                             WaypointFileDialogs& dialogs, HandheldFolders folders);
    // Bound to the file of the binding instead of the setting.
    WaypointDatabaseCommands(WaypointDatabase& db, FileBinding& binding,
                             WaypointFileDialogs& dialogs);

    // The current database file, as a path of this machine.
    std::string CurrentPath() const;
    // Loads the current database file (at start-up), its long texts left in
    // the file until they are asked for; 1 on success.
    int LoadCurrent();
    // Saves to the current file; when that fails, offers to save elsewhere
    // until a save succeeds or the user declines (told first when the file
    // was changed by another program). 1 when saved.
    int SaveCurrent();
    // How a save on the writer's thread ended.
    struct BackgroundSave {
        bool written = false;
        uint64_t stamp = 0; // the database's state that was saved
        WaypointSaveProblem problem = WaypointSaveProblem::None;
    };
    using BackgroundDone = std::function<void(const BackgroundSave&)>;
    // Saves to the current file on the writer's thread: the caller goes on
    // at once with the database as it is, and the file follows. A change
    // made meanwhile is saved by a later call, after this one. done is told
    // on the writer's thread how the save ended; a save that a later one
    // took over before it began is not told. The database stays modified
    // until the caller, told of the success, passes its stamp to
    // WaypointDatabase::MarkSaved; a failure leaves the previous file, and
    // the caller runs SaveCurrent for the recovery question. False, with
    // nothing asked of the writer, when the file's folder cannot be made or
    // written: the caller then runs SaveCurrent at once.
    bool SaveCurrentInBackground(BackgroundFileWriter& writer, BackgroundDone done);
    // "打开...": true when the database was reloaded (the map redraws).
    bool Open();
    // "新建...": true when the database was replaced by an empty one. An
    // existing file is replaced only once the user has confirmed it.
    bool New();

private:
    bool Save(const std::string& path);

    WaypointDatabase& db_;
    std::unique_ptr<FileBinding> stored_;
    FileBinding& binding_;
    WaypointFileDialogs& dialogs_;
};

} // namespace hw
