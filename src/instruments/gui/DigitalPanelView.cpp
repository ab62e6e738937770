#include "instruments/gui/DigitalPanelView.h"

#include "instruments/gui/DigitalPanelMenus.h"

namespace hw {

DigitalPanelView::DigitalPanelView(const PanelSources& sources, TripComputer& trip,
                                   SettingsStore& settings, QWidget* parent)
    : QWidget(parent), trip_(trip)
{
    grid_ = new DigitalPanelGrid(sources, settings, QString(), this);
    grid_->setObjectName(QStringLiteral("DigitalPanelGrid"));
    grid_->SetContextMenu(175, &DigitalPanelPopup(), this);
    selectionTimer_.setSingleShot(true);
    connect(&selectionTimer_, &QTimer::timeout, this,
            [this] { grid_->SetSelectionMode(false, true); });
}

void DigitalPanelView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    grid_->setGeometry(rect());
}

bool DigitalPanelView::HandleCommand(int id)
{
    int rows = 0, columns = 0;
    if (DigitalPanelLayout::LayoutOfCommand(id, rows, columns)) {
        grid_->SetLayout(rows, columns, true);
        return true;
    }
    if (id == panel_cmd::kChangeThisPane) {
        grid_->ChangePane(grid_->PressedCell());
        return true;
    }
    if (id == panel_cmd::kResetTrip) {
        trip_.Reset();
        grid_->update();
        return true;
    }
    return false;
}

bool DigitalPanelView::QueryCommand(int id, CommandStatus& status) const
{
    int rows = 0, columns = 0;
    if (DigitalPanelLayout::LayoutOfCommand(id, rows, columns)) {
        const DigitalPanelLayout& l = grid_->Layout();
        status = {true, l.Rows() == rows && l.Columns() == columns};
        return true;
    }
    return false;
}

bool DigitalPanelView::HandlePageKey(NavKey key)
{
    if (!grid_->SelectionMode()) {
        if (key != NavKey::Enter)
            return false;
        grid_->SetSelectionMode(true, true);
        selectionTimer_.start(kSelectionMs);
        return true;
    }
    using Move = DigitalPanelLayout::Move;
    switch (key) {
    case NavKey::Left: grid_->MoveSelection(Move::Left); break;
    case NavKey::Right: grid_->MoveSelection(Move::Right); break;
    case NavKey::Up: grid_->MoveSelection(Move::Up); break;
    case NavKey::Down: grid_->MoveSelection(Move::Down); break;
    default: return true;
    }
    selectionTimer_.start(kSelectionMs);
    return true;
}

} // namespace hw
