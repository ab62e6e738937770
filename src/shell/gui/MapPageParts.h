#pragma once

#include "map/gui/MapWndHost.h"

namespace hw {

class AltProfileWnd;
class DigitalPanelGrid;
class MsgWnd;
class WPAverageStatusWnd;
class WaypointImportRunner;

// The shell's side of the map page: makes the instrument and waypoint
// windows the map window shows and runs the waypoint dialogs it asks for.
// One per map window, which owns it.
class MapPageParts final : public MapWndHost {
public:
    // `messageParent`: the window the message window pops up over, whatever
    // page is shown (the map window when null).
    explicit MapPageParts(QWidget* messageParent = nullptr);
    ~MapPageParts() override;

    QWidget* MakeNavStrip(MapWnd& map) override;
    QWidget* MakeProfile(MapWnd& map) override;
    QWidget* MakeAveraging(MapWnd& map) override;
    QWidget* MakeMessages(MapWnd& map) override;
    void ArrangeNavStrip(bool asRow) override;
    void ChangePressedPane() override;
    void ShowMessage(const Waypoint& w, const QString& title, int messageType, int displayMs,
                     bool alarm) override;
    QMenu* MakeAveragingMenu(QWidget* parent) override;
    SymbolPainter Symbols() override;
    int ChooseWaypoint(MapWnd& map, const std::vector<int>& only, const QString& title) override;
    std::unique_ptr<WaypointSheet>
    MakeWaypointSheet(MapWnd& map, std::function<void(const QString&)> showError) override;
    void RunWaypointManager(MapWnd& map, WaypointManagerHost& host,
                            std::function<bool(const QString&)> ask,
                            std::function<void(const QString&)> message) override;
    void RunCourseManager(MapWnd& map, CourseManagerHost& host) override;
    std::optional<CsvImportSettings> AskCsvSettings(MapWnd& map) override;
    void StartImport(MapWnd& map, const WaypointDatabase& db, WaypointImportJob job,
                     std::string savePath, ImportDone done) override;
    bool ImportRunning() const override;
    QDialog* MakeDialog(MapWnd& map, const QString& name) override;

    // The windows made, for the shell and tests.
    DigitalPanelGrid* NavStrip() const { return nav_; }
    AltProfileWnd* Profile() const { return profile_; }
    MsgWnd* Messages() const { return messages_; }
    WPAverageStatusWnd* Averaging() const { return averaging_; }
    WaypointImportRunner* Import() const { return runner_.get(); }

private:
    QWidget* messageParent_;
    DigitalPanelGrid* nav_ = nullptr;
    AltProfileWnd* profile_ = nullptr;
    MsgWnd* messages_ = nullptr;
    WPAverageStatusWnd* averaging_ = nullptr;
    MapWnd* map_ = nullptr;
    std::unique_ptr<WaypointImportRunner> runner_;
};

} // namespace hw
