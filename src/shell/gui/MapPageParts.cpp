#include "shell/gui/MapPageParts.h"

#include "instruments/gui/AltProfileWnd.h"
#include "instruments/gui/DigitalPanelGrid.h"
#include "instruments/gui/DigitalPanelMenus.h"
#include "instruments/gui/MsgWnd.h"
#include "map/gui/MapWnd.h"
#include "waypoints/WaypointEditing.h"
#include "waypoints/gui/CEditMultipleWPPropSheet.h"
#include "waypoints/gui/CEditWaypointPropSheet.h"
#include "waypoints/gui/CImportCSVPropSheet.h"
#include "waypoints/gui/SymbolStrips.h"
#include "waypoints/gui/WPAverageStatusWnd.h"
#include "waypoints/gui/WaypointImportRunner.h"
#include "waypoints/gui/WaypointListDialog.h"
#include "waypoints/gui/WaypointManagerDialog.h"
#include "waypoints/gui/WaypointSheetDialog.h"
#include "widgets/ProgressWindow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTabWidget>

namespace hw {

MapPageParts::MapPageParts(QWidget* messageParent) : messageParent_(messageParent) {}

MapPageParts::~MapPageParts()
{
    // Made over another window, it goes with the map that feeds it.
    if (messageParent_)
        delete messages_;
}

QWidget* MapPageParts::MakeNavStrip(MapWnd& map)
{
    const PanelSources sources{map.Trip(),    map.Nav(),  map.SystemTime(),
                               map.Battery(), map.Zone(), [&map] { return map.CurrentFix(); }};
    nav_ = new DigitalPanelGrid(sources, map.Settings(), QStringLiteral("MapView"), &map);
    nav_->setObjectName(QStringLiteral("NavWnd"));
    nav_->SetContextMenu(179, &NavWndPopup(), &map);
    return nav_;
}

QWidget* MapPageParts::MakeProfile(MapWnd& map)
{
    profile_ = new AltProfileWnd(map.Profile(), map.Units(), &map.Nav(), &map);
    QObject::connect(profile_, &AltProfileWnd::Command, &map,
                     [&map](int id) { map.HandleCommand(id); });
    return profile_;
}

QWidget* MapPageParts::MakeAveraging(MapWnd& map)
{
    averaging_ = new WPAverageStatusWnd(map.Averager(), map.Settings(), map.Units(), map, &map);
    averaging_->hide();
    return averaging_;
}

QWidget* MapPageParts::MakeMessages(MapWnd& map)
{
    messages_ = new MsgWnd(
        map.Nav(), map.Units(), [&map] { return map.CurrentFix().speed; },
        [](QPainter& p, const BitmapCell& cell, const QRect& target) {
            SymbolStrips::Shared().Draw(p, cell, target);
        },
        messageParent_ ? messageParent_ : &map);
    messages_->hide();
    return messages_;
}

void MapPageParts::ArrangeNavStrip(bool asRow)
{
    if (asRow)
        nav_->SetLayout(1, 3, false);
    else
        nav_->SetLayout(3, 1, false);
}

void MapPageParts::ChangePressedPane()
{
    nav_->ChangePane(nav_->PressedCell());
}

void MapPageParts::ShowMessage(const Waypoint& w, const QString& title, int messageType,
                               int displayMs, bool alarm)
{
    if (alarm)
        messages_->ShowAlarm(w, title, messageType, displayMs);
    else
        messages_->Show(w, title, messageType, displayMs);
}

QMenu* MapPageParts::MakeAveragingMenu(QWidget* parent)
{
    return averaging_->BuildPopupMenu(parent);
}

MapWndHost::SymbolPainter MapPageParts::Symbols()
{
    return [](QPainter& p, std::span<const BitmapCell> cells) {
        SymbolStrips::Shared().Draw(p, cells);
    };
}

int MapPageParts::ChooseWaypoint(MapWnd& map, const std::vector<int>& only, const QString& title)
{
    WaypointListDialog dialog(map.Waypoints(), map.Settings(), map.Units(),
                              map.Map().CurrentPosition(), only, title, &map);
    return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : 0;
}

std::unique_ptr<WaypointSheet>
MapPageParts::MakeWaypointSheet(MapWnd& map, std::function<void(const QString&)> showError)
{
    return std::make_unique<WaypointSheetDialog>(map.Positions(), map.Units(), &map,
                                                 std::move(showError));
}

void MapPageParts::RunWaypointManager(MapWnd& map, WaypointManagerHost& host,
                                      std::function<bool(const QString&)> ask,
                                      std::function<void(const QString&)> message)
{
    WaypointManagerDialog manager(map.Waypoints(), map.Settings(), map.Units(), map.Positions(),
                                  host, &map);
    if (ask)
        manager.SetQuestion(std::move(ask));
    if (message)
        manager.SetMessage([message](const QString& text, int) { message(text); });
    manager.exec();
}

std::optional<CsvImportSettings> MapPageParts::AskCsvSettings(MapWnd& map)
{
    CImportCSVPropSheet sheet(CsvImportSettings{}, map.Units(), &map);
    if (sheet.exec() != QDialog::Accepted)
        return std::nullopt;
    return sheet.Values();
}

void MapPageParts::StartImport(MapWnd& map, const WaypointDatabase& db, WaypointImportJob job,
                               std::string savePath, ImportDone done)
{
    if (runner_) // a finished one, possibly still in its own signal
        runner_.release()->deleteLater();
    runner_ = std::make_unique<WaypointImportRunner>(db, std::move(job), std::move(savePath), &map);
    WaypointImportRunner* runner = runner_.get();
    QObject::connect(runner, &WaypointImportRunner::Finished, &map, [this, runner, done] {
        done(runner->Imported(), runner->Result());
        // The old database went into the runner with the swap: it goes
        // once the event loop is back.
        if (runner_.get() == runner)
            runner_.release()->deleteLater();
    });
    runner->Start();
}

bool MapPageParts::ImportRunning() const
{
    return runner_ && runner_->Running();
}

QDialog* MapPageParts::MakeDialog(MapWnd& map, const QString& name)
{
    const QString title = QCoreApplication::translate("hw::MapPageParts", "路点");
    if (name == QLatin1String("waypoint-list"))
        return new WaypointListDialog(map.Waypoints(), map.Settings(), map.Units(),
                                      map.Map().CurrentPosition(), {}, title, &map);
    if (name == QLatin1String("waypoint-manager"))
        return new WaypointManagerDialog(map.Waypoints(), map.Settings(), map.Units(),
                                         map.Positions(), map.ManagerHost(), &map);
    if (name == QLatin1String("edit-multiple"))
        return new CEditMultipleWPPropSheet(map.Positions(), map.Units(), &map);
    if (name.startsWith(QLatin1String("csv-import"))) {
        auto* sheet = new CImportCSVPropSheet(CsvImportSettings{}, map.Units(), &map);
        sheet->Pages()->setCurrentIndex(name.endsWith(QLatin1String("-waypoints")) ? 1 : 0);
        return sheet;
    }
    if (name == QLatin1String("import-progress")) {
        auto* progress = new ProgressWindow(&map, 239, 0, 1000, 1);
        progress->SetText(WaypointImportRunner::tr(WaypointImportRunner::kProgressText));
        progress->SetPerMille(420);
        return progress;
    }
    // The edit sheet on the first geocache of the database (else its first
    // waypoint), at the page the name ends with ("edit-waypoint" is the
    // first).
    static const QString kEdit = QStringLiteral("edit-waypoint");
    if (!name.startsWith(kEdit))
        return nullptr;
    bool numbered = false;
    const int page = name.mid(kEdit.size() + 1).toInt(&numbered);
    Waypoint first;
    bool found = false;
    map.Waypoints().ForEach([&](const Waypoint& w) {
        if (!found && w.nType == kWaypointGeocache) {
            first = w;
            found = true;
        }
    });
    if (!found)
        map.Waypoints().ForEach([&](const Waypoint& w) {
            if (!found) {
                first = w;
                found = true;
            }
        });
    return new CEditWaypointPropSheet(first, map.Positions(), map.Units(), numbered ? page - 1 : 0,
                                      QDateTime::currentSecsSinceEpoch(), &map);
}

} // namespace hw
