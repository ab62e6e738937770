#include "shell/MainMenu.h"

#include "shell/CommandIds.h"

namespace hw {
namespace {

MenuEntry Item(const char* text, int id)
{
    return {text, id, {}};
}
MenuEntry Sub(const char* text, std::vector<MenuEntry> children)
{
    return {text, 0, std::move(children)};
}
MenuEntry Separator()
{
    return {};
}

std::vector<MenuEntry> Build()
{
    using namespace cmd;
    return {
        Sub("工具(&T)",
            {
                Sub("配置(&C)", {Item("地图属性(&M)...", kMapProperties),
                                 Item("导入路点设置...", kImportSettings), Item("单位(&U)", kUnits),
                                 Item("杂项设置...", kMiscSettings)}),
                Sub("GPS",
                    {Item("设置串口 (通讯端口)", kSerialPortSettings),
                     Item("回放记录的 NMEA 文件", kReplayNmea), Item("连接 GPS", kConnectGps),
                     Sub("记录 NMEA 日志(&R)",
                         {Item("开始(&S)", kStartNmeaLog), Item("停止(&T)", kStopNmeaLog)}),
                     Sub("GPS接收机细节", {Item("设置 SiRF NMEA 输出", kSirfNmeaOutput),
                                           Item("设置 SiRF 参数...", kSirfParameters)}),
                     Separator(), Item("自动检测 GPS...", kAutoDetectGps)}),
                Sub("轨迹", {Sub("导出轨迹", {Item("导出为 CSV 文件...", kExportTrackCsv),
                                              Item("导出为 KML 文件...", kExportTrackKml),
                                              Item("导出为 GPX 文件...", kExportTrackGpx)}),
                             Sub("轨迹文件",
                                 {Item("新建...", kNewTrackFile), Item("打开...", kOpenTrackFile)}),
                             Item("清除当前轨迹(&E)", kClearTrack)}),
                Sub("视图(&V)",
                    {Item("标签窗口", kTabWindows), Item("按钮和菜单", kButtonsAndMenus),
                     Sub("主题颜色",
                         {Item("系统颜色", kThemeSystem), Item("系统颜色 - 2", kThemeSystem2),
                          Item("夜晚", kThemeNight), Item("午夜蓝", kThemeMidnightBlue),
                          Item("默认", kThemeDefault)})}),
                Separator(),
                Item("帮助", kHelp),
                Item("关于 Hikewise(&A)...", kAbout),
                Separator(),
                Item("退出程序(&X)", kExit),
            }),
        Sub("路点(&W)",
            {
                Item("前往路点...", kGotoWaypoint),
                Item("取消前往(&C)", kCancelGoto),
                Separator(),
                Item("在当前位置标记路点(&M)", kMarkWaypoint),
                Item("新建路点...", kNewWaypoint),
                Sub("路点平均", {Item("开始", kAverageStart), Item("停止／完成", kAverageStop),
                                 Item("取消", kAverageCancel)}),
                Item("编辑路点...", kEditWaypoint),
                Item("删除路点...", kDeleteWaypoint),
                Item("在地图上显示路点...", kShowWaypointOnMap),
                Separator(),
                Item("路点管理...", kWaypointManager),
                Sub("文件操作",
                    {Item("导出路点...", kExportWaypoints), Item("导入路点...", kImportWaypoints),
                     Sub("Geocaching",
                         {Item("导出 geocache_visits.txt...", kExportGeocacheVisits)}),
                     Sub("路点数据库", {Item("打开...", kOpenWaypointDatabase),
                                        Item("新建...", kNewWaypointDatabase)})}),
            }),
    };
}

const MenuEntry* Find(const std::vector<MenuEntry>& entries, int id)
{
    for (const MenuEntry& e : entries) {
        if (e.id == id && id != 0)
            return &e;
        if (const MenuEntry* found = Find(e.children, id))
            return found;
    }
    return nullptr;
}

} // namespace

const std::vector<MenuEntry>& MainMenu()
{
    static const std::vector<MenuEntry> menu = Build();
    return menu;
}

const MenuEntry* FindMenuCommand(int id)
{
    return Find(MainMenu(), id);
}

} // namespace hw
