#pragma once

#include "base/MenuEntry.h"

#include <QPoint>

#include <vector>

class QMenu;
class QWidget;

namespace hw {

class CommandTarget;

// Builds a pop-up menu from its entries; each item's check mark and enabled
// state come from the target's QueryCommand, and a chosen item's command
// goes to its HandleCommand. With a context, the texts are translated in it
// (the tables mark them with HW_TRANSLATE_NOOP). The caller owns the menu.
QMenu* BuildPopupMenu(const std::vector<MenuEntry>& entries, CommandTarget& target, QWidget* parent,
                      const char* context = nullptr);
// Opens a built menu at a global point, runs the chosen command and deletes
// the menu.
void ExecPopupMenu(QMenu* menu, const QPoint& globalPos);
// Builds the menu, opens it at a global point and runs the chosen command.
void TrackPopupMenu(const std::vector<MenuEntry>& entries, CommandTarget& target, QWidget* parent,
                    const QPoint& globalPos, const char* context = nullptr);

} // namespace hw
