#include "widgets/PopupMenu.h"

#include "base/CommandTarget.h"

#include <QMenu>

#include <memory>

namespace hw {

QMenu* BuildPopupMenu(const std::vector<MenuEntry>& entries, CommandTarget& target, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    for (const MenuEntry& entry : entries) {
        if (entry.IsSeparator()) {
            menu->addSeparator();
        } else if (entry.IsSubmenu()) {
            QMenu* sub = BuildPopupMenu(entry.children, target, menu);
            sub->setTitle(QString::fromUtf8(entry.text));
            menu->addMenu(sub);
        } else {
            QAction* action = menu->addAction(QString::fromUtf8(entry.text));
            action->setData(entry.id);
            CommandStatus status;
            const bool known = target.QueryCommand(entry.id, status);
            action->setEnabled(!known || status.enabled);
            if (known && status.checked) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            QObject::connect(action, &QAction::triggered, menu,
                             [&target, id = entry.id] { target.HandleCommand(id); });
        }
    }
    return menu;
}

void ExecPopupMenu(QMenu* menu, const QPoint& globalPos)
{
    std::unique_ptr<QMenu> owned(menu);
    owned->exec(globalPos);
}

void TrackPopupMenu(const std::vector<MenuEntry>& entries, CommandTarget& target, QWidget* parent,
                    const QPoint& globalPos)
{
    ExecPopupMenu(BuildPopupMenu(entries, target, parent), globalPos);
}

} // namespace hw
