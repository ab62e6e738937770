#include "map/gui/MapMessageBoxes.h"

#include "base/StringTable.h"
#include "base/Translate.h"
#include "track/TrackFileCommands.h"
#include "waypoints/GeocacheVisits.h"
#include "waypoints/WaypointDatabaseCommands.h"
#include "waypoints/WaypointImport.h"
#include "widgets/UserDialogs.h"

#include <QMessageBox>

#include <string_view>
#include <utility>

namespace hw {
namespace {

QString Q(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace

QDialog* MapMessageBoxes::Make(const QString& name, int waypointCount,
                               const std::string& databasePath, QWidget* parent)
{
    ImportResult counts;
    counts.added = waypointCount;
    const std::pair<const char*, std::pair<QString, QMessageBox::Icon>> boxes[] = {
        {"import-summary",
         {QString::fromStdString(ImportSummaryText(counts)), QMessageBox::Question}},
        {"import-error", {Q("XML Parse Error: mismatched tag at line 12"), QMessageBox::Critical}},
        {"database-recovery",
         {QString::fromStdString(Translate("WaypointDatabaseCommands", kSaveFailedQuestion)),
          QMessageBox::Warning}},
        {"track-recovery",
         {QString::fromStdString(Translate("TrackFileCommands", kTrackSaveFailedQuestion)),
          QMessageBox::Warning}},
        {"replace-question",
         {UserDialogs::ReplaceQuestion(QString::fromStdString(databasePath)),
          QMessageBox::Warning}},
        {"found-question", {Q(LoadString(kIdsQueueFoundVisit)), QMessageBox::Question}},
        {"visits-question", {Q(LoadString(kIdsMarkFoundAsLogged)), QMessageBox::Question}},
    };
    for (const auto& [boxName, box] : boxes) {
        if (name == QLatin1String(boxName)) {
            const bool question = box.second != QMessageBox::Critical &&
                                  std::string_view(boxName) != "import-summary";
            return UserDialogs::MakeBox(parent, box.first, box.second, question);
        }
    }
    return nullptr;
}

} // namespace hw
