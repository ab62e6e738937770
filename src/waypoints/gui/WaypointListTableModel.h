#pragma once

#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointManagerList.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <map>

namespace hw {

class UnitFormatter;
class WaypointDatabase;

// The rows of a WaypointManagerList as a table for Qt's views: the cell
// texts the core computes, the symbol of each waypoint beside its main text.
class WaypointListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    WaypointListTableModel(const WaypointDatabase& db, const WaypointManagerList& list,
                           const UnitFormatter& units, QObject* parent = nullptr);

    // The list's rows or columns changed.
    void Reset(const WaypointManagerColumns& columns);
    int Serial(int row) const;
    int KindOfColumn(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QIcon SymbolIcon(int symbol) const;

    const WaypointDatabase& db_;
    const WaypointManagerList& list_;
    const UnitFormatter& units_;
    std::vector<int> kinds_;
    int64_t now_ = 0;
    mutable std::map<int, QIcon> icons_;
};

} // namespace hw
