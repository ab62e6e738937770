#include "waypoints/gui/WaypointListDialog.h"

#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/gui/SheetSize.h"
#include "waypoints/gui/WaypointListView.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace hw {

WaypointListDialog::WaypointListDialog(WaypointDatabase& db, const SettingsStore& settings,
                                       const UnitFormatter& units, const GeoPoint& here,
                                       const std::vector<int>& only, const QString& title,
                                       QWidget* parent)
    : QDialog(parent), here_(here), only_(only)
{
    setObjectName(QStringLiteral("WaypointListDialog"));
    setWindowTitle(title);
    FitSheetToWindow(this, parent);
    list_ = new WaypointListView(db, units, this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("SearchText"));
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, &WaypointListDialog::Refill);
    connect(list_, &QAbstractItemView::activated, this, &QDialog::accept);
    auto* form = new QFormLayout;
    form->addRow(tr("搜索文字:"), search_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));

    WaypointManagerColumns columns;
    columns.Load(settings);
    list_->SetColumns(columns);
    list_->SetColumnWidths(WaypointManagerColumns::LoadWidths(
        settings, WaypointManagerColumns::kSlotCount, std::max(60, width() / 4)));
    Refill();
}

void WaypointListDialog::Refill()
{
    WaypointManagerList::Query q;
    q.mode = WaypointManagerList::kAll;
    q.here = here_;
    q.only = only_;
    q.filterOn = true;
    q.text = search_->text().toStdString();
    const int chosen = Chosen();
    list_->Refresh(q);
    if (chosen > 0)
        list_->SelectSerial(chosen);
    if (list_->SelectedSerials().empty() && list_->List().Count() > 0)
        list_->SelectSerial(list_->List().Rows().front().serial);
}

int WaypointListDialog::Chosen() const
{
    const std::vector<int> serials = list_->SelectedSerials();
    return serials.empty() ? 0 : serials.front();
}

} // namespace hw
