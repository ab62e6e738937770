#include "map/gui/WaypointImportCommand.h"

#include "base/CommandIds.h"
#include "base/JsonWriter.h"
#include "map/gui/MapWnd.h"
#include "waypoints/WaypointImportJob.h"
#include "widgets/AppPaths.h"
#include "widgets/UserDialogs.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace hw {
namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

WaypointImportCommand::WaypointImportCommand(MapWnd& map) : QObject(&map), map_(map) {}

WaypointImportCommand::~WaypointImportCommand() = default;

bool WaypointImportCommand::Running() const
{
    return map_.Host().ImportRunning();
}

bool WaypointImportCommand::IsImportable(const QString& path)
{
    const std::string extension = UpperExtension(QFile::encodeName(path).toStdString());
    return extension == "GPX" || extension == "XML" || extension == "LOC" || extension == "CSV";
}

bool WaypointImportCommand::Import(const QStringList& files, bool askCsv, bool quiet)
{
    if (Running() || files.isEmpty())
        return false;
    std::vector<std::string> paths;
    bool anyCsv = false;
    for (const QString& f : files) {
        paths.push_back(QFile::encodeName(f).toStdString());
        anyCsv = anyCsv || WaypointImportJob::IsCsv(paths.back());
    }
    std::optional<CsvImportSettings> csv = CsvImportSettings{};
    if (anyCsv && askCsv)
        csv = map_.Host().AskCsvSettings(map_);
    const bool replace = map_.Settings().GetInt(section::kSettings, kImportModeSetting, 0) == 1;
    quiet_ = quiet;
    std::string savePath = map_.DatabaseFile().Path();
    AppPaths::EnsureParentDir(Q(savePath));
    map_.Model().SetPaused(true);
    map_.Host().StartImport(
        map_, map_.Waypoints(), WaypointImportJob(std::move(paths), replace, std::move(csv)),
        std::move(savePath),
        [this](WaypointDatabase& imported, const WaypointImportJob::Result& result) {
            OnFinished(imported, result);
        });
    return true;
}

void WaypointImportCommand::OnFinished(WaypointDatabase& imported,
                                       const WaypointImportJob::Result& result)
{
    // The imported copy takes the place of the database (a swap: the old
    // contents go with the runner).
    std::swap(map_.Waypoints(), imported);
    map_.Selection().Prune(map_.Waypoints());
    map_.Model().SetPaused(false);
    if (result.changed && !result.saved)
        map_.SaveDatabase(); // the recovery question
    map_.RedrawMap();

    ImportResult counts;
    counts.added = result.added;
    counts.replaced = result.replaced;
    if (quiet_) {
        for (const WaypointImportJob::FileError& e : result.errors)
            std::fprintf(stderr, "hikewise: %s: %s\n", e.path.c_str(), e.message.c_str());
        std::string out;
        JsonWriter(out)
            .BeginObject()
            .Key("added")
            .Int(result.added)
            .Key("replaced")
            .Int(result.replaced)
            .EndObject();
        std::printf("%s\n", out.c_str());
        std::fflush(stdout);
    } else {
        for (const WaypointImportJob::FileError& e : result.errors)
            map_.Dialogs().Tell(&map_, Q(e.message), QMessageBox::Critical);
        map_.Dialogs().Tell(&map_, Q(ImportSummaryText(counts)), QMessageBox::Question);
    }
    emit Finished(result.added, result.replaced);
}

bool WaypointImportCommand::HandleCommand(int id)
{
    if (id != cmd::kImportWaypoints)
        return false;
    if (Running())
        return true;
    const QStringList files = map_.Dialogs().OpenFiles(
        &map_, {tr("导入路点"), kImportFileFilter,
                QFileInfo(Q(map_.DatabaseFile().Path())).absolutePath(), QString(), false});
    Import(files, true, false);
    return true;
}

bool WaypointImportCommand::QueryCommand(int id, CommandStatus& status) const
{
    if (id != cmd::kImportWaypoints)
        return false;
    status = {!Running(), false};
    return true;
}

} // namespace hw
