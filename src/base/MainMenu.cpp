#include "base/MainMenu.h"

#include "base/CommandIds.h"
#include "base/Translate.h"

namespace hw {
namespace {

// The texts are in the interface language from the first use on.
MenuEntry Item(const char* text, int id)
{
    return {TranslateStable("MainMenu", text), id, {}};
}
MenuEntry Sub(const char* text, std::vector<MenuEntry> children)
{
    return {TranslateStable("MainMenu", text), 0, std::move(children)};
}
MenuEntry Separator()
{
    return {};
}

std::vector<MenuEntry> Build()
{
    using namespace cmd;
    return {
        Sub(HW_TRANSLATE_NOOP("MainMenu", "工具(&T)"),
            {
                Sub(HW_TRANSLATE_NOOP("MainMenu", "配置(&C)"),
                    {Item(HW_TRANSLATE_NOOP("MainMenu", "地图属性(&M)..."), kMapProperties),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "导入路点设置..."), kImportSettings),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "单位(&U)"), kUnits),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "杂项设置..."), kMiscSettings)}),
                Sub("GPS",
                    {Item(HW_TRANSLATE_NOOP("MainMenu", "设置串口 (通讯端口)"),
                          kSerialPortSettings),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "回放记录的 NMEA 文件"), kReplayNmea),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "连接 GPS"), kConnectGps),
                     Sub(HW_TRANSLATE_NOOP("MainMenu", "记录 NMEA 日志(&R)"),
                         {Item(HW_TRANSLATE_NOOP("MainMenu", "开始(&S)"), kStartNmeaLog),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "停止(&T)"), kStopNmeaLog)}),
                     Sub(HW_TRANSLATE_NOOP("MainMenu", "GPS接收机细节"),
                         {Item(HW_TRANSLATE_NOOP("MainMenu", "设置 SiRF NMEA 输出"),
                               kSirfNmeaOutput),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "设置 SiRF 参数..."),
                               kSirfParameters)}),
                     Separator(),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "自动检测 GPS..."), kAutoDetectGps)}),
                Sub(HW_TRANSLATE_NOOP("MainMenu", "轨迹"),
                    {Sub(HW_TRANSLATE_NOOP("MainMenu", "导出轨迹"),
                         {Item(HW_TRANSLATE_NOOP("MainMenu", "导出为 CSV 文件..."),
                               kExportTrackCsv),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "导出为 KML 文件..."),
                               kExportTrackKml),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "导出为 GPX 文件..."),
                               kExportTrackGpx)}),
                     Sub(HW_TRANSLATE_NOOP("MainMenu", "轨迹文件"),
                         {Item(HW_TRANSLATE_NOOP("MainMenu", "新建..."), kNewTrackFile),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "打开..."), kOpenTrackFile)}),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "清除当前轨迹(&E)"), kClearTrack)}),
                Sub(HW_TRANSLATE_NOOP("MainMenu", "视图(&V)"),
                    {Item(HW_TRANSLATE_NOOP("MainMenu", "标签窗口"), kTabWindows),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "按钮和菜单"), kButtonsAndMenus),
                     Sub(HW_TRANSLATE_NOOP("MainMenu", "主题颜色"),
                         {Item(HW_TRANSLATE_NOOP("MainMenu", "系统颜色"), kThemeSystem),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "系统颜色 - 2"), kThemeSystem2),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "夜晚"), kThemeNight),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "午夜蓝"), kThemeMidnightBlue),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "默认"), kThemeDefault)})}),
                Separator(),
                Item(HW_TRANSLATE_NOOP("MainMenu", "帮助"), kHelp),
                Item(HW_TRANSLATE_NOOP("MainMenu", "关于 Hikewise(&A)..."), kAbout),
                Separator(),
                Item(HW_TRANSLATE_NOOP("MainMenu", "退出程序(&X)"), kExit),
            }),
        Sub(HW_TRANSLATE_NOOP("MainMenu", "路点(&W)"),
            {
                Item(HW_TRANSLATE_NOOP("MainMenu", "前往路点..."), kGotoWaypoint),
                Item(HW_TRANSLATE_NOOP("MainMenu", "取消前往(&C)"), kCancelGoto),
                Separator(),
                Item(HW_TRANSLATE_NOOP("MainMenu", "在当前位置标记路点(&M)"), kMarkWaypoint),
                Item(HW_TRANSLATE_NOOP("MainMenu", "新建路点..."), kNewWaypoint),
                Sub(HW_TRANSLATE_NOOP("MainMenu", "路点平均"),
                    {Item(HW_TRANSLATE_NOOP("MainMenu", "开始"), kAverageStart),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "停止／完成"), kAverageStop),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "取消"), kAverageCancel)}),
                Item(HW_TRANSLATE_NOOP("MainMenu", "编辑路点..."), kEditWaypoint),
                Item(HW_TRANSLATE_NOOP("MainMenu", "删除路点..."), kDeleteWaypoint),
                Item(HW_TRANSLATE_NOOP("MainMenu", "在地图上显示路点..."), kShowWaypointOnMap),
                Separator(),
                Item(HW_TRANSLATE_NOOP("MainMenu", "路点管理..."), kWaypointManager),
                Sub(HW_TRANSLATE_NOOP("MainMenu", "文件操作"),
                    {Item(HW_TRANSLATE_NOOP("MainMenu", "导出路点..."), kExportWaypoints),
                     Item(HW_TRANSLATE_NOOP("MainMenu", "导入路点..."), kImportWaypoints),
                     Sub("Geocaching",
                         {Item(HW_TRANSLATE_NOOP("MainMenu", "导出 geocache_visits.txt..."),
                               kExportGeocacheVisits)}),
                     Sub(HW_TRANSLATE_NOOP("MainMenu", "路点数据库"),
                         {Item(HW_TRANSLATE_NOOP("MainMenu", "打开..."), kOpenWaypointDatabase),
                          Item(HW_TRANSLATE_NOOP("MainMenu", "新建..."), kNewWaypointDatabase)})}),
            }),
        Sub(HW_TRANSLATE_NOOP("MainMenu", "路线"),
            {
                Item(HW_TRANSLATE_NOOP("MainMenu", "打开路线..."), kOpenCourse),
                Item(HW_TRANSLATE_NOOP("MainMenu", "路线管理..."), kCourseManager),
                Separator(),
                Item(HW_TRANSLATE_NOOP("MainMenu", "跟随路线"), kFollowCourse),
                Item(HW_TRANSLATE_NOOP("MainMenu", "反向跟随"), kFollowCourseReversed),
                Item(HW_TRANSLATE_NOOP("MainMenu", "停止跟随"), kStopFollowing),
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
