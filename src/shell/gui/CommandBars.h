#pragma once

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;

namespace hw {

struct CommandStatus;
struct MenuEntry;

// The main frame's two command bars over one set of menus and actions: the
// menu bar (the main menu only) and the menu-and-icons bar (the main menu
// and three buttons). Only one shows at a time.
class CommandBars : public QObject {
    Q_OBJECT
public:
    using Run = std::function<void(int id)>;
    using Query = std::function<bool(int id, CommandStatus& status)>;

    CommandBars(QMainWindow& frame, Run run, Query query);

    void ShowMenuAndIcons(bool menuAndIcons);
    bool MenuAndIconsShown() const;
    QMenuBar* MenuBar() const { return menuBar_; }
    QToolBar* MenuAndIconsBar() const { return iconsBar_; }
    QAction* Action(int id) const;
    // Brings the check marks and enabled states of a menu, and of its
    // submenus, up to date; a command no one carries is disabled.
    void UpdateMenu(QMenu* menu);
    // The same for the bar's buttons.
    void UpdateButtons();

private:
    QMenu* BuildMenu(const MenuEntry& entry, QWidget* parent);
    void Update(QAction* action);

    QMainWindow& frame_;
    Run run_;
    Query query_;
    QMenuBar* menuBar_;
    QToolBar* iconsBar_;
    std::map<int, QAction*> actions_;
    std::map<int, QAction*> buttons_;
};

} // namespace hw
