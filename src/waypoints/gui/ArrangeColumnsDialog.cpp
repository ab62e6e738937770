#include "waypoints/gui/ArrangeColumnsDialog.h"

#include "widgets/DialogButtons.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace hw {

ArrangeColumnsDialog::ArrangeColumnsDialog(const WaypointManagerColumns& columns, QWidget* parent)
    : QDialog(parent), columns_(columns)
{
    setObjectName(QStringLiteral("ArrangeColumnsDialog"));
    setWindowTitle(tr("排列栏"));
    list_ = new QListWidget(this);
    auto* up = new QPushButton(tr("向上移动"), this);
    auto* down = new QPushButton(tr("向下移动"), this);
    connect(up, &QPushButton::clicked, this, &ArrangeColumnsDialog::MoveUp);
    connect(down, &QPushButton::clicked, this, &ArrangeColumnsDialog::MoveDown);
    auto* moves = new QHBoxLayout;
    moves->addWidget(up);
    moves->addWidget(down);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(moves);
    layout->addWidget(OkCancelButtons(this));
    Fill();
    list_->setCurrentRow(0);
}

void ArrangeColumnsDialog::Fill()
{
    list_->clear();
    for (const WaypointManagerColumns::Slot& slot : columns_.Slots()) {
        auto* item = new QListWidgetItem(
            QString::fromStdString(WaypointManagerColumns::Header(slot.kind)), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(slot.shown ? Qt::Checked : Qt::Unchecked);
    }
}

WaypointManagerColumns ArrangeColumnsDialog::Result() const
{
    WaypointManagerColumns result = columns_;
    for (int i = 0; i < list_->count(); ++i)
        result.SetShown(i, list_->item(i)->checkState() == Qt::Checked);
    return result;
}

void ArrangeColumnsDialog::Move(bool up)
{
    const int row = list_->currentRow();
    columns_ = Result(); // keep the ticks made so far
    const bool moved = up ? columns_.MoveUp(row) : columns_.MoveDown(row);
    if (!moved) {
        QApplication::beep();
        return;
    }
    Fill();
    list_->setCurrentRow(up ? row - 1 : row + 1);
}

void ArrangeColumnsDialog::MoveUp()
{
    Move(true);
}

void ArrangeColumnsDialog::MoveDown()
{
    Move(false);
}

} // namespace hw
