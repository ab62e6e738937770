#pragma once

class QMenu;
class QWidget;

namespace hw {

class CommandTarget;

// The map's pop-up menu (IDR_MAP_POPUP): each item offered to the target,
// enabled and checked as the target says, carried out by it when chosen.
class MapPopupMenu {
public:
    static QMenu* Build(CommandTarget& target, QWidget* parent);
};

} // namespace hw
