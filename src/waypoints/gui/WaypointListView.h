#pragma once

#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointManagerList.h"

#include <QTreeView>

#include <vector>

namespace hw {

class UnitFormatter;
class WaypointDatabase;
class WaypointListTableModel;

// The waypoint list of the manager and of the list dialog: the configured
// columns, a tap on a header sorts by that column, full-row and multiple
// selection.
class WaypointListView : public QTreeView {
    Q_OBJECT
public:
    WaypointListView(WaypointDatabase& db, const UnitFormatter& units, QWidget* parent = nullptr);

    // Rebuilds the rows for the query; keeps the sort column.
    void Refresh(const WaypointManagerList::Query& query);
    // New columns: the list is refilled.
    void SetColumns(const WaypointManagerColumns& columns);
    const WaypointManagerColumns& Columns() const { return columns_; }
    // Sorts by the kind of a list column, as a tap on its header does.
    void SortByColumn(int column);
    void SetColumnWidths(const std::vector<int>& widths);
    std::vector<int> ColumnWidths() const;

    std::vector<int> SelectedSerials() const;
    void SelectSerial(int serial);
    const WaypointManagerList& List() const { return list_; }
    WaypointListTableModel* TableModel() const { return model_; }

signals:
    // The rows changed (count and content).
    void Refreshed(int count);

private:
    void ShowSortIndicator();

    WaypointDatabase& db_;
    WaypointManagerList list_;
    WaypointManagerList::Query query_;
    WaypointManagerColumns columns_;
    WaypointListTableModel* model_;
};

} // namespace hw
