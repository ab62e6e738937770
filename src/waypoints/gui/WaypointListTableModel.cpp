#include "waypoints/gui/WaypointListTableModel.h"

#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointSymbol.h"
#include "waypoints/gui/SymbolStrips.h"

#include <QDateTime>

namespace hw {

WaypointListTableModel::WaypointListTableModel(const WaypointDatabase& db,
                                               const WaypointManagerList& list,
                                               const UnitFormatter& units, QObject* parent)
    : QAbstractTableModel(parent), db_(db), list_(list), units_(units)
{
}

void WaypointListTableModel::Reset(const WaypointManagerColumns& columns)
{
    beginResetModel();
    kinds_ = columns.ShownKinds();
    now_ = QDateTime::currentSecsSinceEpoch();
    endResetModel();
}

int WaypointListTableModel::Serial(int row) const
{
    return row >= 0 && row < list_.Count() ? list_.Rows()[static_cast<size_t>(row)].serial : 0;
}

int WaypointListTableModel::KindOfColumn(int column) const
{
    return column >= 0 && column < static_cast<int>(kinds_.size())
               ? kinds_[static_cast<size_t>(column)]
               : -1;
}

int WaypointListTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : list_.Count();
}

int WaypointListTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(kinds_.size());
}

QVariant WaypointListTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= list_.Count())
        return {};
    const WaypointManagerList::Row& row = list_.Rows()[static_cast<size_t>(index.row())];
    const Waypoint* w = list_.Record(db_, row);
    if (!w)
        return {};
    if (role == Qt::DisplayRole) {
        const std::string text =
            WaypointManagerList::CellText(*w, row.distanceKm, KindOfColumn(index.column()), units_);
        // One line a row: a multi-line comment shows its first line.
        QString shown = QString::fromStdString(text);
        const qsizetype eol = shown.indexOf(QLatin1Char('\n'));
        return eol >= 0 ? shown.left(eol) : shown;
    }
    if (role == Qt::DecorationRole && index.column() == 0)
        return SymbolIcon(WaypointSymbol::Choose(*w, now_));
    if (role == Qt::UserRole)
        return row.serial;
    return {};
}

QVariant WaypointListTableModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(WaypointManagerColumns::Header(KindOfColumn(section)));
}

QIcon WaypointListTableModel::SymbolIcon(int symbol) const
{
    auto it = icons_.find(symbol);
    if (it == icons_.end())
        it = icons_.emplace(symbol, QIcon(SymbolStrips::Shared().Symbol(symbol, false))).first;
    return it->second;
}

} // namespace hw
