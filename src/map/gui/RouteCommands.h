#pragma once

#include "base/CommandTarget.h"
#include "geo/GeoPoint.h"
#include "route/PlanningNetwork.h"
#include "route/RoutePlanner.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>

#include <atomic>
#include <string>

class QMenu;
class QThread;

namespace hw {

class MapWnd;

// The map's routes on foot: "规划路线到此处(&R)" to the pressed point,
// "规划路线到此路点" to the selected waypoint, and "保存路线..." for the
// last route found. A route is planned from the current position (the map's
// centre without a fix) beside the UI thread, with a progress window after
// half a second that can cancel it; the route found is shown as a course and
// followed, its length, climb and walking time said in the status bar.
class RouteCommands : public QObject, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kProgressDelayMs = 500;

    explicit RouteCommands(MapWnd& map);
    // Cancels a search still running and waits for it.
    ~RouteCommands() override;

    // Plans to a place, named for the course; false when planning is not
    // possible now (no network, a search running).
    bool PlanTo(const GeoPoint& target, const QString& name);
    bool PlanToWaypoint(int serial);
    bool Running() const { return thread_ != nullptr; }
    // Why routes cannot be planned on the map shown; empty when they can.
    QString Unavailable() const;
    // While they cannot: the planning commands' prompts in a menu say why,
    // and so does the status bar.
    void ExplainUnavailable(QMenu& menu);
    // The last plan that ended, and the progress window while it shows.
    const RoutePlan& LastPlan() const { return plan_; }
    QProgressDialog* Progress() const { return progress_; }

    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;

signals:
    // A plan ended (found, not found, cancelled or failed).
    void Finished();

private:
    void ShowProgress();
    void OnSearchDone();
    // Shows the route found as a course and follows it.
    void Follow();
    void DropPlannedCourse();
    void SaveRoute();

    MapWnd& map_;
    PlanningNetwork network_; // prepared by the first search
    std::string networkError_;
    QThread* thread_ = nullptr;
    std::atomic<bool> cancel_{false};
    RouteRequest request_;
    bool fromCentre_ = false;
    QString name_;
    RoutePlan plan_;
    std::vector<RoutePoint> found_; // the last route found, for saving
    int planned_ = -1;              // its index among the courses
    QTimer progressDelay_;
    QPointer<QProgressDialog> progress_;
};

} // namespace hw
