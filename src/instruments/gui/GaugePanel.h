#pragma once

#include "base/CommandTarget.h"
#include "instruments/GaugePanelModel.h"
#include "instruments/gui/DigitalPanelGrid.h"

#include <QTimer>
#include <QWidget>

class QDialog;
class QMenu;

namespace hw {

class NavigationSource;
class SettingsStore;
class TripComputer;

// The gauge page "面板": the enabled dials, all at once or one at a time in
// turn, with the navigation strip; the needles move once a second, or ten
// times a second while smoothing and the page is shown.
class GaugePanel : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 1000;
    static constexpr int kSmoothingMs = 100;

    GaugePanel(const PanelSources& sources, TripComputer& trip, SettingsStore& settings,
               QWidget* parent = nullptr);

    GaugePanelModel& Model() { return model_; }
    DigitalPanelGrid* Strip() const { return strip_; }
    bool SmoothingTimerActive() const { return smoothing_.isActive(); }
    // The rectangles of the last layout.
    const GaugePanelRects& Rects() const { return rects_; }
    // Menu 181 with its items enabled and checked.
    QMenu* BuildPopupMenu(QWidget* parent);
    // Dialog 165, over the current full scale.
    QDialog* MakeSpeedDialog(QWidget* parent);

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    GaugeReadings Readings() const;
    void OnSecond();
    void OnSmoothingTick();
    // Starts or stops the 100 ms timer as the model's state asks.
    void SyncSmoothing();
    void LayOut();
    void OpenSpeedSettings();

    PanelSources sources_;
    TripComputer& trip_;
    SettingsStore& settings_;
    GaugePanelModel model_;
    GaugePanelRects rects_;
    DigitalPanelGrid* strip_;
    QTimer timer_;
    QTimer smoothing_;
};

} // namespace hw
