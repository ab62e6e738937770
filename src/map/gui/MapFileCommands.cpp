#include "map/gui/MapFileCommands.h"

#include "base/CommandIds.h"
#include "base/Folders.h"
#include "base/StringTable.h"
#include "base/Translate.h"
#include "map/gui/MapWnd.h"
#include "track/TrackExport.h"
#include "track/TrackFileCommands.h"
#include "waypoints/GeocacheVisits.h"
#include "waypoints/GpxWaypointWriter.h"
#include "waypoints/WaypointDatabaseCommands.h"
#include "widgets/AppPaths.h"
#include "widgets/UserDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <chrono>
#include <filesystem>

namespace hw {
namespace {

constexpr const char* kCannotOpenTrack =
    HW_TRANSLATE_NOOP("MapFileCommands", "不能够打开轨迹文件.请检查并确认文件正确.");
constexpr const char* kWaypointExportFilter = "GPX Files (*.GPX)|*.gpx|XML Files (*.XML)|*.XML||";

QString Q(const char* s)
{
    return QString::fromUtf8(s);
}
QString Local(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string Native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

bool AskReplace(MapWnd& map, const std::string& path)
{
    return map.Dialogs().Ask(&map, UserDialogs::ReplaceQuestion(Local(path)), QMessageBox::Warning);
}

// The database file's own dialogues, asked over the map window.
class MapDatabaseDialogs final : public WaypointFileDialogs {
public:
    explicit MapDatabaseDialogs(MapWnd& map) : map_(map) {}
    bool AskSaveElsewhere() override
    {
        return map_.Dialogs().Ask(
            &map_,
            QString::fromStdString(Translate("WaypointDatabaseCommands", kSaveFailedQuestion)),
            QMessageBox::Warning);
    }
    std::string ChooseNewFile() override
    {
        return Native(map_.Dialogs().SaveFile(
            &map_,
            {QCoreApplication::translate("MapFileCommands", "路点数据库"), kWaypointFileFilter,
             Local(MapFileCommands::UntitledBeside(map_.DatabaseFile().Path())),
             QString::fromLatin1(kWaypointFileExtension), false}));
    }
    std::string ChooseExistingFile(const std::string& start) override
    {
        return Native(map_.Dialogs().OpenFile(
            &map_,
            {QCoreApplication::translate("MapFileCommands", "路点数据库"), kWaypointFileFilter,
             Local(start), QString::fromLatin1(kWaypointFileExtension), false}));
    }
    void ShowCannotOpen() override
    {
        map_.Dialogs().Tell(
            &map_,
            QString::fromStdString(Translate("WaypointDatabaseCommands", kCannotOpenMessage)),
            QMessageBox::Warning);
    }
    void ShowFileChanged() override
    {
        map_.Dialogs().Tell(
            &map_, QString::fromStdString(Translate("WaypointFileWriter", kFileChangedMessage)),
            QMessageBox::Warning);
    }
    bool ConfirmReplace(const std::string& path) override { return AskReplace(map_, path); }
    void SetBusy(bool busy) override
    {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    MapWnd& map_;
};

// A track save that failed: the question and the chooser over the map window.
class MapTrackRecovery final : public TrackSaveRecovery {
public:
    explicit MapTrackRecovery(MapWnd& map) : map_(map) {}
    bool AskSaveElsewhere() override
    {
        return map_.Dialogs().Ask(
            &map_, QString::fromStdString(Translate("TrackFileCommands", kTrackSaveFailedQuestion)),
            QMessageBox::Warning);
    }
    std::string ChooseNewFile() override
    {
        return Native(map_.Dialogs().SaveFile(
            &map_, {QCoreApplication::translate("MapFileCommands", "轨迹文件"), kTrackNewFilter,
                    Local(MapFileCommands::UntitledBeside(map_.TrackFile().Path())),
                    QString::fromLatin1(kTrackFileExtension), true}));
    }

private:
    MapWnd& map_;
};

struct TrackExportChoice {
    TrackExportFormat format;
    const char* filter;
    const char* suffix;
};

TrackExportChoice TrackExportOf(int id)
{
    switch (id) {
    case cmd::kExportTrackKml:
        return {TrackExportFormat::Kml, "KML File (*.kml)|*.kml|All Files (*.*)|*.*||", "kml"};
    case cmd::kExportTrackGpx:
        return {TrackExportFormat::Gpx, "GPX File (*.gpx)|*.gpx|All Files (*.*)|*.*||", "gpx"};
    default: return {TrackExportFormat::Csv, "CSV File (*.csv)|*.csv|All Files (*.*)|*.*||", "csv"};
    }
}

// The wait cursor for the length of a scope.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

std::string MapFileCommands::UntitledBeside(const std::string& path)
{
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = AppPaths::DocumentsDir().toStdString();
    const std::string untitled = (folder / "Untitled").string();
    EnsureParentFolder(untitled); // a chooser never opens in a missing folder
    return untitled;
}

bool MapFileCommands::SaveDatabase()
{
    MapDatabaseDialogs dialogs(map_);
    WaypointDatabaseCommands commands(map_.Waypoints(), map_.DatabaseFile(), dialogs);
    const std::string path = commands.CurrentPath();
    QPointer<MapWnd> map(&map_);
    const bool asked = commands.SaveCurrentInBackground(
        map_.DatabaseWriter(), [map, path](const WaypointDatabaseCommands::BackgroundSave& save) {
            if (!map)
                return;
            QMetaObject::invokeMethod(
                map.data(),
                [map, path, save] {
                    if (map)
                        map->DatabaseSaveEnded(path, save);
                },
                Qt::QueuedConnection);
        });
    return asked || commands.SaveCurrent() == 1;
}

void MapFileCommands::DatabaseSaveEnded(const std::string& path,
                                        const WaypointDatabaseCommands::BackgroundSave& save)
{
    WaypointDatabase& db = map_.Waypoints();
    if (save.written) {
        db.MarkSaved(save.stamp); // unless it changed since
        return;
    }
    // A command waiting for the saves asks the question itself; a newer save
    // tells its own outcome; a later save that succeeded leaves nothing.
    if (settling_ || map_.DatabaseWriter().Pending(path) || !db.IsModified())
        return;
    SaveDatabaseNow();
}

bool MapFileCommands::SaveDatabaseNow()
{
    MapDatabaseDialogs dialogs(map_);
    WaypointDatabaseCommands commands(map_.Waypoints(), map_.DatabaseFile(), dialogs);
    return commands.SaveCurrent() == 1;
}

void MapFileCommands::SettleDatabaseSaves()
{
    // The windows stay live meanwhile; the outcomes are taken in, but a
    // failure is left to the caller, which then finds the database modified.
    settling_ = true;
    while (!map_.DatabaseWriter().WaitFor(std::chrono::milliseconds(50)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QCoreApplication::sendPostedEvents(&map_, QEvent::MetaCall);
    settling_ = false;
}

bool MapFileCommands::SaveTrack()
{
    MapTrackRecovery recovery(map_);
    const bool saved = TrackCommands(&recovery).SaveCurrent() == 1;
    if (saved)
        map_.Autosave().MarkSaved();
    return saved;
}

TrackFileCommands MapFileCommands::TrackCommands(TrackSaveRecovery* recovery)
{
    // The commands save the track before they change files: never the demo's.
    if (map_.Demo())
        map_.DropDemoTrack();
    map_.SettleTrackSaves(); // a periodic save still writing must not land after ours
    return TrackFileCommands(map_.Track(), map_.TrackFile(), recovery);
}

void MapFileCommands::ReplaceDatabase(bool (WaypointDatabaseCommands::*command)())
{
    // A save still on its way lands first; a failed one is asked about by
    // the command, as the database is still modified.
    SettleDatabaseSaves();
    MapDatabaseDialogs dialogs(map_);
    WaypointDatabaseCommands commands(map_.Waypoints(), map_.DatabaseFile(), dialogs);
    if ((commands.*command)()) {
        map_.Selection().Clear();
        map_.RedrawMap();
    }
}

void MapFileCommands::ExportWaypoints()
{
    const QString path = map_.Dialogs().SaveFile(
        &map_, {QCoreApplication::translate("MapFileCommands", "导出路点"), kWaypointExportFilter,
                Local(UntitledBeside(map_.DatabaseFile().Path())), QStringLiteral("gpx"), true});
    if (path.isEmpty())
        return;
    WaitCursor wait;
    if (ExportGpxFile(map_.Waypoints(), Native(path), QDateTime::currentSecsSinceEpoch()) != 1)
        map_.Dialogs().Tell(&map_, Q(LoadString(kIdsCannotCreateVisitsFile)),
                            QMessageBox::Critical);
}

void MapFileCommands::OpenTrack()
{
    const QString path = map_.Dialogs().OpenFile(
        &map_, {QCoreApplication::translate("MapFileCommands", "轨迹文件"), kTrackOpenFilter,
                Local(map_.TrackFile().Path()), QString::fromLatin1(kTrackFileExtension), false});
    if (path.isEmpty())
        return;
    WaitCursor wait;
    MapTrackRecovery recovery(map_);
    if (TrackCommands(&recovery).Open(Native(path)))
        map_.Autosave().MarkSaved(); // the track shown is the file's
    else
        map_.Dialogs().Tell(&map_, QCoreApplication::translate("MapFileCommands", kCannotOpenTrack),
                            QMessageBox::Warning);
    map_.RedrawMap();
}

void MapFileCommands::NewTrack()
{
    const QString path = map_.Dialogs().SaveFile(
        &map_, {QCoreApplication::translate("MapFileCommands", "轨迹文件"), kTrackNewFilter,
                Local(UntitledBeside(map_.TrackFile().Path())),
                QString::fromLatin1(kTrackFileExtension), false});
    if (path.isEmpty())
        return;
    MapTrackRecovery recovery(map_);
    TrackCommands(&recovery).New(Native(path),
                                 [this](const std::string& p) { return AskReplace(map_, p); });
    map_.RedrawMap();
}

void MapFileCommands::ExportTrack(int id)
{
    const TrackExportChoice choice = TrackExportOf(id);
    const QString path = map_.Dialogs().SaveFile(
        &map_,
        {QCoreApplication::translate("MapFileCommands", "导出轨迹"), choice.filter,
         Local(UntitledBeside(map_.TrackFile().Path())), QString::fromLatin1(choice.suffix), true});
    if (path.isEmpty())
        return;
    WaitCursor wait;
    if (hw::ExportTrack(map_.Track(), choice.format, Native(path)) != 1)
        map_.Dialogs().Tell(&map_, Q(LoadString(kIdsCannotCreateVisitsFile)),
                            QMessageBox::Critical);
}

bool MapFileCommands::HandleCommand(int id)
{
    using namespace cmd;
    switch (id) {
    case kOpenWaypointDatabase: ReplaceDatabase(&WaypointDatabaseCommands::Open); return true;
    case kNewWaypointDatabase: ReplaceDatabase(&WaypointDatabaseCommands::New); return true;
    case kExportWaypoints: ExportWaypoints(); return true;
    case kOpenTrackFile: OpenTrack(); return true;
    case kNewTrackFile: NewTrack(); return true;
    case kExportTrackCsv:
    case kExportTrackKml:
    case kExportTrackGpx: ExportTrack(id); return true;
    default: return false;
    }
}

bool MapFileCommands::QueryCommand(int id, CommandStatus& status) const
{
    using namespace cmd;
    switch (id) {
    case kOpenWaypointDatabase:
    case kNewWaypointDatabase:
    case kExportWaypoints:
    case kOpenTrackFile:
    case kNewTrackFile:
    case kExportTrackCsv:
    case kExportTrackKml:
    case kExportTrackGpx: status = {true, false}; return true;
    default: return false;
    }
}

} // namespace hw
