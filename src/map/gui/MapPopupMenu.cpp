#include "map/gui/MapPopupMenu.h"

#include "base/CommandIds.h"
#include "base/CommandTarget.h"
#include "base/StringTable.h"

#include <QCoreApplication>
#include <QMenu>

namespace hw {

// The texts keep the map window's translation context.
QMenu* MapPopupMenu::Build(CommandTarget& target, QWidget* parent)
{
    using namespace cmd;
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("IDR_MAP_POPUP"));
    const auto add = [&target, menu](QMenu* to, int id, const QString& text) {
        QAction* action = to->addAction(text);
        CommandStatus status;
        if (!target.QueryCommand(id, status))
            status.enabled = false; // a command another window carries out
        action->setEnabled(status.enabled);
        if (status.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        action->setData(id);
        const CommandPrompt prompt = LoadCommandPrompt(id);
        action->setStatusTip(QString::fromStdString(prompt.status));
        if (!prompt.tip.empty())
            action->setToolTip(QString::fromStdString(prompt.tip));
        QObject::connect(action, &QAction::triggered, menu,
                         [&target, id] { target.HandleCommand(id); });
    };
    add(menu, kGotoThisWaypoint, QCoreApplication::translate("hw::MapWnd", "前往此路点(&T)..."));
    add(menu, kEditThisWaypoint, QCoreApplication::translate("hw::MapWnd", "编辑此路点(&E)..."));
    add(menu, kDeleteThisWaypoint, QCoreApplication::translate("hw::MapWnd", "删除此路点(&D)..."));
    add(menu, kPlanWaypoint, QCoreApplication::translate("hw::MapWnd", "规划路点..."));
    add(menu, kPlanRouteToWaypoint, QCoreApplication::translate("hw::MapWnd", "规划路线到此路点"));
    add(menu, kFollowThisCourse, QCoreApplication::translate("hw::MapWnd", "跟随此路线(&F)"));
    add(menu, kHideThisCourse, QCoreApplication::translate("hw::MapWnd", "隐藏此路线"));
    QMenu* geocaching = menu->addMenu(QStringLiteral("Geocaching"));
    add(geocaching, kGeocacheFound, QCoreApplication::translate("hw::MapWnd", "已找到"));
    add(geocaching, kGeocacheNotFound, QCoreApplication::translate("hw::MapWnd", "未找到"));
    geocaching->addSeparator();
    add(geocaching, kShowGeocacheInfo,
        QCoreApplication::translate("hw::MapWnd", "显示 Geocache 信息..."));
    menu->addSeparator();
    add(menu, kMarkWaypointHere, QCoreApplication::translate("hw::MapWnd", "在此标记路点(&H)"));
    add(menu, kPlanRouteHere, QCoreApplication::translate("hw::MapWnd", "规划路线到此处(&R)"));
    add(menu, kSaveRoute, QCoreApplication::translate("hw::MapWnd", "保存路线..."));
    menu->addSeparator();
    add(menu, kCentreMapHere, QCoreApplication::translate("hw::MapWnd", "以此居中地图(&C)"));
    add(menu, kSetPositionHere, QCoreApplication::translate("hw::MapWnd", "设置当前位置到此"));
    menu->addSeparator();
    add(menu, kClearTrack, QCoreApplication::translate("hw::MapWnd", "清除当前轨迹(&E)"));
    QMenu* settings = menu->addMenu(QCoreApplication::translate("hw::MapWnd", "地图设定"));
    add(settings, kNorthUp, QCoreApplication::translate("hw::MapWnd", "地图正北"));
    add(settings, kCourseUp, QCoreApplication::translate("hw::MapWnd", "航向在上(&C)"));
    settings->addSeparator();
    add(settings, kMapProperties, QCoreApplication::translate("hw::MapWnd", "地图属性(&M)..."));
    QMenu* zoom = menu->addMenu(QCoreApplication::translate("hw::MapWnd", "缩放"));
    add(zoom, kZoomIn, QCoreApplication::translate("hw::MapWnd", "放大"));
    add(zoom, kZoomOut, QCoreApplication::translate("hw::MapWnd", "缩小"));
    return menu;
}

} // namespace hw
