#include "waypoints/WaypointImportJob.h"

#include "base/FormatString.h"
#include "base/Translate.h"
#include "waypoints/WaypointFileWriter.h"

#include <algorithm>

namespace hw {

void ImportProgressCounter::SetRange(int maximum)
{
    maximum_ = std::max(1, maximum);
    value_ = 0;
}

void ImportProgressCounter::Step()
{
    ++value_;
    Publish();
}

void ImportProgressCounter::BeginFile(int index, int count)
{
    files_ = std::max(1, count);
    file_ = std::min(index, files_);
    SetRange(1);
    Publish();
}

void ImportProgressCounter::Publish()
{
    const long long share = static_cast<long long>(std::min(value_, maximum_)) * 1000 / maximum_;
    const int now = static_cast<int>((file_ * 1000LL + share) / files_);
    if (now > perMille_.load(std::memory_order_relaxed))
        perMille_.store(now, std::memory_order_relaxed);
}

bool WaypointImportJob::IsCsv(const std::string& path)
{
    return UpperExtension(path) == "CSV";
}

WaypointImportJob::Result WaypointImportJob::Run(WaypointDatabase& db, const std::string& savePath,
                                                 ImportProgressCounter* progress) const
{
    Result result;
    const int count = static_cast<int>(files_.size());
    for (int i = 0; i < count; ++i) {
        const std::string& path = files_[static_cast<size_t>(i)];
        if (progress)
            progress->BeginFile(i, count);
        if (IsCsv(path) && !csv_)
            continue; // the sheet was cancelled: 0 added
        const ImportResult r = ImportWaypointFile(db, path, replaceMode_,
                                                  csv_.value_or(CsvImportSettings{}), progress);
        result.added += r.added;
        result.replaced += r.replaced;
        if (!r.error.empty())
            result.errors.push_back({path, r.error});
        else if (!r.opened)
            result.errors.push_back(
                {path, FormatTranslated("WaypointImportJob", kCannotOpenImportFile, path.c_str())});
    }
    if (progress)
        progress->BeginFile(count, count);
    result.changed = db.IsModified();
    if (result.changed && !savePath.empty())
        result.saved = SaveWaypointDatabase(db, savePath) == 1;
    return result;
}

} // namespace hw
