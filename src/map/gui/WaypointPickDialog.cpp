#include "map/gui/WaypointPickDialog.h"

#include "map/WaypointLayer.h"
#include "map/gui/SymbolStrips.h"
#include "shell/gui/DialogButtons.h"
#include "waypoints/WaypointDatabase.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace hw {

WaypointPickDialog::WaypointPickDialog(const WaypointDatabase& db, const std::vector<int>& only,
                                       const QString& title, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("WaypointPickDialog"));
    setWindowTitle(title);
    list_ = new QListWidget(this);
    std::vector<const Waypoint*> shown;
    db.ForEach([&](const Waypoint& w) {
        if (only.empty() || std::find(only.begin(), only.end(), w.nSerial) != only.end())
            shown.push_back(&w);
    });
    std::sort(shown.begin(), shown.end(),
              [](const Waypoint* a, const Waypoint* b) { return a->strName < b->strName; });
    const int64_t now = QDateTime::currentSecsSinceEpoch();
    for (const Waypoint* w : shown) {
        auto* item = new QListWidgetItem(QString::fromUtf8(w->strName.c_str()), list_);
        QPixmap symbol = SymbolStrips::Shared().Symbol(WaypointLayer::ChooseSymbol(*w, now), false);
        if (!symbol.isNull())
            item->setIcon(QIcon(symbol));
        item->setData(Qt::UserRole, w->nSerial);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(OkCancelButtons(this));
}

int WaypointPickDialog::Chosen() const
{
    QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

} // namespace hw
