#include "widgets/PopupMenu.h"

#include "base/CommandTarget.h"

#include <QCoreApplication>
#include <QMenu>

#include <memory>

namespace hw {

namespace {

QString EntryText(const MenuEntry& entry, const char* context)
{
    return context != nullptr ? QCoreApplication::translate(context, entry.text)
                              : QString::fromUtf8(entry.text);
}

} // namespace

QMenu* BuildPopupMenu(const std::vector<MenuEntry>& entries, CommandTarget& target, QWidget* parent,
                      const char* context)
{
    auto* menu = new QMenu(parent);
    for (const MenuEntry& entry : entries) {
        if (entry.IsSeparator()) {
            menu->addSeparator();
        } else if (entry.IsSubmenu()) {
            QMenu* sub = BuildPopupMenu(entry.children, target, menu, context);
            sub->setTitle(EntryText(entry, context));
            menu->addMenu(sub);
        } else {
            QAction* action = menu->addAction(EntryText(entry, context));
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
                    const QPoint& globalPos, const char* context)
{
    ExecPopupMenu(BuildPopupMenu(entries, target, parent, context), globalPos);
}

} // namespace hw
