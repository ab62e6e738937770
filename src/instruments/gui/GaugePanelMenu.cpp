#include "instruments/gui/GaugePanelMenu.h"

#include "instruments/gui/DigitalPanelMenus.h"

#include <QCoreApplication>

namespace hw {

const std::vector<MenuEntry>& GaugePanelPopup()
{
    using namespace gauge_cmd;
    static const std::vector<MenuEntry> menu{
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "循环显示仪表"), kCycle, {}},
        {},
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "高度表"), kAltimeter, {}},
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "罗盘"), kCompass, {}},
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "速度"), kSpeedometer, {}},
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "垂直速度"), kVerticalSpeed, {}},
        {},
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "设置仪表(&S)"),
         0,
         {{QT_TRANSLATE_NOOP("GaugePanelMenu", "速度(&S)"), kSpeedSettings, {}}}},
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "启用平滑模式"), kSmoothing, {}},
        {QT_TRANSLATE_NOOP("GaugePanelMenu", "显示导航窗口"), panel_cmd::kPanelShowNav, {}},
    };
    return menu;
}

} // namespace hw
