#include "waypoints/WaypointDatabaseCommands.h"

#include "base/Folders.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <filesystem>
#include <unistd.h>

namespace hw {
namespace {

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The folder of a file takes new files (a quick look, no writing).
bool FolderWritable(const std::string& path)
{
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    return access(folder.c_str(), W_OK) == 0;
}

class BusyScope {
public:
    explicit BusyScope(WaypointFileDialogs& d) : d_(d) { d_.SetBusy(true); }
    ~BusyScope() { d_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    WaypointFileDialogs& d_;
};

} // namespace

WaypointDatabaseCommands::WaypointDatabaseCommands(WaypointDatabase& db, SettingsStore& settings,
                                                   WaypointFileDialogs& dialogs,
                                                   HandheldFolders folders)
    : db_(db),
      stored_(std::make_unique<StoredFileBinding>(settings, section::kSettings,
                                                  kDatabaseFileSetting, kDefaultDatabaseFile,
                                                  std::move(folders))),
      binding_(*stored_), dialogs_(dialogs)
{
}

WaypointDatabaseCommands::WaypointDatabaseCommands(WaypointDatabase& db, FileBinding& binding,
                                                   WaypointFileDialogs& dialogs)
    : db_(db), binding_(binding), dialogs_(dialogs)
{
}

std::string WaypointDatabaseCommands::CurrentPath() const
{
    return binding_.Path();
}

int WaypointDatabaseCommands::LoadCurrent()
{
    return LoadWaypointDatabase(db_, CurrentPath(), nullptr, true, WaypointTexts::Deferred);
}

bool WaypointDatabaseCommands::SaveCurrentInBackground(BackgroundFileWriter& writer,
                                                       BackgroundDone done)
{
    const std::string path = CurrentPath();
    if (!EnsureParentFolder(path) || !FolderWritable(path))
        return false;
    auto save = std::make_shared<BackgroundSave>();
    WaypointDatabase::Snapshot records = db_.TakeSnapshot();
    save->stamp = records.Stamp();
    std::shared_ptr<FileGuard> file = records.File();
    writer.Write(
        path,
        [records = std::move(records), path, save](ByteSink& sink) {
            if (!records.File()->MayReplace(path)) {
                save->problem = WaypointSaveProblem::FileChanged;
                return false;
            }
            const bool written =
                WriteWaypointSnapshot(records, sink, RecordCopy::Unchanged, &save->problem);
            if (!written && save->problem == WaypointSaveProblem::None)
                save->problem = WaypointSaveProblem::CannotWrite;
            return written;
        },
        [file, path, save, done = std::move(done)](bool written) {
            save->written = written;
            if (written)
                file->Saved(path);
            else if (save->problem == WaypointSaveProblem::None)
                save->problem = WaypointSaveProblem::CannotWrite;
            if (done)
                done(*save);
        });
    return true;
}

bool WaypointDatabaseCommands::Save(const std::string& path)
{
    WaypointSaveProblem problem = WaypointSaveProblem::None;
    if (SaveWaypointDatabase(db_, path, &problem) == 1)
        return true;
    if (problem == WaypointSaveProblem::FileChanged)
        dialogs_.ShowFileChanged();
    return false;
}

int WaypointDatabaseCommands::SaveCurrent()
{
    std::string path = CurrentPath();
    EnsureParentFolder(path);
    if (Save(path))
        return 1;
    while (dialogs_.AskSaveElsewhere()) {
        std::string chosen = dialogs_.ChooseNewFile();
        if (chosen.empty())
            continue;
        // The user's choice: the file there, changed or not, is replaced.
        binding_.Bind(chosen);
        db_.BindFile(chosen, FileIdentity::Of(chosen));
        if (Save(chosen))
            return 1;
    }
    return 0; // kept in memory, still marked modified
}

bool WaypointDatabaseCommands::Open()
{
    std::string chosen = dialogs_.ChooseExistingFile(CurrentPath());
    if (chosen.empty())
        return false;
    BusyScope busy(dialogs_);
    if (db_.IsModified())
        SaveCurrent();
    if (FileExists(chosen)) {
        WaypointFileInfo info;
        if (LoadWaypointDatabase(db_, chosen, &info, true, WaypointTexts::Deferred) == 1) {
            binding_.Bind(chosen);
            if (info.shortened)
                dialogs_.ShowFileChanged(); // what was read whole is kept
            return true;
        }
        // A file that is no database (or from a newer program) is not bound:
        // the next save would overwrite it.
    } else {
        LoadWaypointDatabase(db_, chosen, nullptr, true, WaypointTexts::Deferred);
    }
    dialogs_.ShowCannotOpen();
    LoadCurrent();
    return true;
}

bool WaypointDatabaseCommands::New()
{
    std::string chosen = dialogs_.ChooseNewFile();
    if (chosen.empty())
        return false;
    // Deleting a file the user did not mean to lose is not undone.
    if (FileExists(chosen) && !dialogs_.ConfirmReplace(chosen))
        return false;
    BusyScope busy(dialogs_);
    if (db_.IsModified())
        SaveCurrent();
    BackgroundFileWriter::WaitForPath(chosen); // no save of ours lands after the delete
    if (FileExists(chosen)) {
        std::error_code ec;
        std::filesystem::remove(chosen, ec);
    }
    binding_.Bind(chosen);
    LoadWaypointDatabase(db_, chosen, nullptr, true,
                         WaypointTexts::Deferred); // absent: empty, bound to the new file
    return true;
}

} // namespace hw
