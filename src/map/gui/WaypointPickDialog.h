#pragma once

#include <QDialog>

#include <vector>

class QListWidget;

namespace hw {

class WaypointDatabase;

// Chooses one waypoint by name from the database, or from a given set of
// them (the waypoints under a tap).
class WaypointPickDialog : public QDialog {
    Q_OBJECT
public:
    WaypointPickDialog(const WaypointDatabase& db, const std::vector<int>& only,
                       const QString& title, QWidget* parent = nullptr);
    // The serial of the chosen waypoint; 0 when none.
    int Chosen() const;
    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
};

} // namespace hw
