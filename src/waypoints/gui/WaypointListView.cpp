#include "waypoints/gui/WaypointListView.h"

#include "waypoints/gui/WaypointListTableModel.h"
#include "widgets/LongPressMenu.h"

#include <QHeaderView>

#include <algorithm>

namespace hw {

WaypointListView::WaypointListView(WaypointDatabase& db, const UnitFormatter& units,
                                   QWidget* parent)
    : QTreeView(parent), db_(db)
{
    setObjectName(QStringLiteral("WaypointList"));
    model_ = new WaypointListTableModel(db_, list_, units, this);
    setModel(model_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    LongPressMenu::Install(viewport());
    setIconSize(QSize(15, 15));
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSortIndicatorShown(true);
    connect(header(), &QHeaderView::sectionClicked, this, &WaypointListView::SortByColumn);
    model_->Reset(columns_);
}

void WaypointListView::Refresh(const WaypointManagerList::Query& query)
{
    query_ = query;
    const std::vector<int> widths = ColumnWidths();
    list_.Build(db_, query_);
    model_->Reset(columns_);
    SetColumnWidths(widths);
    ShowSortIndicator();
    emit Refreshed(list_.Count());
}

void WaypointListView::SetColumns(const WaypointManagerColumns& columns)
{
    columns_ = columns;
    Refresh(query_);
}

void WaypointListView::SortByColumn(int column)
{
    const int kind = model_->KindOfColumn(column);
    if (kind < 0)
        return;
    const std::vector<int> selected = SelectedSerials();
    const std::vector<int> widths = ColumnWidths();
    list_.Sort(db_, kind);
    model_->Reset(columns_);
    SetColumnWidths(widths);
    ShowSortIndicator();
    for (int serial : selected)
        SelectSerial(serial);
}

void WaypointListView::ShowSortIndicator()
{
    for (int c = 0; c < model_->columnCount(); ++c)
        if (model_->KindOfColumn(c) == list_.SortKind()) {
            header()->setSortIndicator(c, Qt::AscendingOrder);
            return;
        }
    header()->setSortIndicator(-1, Qt::AscendingOrder);
}

void WaypointListView::SetColumnWidths(const std::vector<int>& widths)
{
    for (int c = 0; c < model_->columnCount() && c < static_cast<int>(widths.size()); ++c)
        setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

std::vector<int> WaypointListView::ColumnWidths() const
{
    std::vector<int> widths;
    for (int c = 0; c < model_->columnCount(); ++c)
        widths.push_back(columnWidth(c));
    return widths;
}

std::vector<int> WaypointListView::SelectedSerials() const
{
    std::vector<int> serials;
    if (!selectionModel())
        return serials;
    const QModelIndexList rows = selectionModel()->selectedRows();
    for (const QModelIndex& index : rows)
        serials.push_back(model_->Serial(index.row()));
    std::sort(serials.begin(), serials.end());
    return serials;
}

void WaypointListView::SelectSerial(int serial)
{
    const auto& rows = list_.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].serial == serial) {
            const QModelIndex index = model_->index(static_cast<int>(i), 0);
            selectionModel()->select(index,
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            scrollTo(index);
            return;
        }
}

} // namespace hw
