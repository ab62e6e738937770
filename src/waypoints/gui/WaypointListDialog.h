#pragma once

#include "geo/GeoPoint.h"

#include <QDialog>

#include <vector>

class QLineEdit;

namespace hw {

class SettingsStore;
class UnitFormatter;
class WaypointDatabase;
class WaypointListView;

// Chooses one waypoint from the list of the manager (its columns, sorting
// and text filter): all waypoints, or the given ones (those under a tap).
class WaypointListDialog : public QDialog {
    Q_OBJECT
public:
    WaypointListDialog(WaypointDatabase& db, const SettingsStore& settings,
                       const UnitFormatter& units, const GeoPoint& here,
                       const std::vector<int>& only, const QString& title,
                       QWidget* parent = nullptr);
    // The serial of the chosen waypoint; 0 when none.
    int Chosen() const;
    WaypointListView* List() const { return list_; }
    QLineEdit* SearchText() const { return search_; }

private:
    void Refill();

    GeoPoint here_;
    std::vector<int> only_;
    WaypointListView* list_;
    QLineEdit* search_;
};

} // namespace hw
