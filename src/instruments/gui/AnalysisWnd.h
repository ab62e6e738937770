#pragma once

#include "base/CommandTarget.h"
#include "gps/GpsFix.h"
#include "instruments/AnalysisPageModel.h"
#include "widgets/PageKeyHandler.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QDialog;
class QMenu;

namespace hw {

class CKORVPlotWnd;
class SettingsStore;

// The analysis page "AnalysisWnd": strip charts of speed, acceleration,
// altitude, track error and vertical speed, one to four at a time; a tap and
// hold picks the area the pop-up menu acts on; Up and Down zoom every chart.
class AnalysisWnd : public QWidget, public CommandTarget, public PageKeyHandler {
    Q_OBJECT
public:
    explicit AnalysisWnd(SettingsStore& settings, QWidget* parent = nullptr);

    AnalysisPageModel& Model() { return model_; }
    // The fix after one GGA, with the cross-track error (radians) that the
    // map's handling of that fix left; repaints.
    void OnFix(const GpsFix& fix, double trackErrorRadians);
    // The acceleration after each GPRMC since a number (the parser's
    // AccelerationsSince).
    using AccelerationSource = std::function<uint64_t(uint64_t after, std::vector<double>& out)>;
    void SetAccelerationHistory(AccelerationSource source) { accelerations_ = std::move(source); }
    // A GPRMC notice: every acceleration not charted yet, oldest first, each
    // once, however many RMCs were decoded before the notice ran; repaints.
    void OnRmc();

    int TappedArea() const { return tappedArea_; }
    // Remembers the area under a point of the page, as a tap and hold does.
    void TapAt(QPoint p);
    // Menu 173 for the area last tapped, with its items checked and enabled.
    QMenu* BuildPopupMenu(QWidget* parent);
    // Dialog 160 over the altitude sampling.
    QDialog* MakeAltitudeDialog(QWidget* parent);

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;
    bool HandlePageKey(NavKey key) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SettingsStore& settings_;
    AnalysisPageModel model_;
    std::array<CKORVPlotWnd*, AnalysisPageModel::kCurves> plots_{};
    int tappedArea_ = 0;
    AccelerationSource accelerations_;
    uint64_t accelerationsTaken_ = 0;
    std::vector<double> newAccelerations_;
};

} // namespace hw
