#pragma once

#include "base/Translate.h"
#include "waypoints/WaypointImport.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace hw {

// A chosen file that cannot be read: said, rather than a summary of nothing.
inline constexpr const char* kCannotOpenImportFile =
    HW_TRANSLATE_NOOP("WaypointImportJob", "不能够打开文件 %s");

// How far an import has come, readable from another thread while it runs.
class ImportProgressCounter final : public ImportProgress {
public:
    // Called by the importing thread only.
    void SetRange(int maximum) override;
    void Step() override;
    void BeginFile(int index, int count);

    // The files done and the current file's share, as a per mille of the
    // whole; readable from any thread, and never goes back.
    int PerMille() const { return perMille_.load(std::memory_order_relaxed); }

private:
    void Publish();

    int file_ = 0;
    int files_ = 1;
    int maximum_ = 1;
    int value_ = 0;
    std::atomic<int> perMille_{0};
};

// One run of the import command over several files: each file through the
// importer its extension names, into one database, which is then saved to
// its file when anything changed. Runs without any window, so that it can
// work off the UI thread on a database of its own.
class WaypointImportJob {
public:
    struct FileError {
        std::string path;
        std::string message;
    };
    struct Result {
        int added = 0;
        int replaced = 0;
        std::vector<FileError> errors; // in file order
        bool changed = false;          // the database was modified
        bool saved = false;            // and written to its file
    };

    // csv: the CSV sheet's values; none when the user cancelled the sheet,
    // and CSV files then add nothing.
    WaypointImportJob(std::vector<std::string> files, bool replaceMode,
                      std::optional<CsvImportSettings> csv)
        : files_(std::move(files)), replaceMode_(replaceMode), csv_(std::move(csv))
    {
    }

    // Imports into db and, when it changed, saves it to savePath (none:
    // left to the caller).
    Result Run(WaypointDatabase& db, const std::string& savePath,
               ImportProgressCounter* progress = nullptr) const;

    const std::vector<std::string>& Files() const { return files_; }
    // Whether any of the files is read as CSV (the sheet is shown first).
    static bool IsCsv(const std::string& path);

private:
    std::vector<std::string> files_;
    bool replaceMode_;
    std::optional<CsvImportSettings> csv_;
};

} // namespace hw
