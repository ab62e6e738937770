#pragma once

#include "waypoints/WaypointManagerColumns.h"

#include <QDialog>

class QListWidget;

namespace hw {

// "排列栏": the six column slots in order, each ticked when shown, moved up
// and down with "向上移动" and "向下移动".
class ArrangeColumnsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ArrangeColumnsDialog(const WaypointManagerColumns& columns, QWidget* parent = nullptr);
    // The order and ticks chosen.
    WaypointManagerColumns Result() const;
    QListWidget* Slots() const { return list_; }
    void MoveUp();
    void MoveDown();

private:
    void Fill();
    void Move(bool up);

    WaypointManagerColumns columns_;
    QListWidget* list_;
};

} // namespace hw
