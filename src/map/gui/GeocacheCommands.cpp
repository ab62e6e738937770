#include "map/gui/GeocacheCommands.h"

#include "base/Clock.h"
#include "base/CommandIds.h"
#include "base/StringTable.h"
#include "base/Translate.h"
#include "map/gui/MapWnd.h"
#include "units/PositionFormatter.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/GeocacheVisits.h"
#include "widgets/AppPaths.h"
#include "widgets/UserDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace hw {
namespace {

QString Q(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace

bool GeocacheCommands::ShowPage(int serial)
{
    Waypoint w;
    if (serial <= 0 || !map_.Waypoints().FindBySerial(serial, w))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PositionFormatter positions(map_.Settings());
    GeocachePages pages(map_.Settings(), positions, map_.SystemTime());
    GeocachePageFolders folders = GeocachePages::Folders(
        map_.Settings(),
        QFile::encodeName(AppPaths::DataFile(QStringLiteral("templates"))).toStdString(),
        QFile::encodeName(AppPaths::AppDataDir() + QStringLiteral("/HTML")).toStdString());
    folders.language = LanguageCode();
    const std::string page = pages.Render(w, folders);
    const bool opened = !page.empty() && QDesktopServices::openUrl(
                                             QUrl::fromLocalFile(QFile::decodeName(page.c_str())));
    QApplication::restoreOverrideCursor();
    if (!opened)
        map_.Dialogs().Tell(&map_, Q(LoadString(kIdsCannotShowGeocachePage)),
                            QMessageBox::Critical);
    return opened;
}

void GeocacheCommands::Found()
{
    const int serial = map_.ResolveSelection();
    if (serial <= 0)
        return;
    if (!LogVisitFound(map_.Waypoints(), serial, QDateTime::currentSecsSinceEpoch()))
        return; // found and logged already: nothing changes
    map_.RedrawMap();
    if (map_.Dialogs().Ask(&map_, Q(LoadString(kIdsQueueFoundVisit)), QMessageBox::Question) &&
        editFieldNotes_)
        editFieldNotes_(serial);
    map_.SaveDatabase();
    map_.RedrawMap();
}

void GeocacheCommands::NotFound()
{
    const int serial = map_.ResolveSelection();
    if (serial <= 0)
        return;
    if (LogVisitNotFound(map_.Waypoints(), serial, QDateTime::currentSecsSinceEpoch()))
        map_.SaveDatabase();
    map_.RedrawMap();
}

void GeocacheCommands::ExportVisitsFile()
{
    const QString start =
        QFileInfo(QFile::decodeName(map_.DatabaseFile().Path().c_str())).absolutePath() +
        QLatin1Char('/') + QLatin1String(kVisitsFileName);
    const QString path = map_.Dialogs().SaveFile(
        &map_, {Q(LoadString(kIdsExportVisits)), LoadString(kIdsVisitsFileFilter), start,
                QLatin1String(kVisitsFileExtension), true});
    if (path.isEmpty())
        return;
    const bool markLogged =
        map_.Dialogs().Ask(&map_, Q(LoadString(kIdsMarkFoundAsLogged)), QMessageBox::Question);
    const VisitExport done =
        ExportVisits(map_.Waypoints(), QFile::encodeName(path).toStdString(), markLogged);
    if (!done.written) {
        map_.Dialogs().Tell(&map_, Q(LoadString(kIdsCannotCreateVisitsFile)),
                            QMessageBox::Critical);
        return;
    }
    if (done.visits > 0) {
        map_.SaveDatabase();
        map_.RedrawMap();
    }
}

bool GeocacheCommands::HandleCommand(int id)
{
    using namespace cmd;
    switch (id) {
    case kShowGeocacheInfo: ShowPage(map_.ResolveSelection()); return true;
    case kGeocacheFound: Found(); return true;
    case kGeocacheNotFound: NotFound(); return true;
    case kExportGeocacheVisits: ExportVisitsFile(); return true;
    default: return false;
    }
}

bool GeocacheCommands::QueryCommand(int id, CommandStatus& status) const
{
    using namespace cmd;
    const bool selected = !map_.Selection().Empty();
    switch (id) {
    case kShowGeocacheInfo:
    case kGeocacheNotFound: status = {selected, false}; return true;
    case kGeocacheFound:
        status = {selected, map_.Selection().FoundChecked(map_.Waypoints())};
        return true;
    case kExportGeocacheVisits: status = {true, false}; return true;
    default: return false;
    }
}

} // namespace hw
