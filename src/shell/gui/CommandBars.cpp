#include "shell/gui/CommandBars.h"

#include "base/CommandIds.h"
#include "base/CommandTarget.h"
#include "base/MainMenu.h"
#include "widgets/AppPaths.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

namespace hw {
namespace {

// The bar's buttons: command, image name, tool tip (the menu text).
struct Button {
    int id;
    const char* image;
};
constexpr Button kButtons[] = {
    {cmd::kMarkWaypoint, "button-mark-waypoint"},
    {cmd::kConnectGps, "button-connect-gps"},
    {cmd::kWaypointManager, "button-waypoint-manager"},
};

// Both densities: Qt takes the 32-pixel image where the device pixel ratio
// is 2 or more, the 16-pixel one elsewhere.
QIcon ButtonIcon(const char* name)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addFile(
            AppPaths::DataFile(
                QStringLiteral("images/%1-%2.png").arg(QString::fromLatin1(name)).arg(size)),
            QSize(size, size));
    return icon;
}

QString MenuTextWithoutMnemonic(const char* text)
{
    QString t = QString::fromUtf8(text);
    t.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return t.remove(QLatin1Char('&'));
}

} // namespace

CommandBars::CommandBars(QMainWindow& frame, Run run, Query query)
    : QObject(&frame), frame_(frame), run_(std::move(run)), query_(std::move(query))
{
    menuBar_ = new QMenuBar(&frame_);
    menuBar_->setObjectName(QStringLiteral("MenuBar"));
    iconsBar_ = new QToolBar(QCoreApplication::translate("hw::CommandBars", "菜单和图标"), &frame_);
    iconsBar_->setObjectName(QStringLiteral("MenuAndIconsBar"));
    iconsBar_->setMovable(false);
    iconsBar_->setFloatable(false);
    iconsBar_->setIconSize(QSize(16, 16));
    iconsBar_->toggleViewAction()->setVisible(false);
    frame_.setContextMenuPolicy(Qt::NoContextMenu);

    for (const MenuEntry& top : MainMenu()) {
        QMenu* menu = BuildMenu(top, &frame_);
        menuBar_->addMenu(menu);
        auto* button = new QToolButton(iconsBar_);
        button->setText(QString::fromUtf8(top.text));
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        iconsBar_->addWidget(button);
    }
    for (const Button& b : kButtons) {
        // A gap before each button.
        auto* gap = new QWidget(iconsBar_);
        gap->setFixedWidth(8);
        iconsBar_->addWidget(gap);
        auto* action = new QAction(ButtonIcon(b.image), QString(), iconsBar_);
        if (const MenuEntry* entry = FindMenuCommand(b.id))
            action->setToolTip(MenuTextWithoutMnemonic(entry->text));
        action->setData(b.id);
        action->setCheckable(b.id == cmd::kConnectGps);
        connect(action, &QAction::triggered, this, [this, id = b.id] { run_(id); });
        iconsBar_->addAction(action);
        buttons_[b.id] = action;
    }
    frame_.setMenuBar(menuBar_);
    frame_.addToolBar(Qt::TopToolBarArea, iconsBar_);
}

QMenu* CommandBars::BuildMenu(const MenuEntry& entry, QWidget* parent)
{
    auto* menu = new QMenu(QString::fromUtf8(entry.text), parent);
    for (const MenuEntry& child : entry.children) {
        if (child.IsSeparator()) {
            menu->addSeparator();
        } else if (child.IsSubmenu()) {
            menu->addMenu(BuildMenu(child, menu));
        } else {
            QAction* action = menu->addAction(QString::fromUtf8(child.text));
            action->setData(child.id);
            connect(action, &QAction::triggered, this, [this, id = child.id] { run_(id); });
            actions_[child.id] = action;
        }
    }
    // Check marks and enabled states are brought up to date as it opens.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    return menu;
}

QAction* CommandBars::Action(int id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CommandBars::Update(QAction* action)
{
    CommandStatus status;
    const bool carried = query_(action->data().toInt(), status);
    action->setEnabled(carried && status.enabled);
    // A command that carries a check mark once keeps room for it.
    if (carried && status.checked)
        action->setCheckable(true);
    action->setChecked(carried && status.checked);
}

void CommandBars::UpdateMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            UpdateMenu(sub);
        else if (!action->isSeparator())
            Update(action);
    }
}

void CommandBars::UpdateButtons()
{
    for (const auto& [id, action] : buttons_) {
        CommandStatus status;
        const bool carried = query_(id, status);
        action->setEnabled(carried && status.enabled);
        action->setChecked(carried && status.checked);
    }
}

void CommandBars::ShowMenuAndIcons(bool menuAndIcons)
{
    iconsBar_->setVisible(menuAndIcons);
    menuBar_->setVisible(!menuAndIcons);
}

bool CommandBars::MenuAndIconsShown() const
{
    return !iconsBar_->isHidden();
}

} // namespace hw
