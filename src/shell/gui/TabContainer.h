#pragma once

#include "base/CommandTarget.h"
#include "gps/GpsFix.h"

#include <QWidget>

#include <array>
#include <functional>

class QTabWidget;

namespace hw {

class AnalysisWnd;
class CGPSStatusBar;
class GaugePanel;
class MapWnd;
class SettingsStore;

// The main window's client: the five pages under a tab strip, and the status
// bar along the bottom. Takes the GPS notifications the main frame passes on
// and hands each to the pages that need it; offers commands to the pages.
class TabContainer : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    using FixSource = std::function<GpsFix()>;

    TabContainer(SettingsStore& settings, FixSource fix, QWidget* parent = nullptr);

    QWidget* Page(int index) const;
    int PageCount() const;
    int CurrentPage() const;
    void ShowPage(int index);
    bool TabStripVisible() const;
    void SetTabStripVisible(bool visible);
    CGPSStatusBar* StatusBar() const { return statusBar_; }
    // The map page, whose fix handling feeds the trip computer and the track.
    MapWnd* MapWindow() const { return map_; }
    GaugePanel* Gauges() const { return gauges_; }
    AnalysisWnd* Analysis() const { return analysis_; }
    QTabWidget* TabStrip() const { return tabs_; }
    // Stores theme `theme` and repaints the strip, the pages and the bar.
    void ApplyTheme(int theme);
    // The program is closing: pages that keep files write them now.
    void SaveOnExit();

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnGpsNotification(uint32_t message);
    void LayOut();
    void PaintTabStrip();

    SettingsStore& settings_;
    FixSource fix_;
    QTabWidget* tabs_;
    CGPSStatusBar* statusBar_;
    MapWnd* map_ = nullptr;
    GaugePanel* gauges_ = nullptr;
    AnalysisWnd* analysis_ = nullptr;
};

} // namespace hw
