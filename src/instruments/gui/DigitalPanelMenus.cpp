#include "instruments/gui/DigitalPanelMenus.h"

#include <QCoreApplication>

namespace hw {

const std::vector<MenuEntry>& DigitalPanelPopup()
{
    static const std::vector<MenuEntry> menu{
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "更改此窗格(&C)..."),
         panel_cmd::kChangeThisPane,
         {}},
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "屏幕配置(&S)"),
         0,
         {{QT_TRANSLATE_NOOP("DigitalPanelMenus", "1 栏"),
           0,
           {{"1X1", 1000, {}}, {"1X2", 1001, {}}, {"1X3", 1002, {}}, {"1X4", 1003, {}}}},
          {QT_TRANSLATE_NOOP("DigitalPanelMenus", "2 栏"),
           0,
           {{"2X2", 1004, {}},
            {"2X3", 1005, {}},
            {"2X4", 1006, {}},
            {"2X5", 1007, {}},
            {"2X6", 1008, {}}}},
          {QT_TRANSLATE_NOOP("DigitalPanelMenus", "3 栏"),
           0,
           {{"3X3", 1009, {}}, {"3X4", 1010, {}}, {"3X5", 1011, {}}, {"3X6", 1012, {}}}},
          {QT_TRANSLATE_NOOP("DigitalPanelMenus", "4 栏"),
           0,
           {{"4X3", 1013, {}}, {"4X4", 1014, {}}, {"4X5", 1015, {}}}}}},
        {},
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "重置旅行数据(&R)"), panel_cmd::kResetTrip, {}},
    };
    return menu;
}

const std::vector<MenuEntry>& NavWndPopup()
{
    static const std::vector<MenuEntry> menu{
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "改变此窗格.."), panel_cmd::kNavChangePane, {}},
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "隐藏窗口(&H)"), panel_cmd::kNavHide, {}},
        {},
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "重置旅行数据(&R)"), panel_cmd::kResetTrip, {}},
    };
    return menu;
}

const std::vector<MenuEntry>& PanelDigitalPanelPopup()
{
    static const std::vector<MenuEntry> menu{
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "改变此窗格(&C)..."),
         panel_cmd::kPanelChangePane,
         {}},
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "显示导航窗口"), panel_cmd::kPanelShowNav, {}},
        {},
        {QT_TRANSLATE_NOOP("DigitalPanelMenus", "重置旅行数据(&R)"), panel_cmd::kResetTrip, {}},
    };
    return menu;
}

} // namespace hw
