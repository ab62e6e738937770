#include "instruments/gui/GaugePanelMenu.h"

#include "instruments/gui/DigitalPanelMenus.h"

namespace hw {

const std::vector<MenuEntry>& GaugePanelPopup()
{
    using namespace gauge_cmd;
    static const std::vector<MenuEntry> menu{
        {"循环显示仪表", kCycle, {}},
        {},
        {"高度表", kAltimeter, {}},
        {"罗盘", kCompass, {}},
        {"速度", kSpeedometer, {}},
        {"垂直速度", kVerticalSpeed, {}},
        {},
        {"设置仪表(&S)", 0, {{"速度(&S)", kSpeedSettings, {}}}},
        {"启用平滑模式", kSmoothing, {}},
        {"显示导航窗口", panel_cmd::kPanelShowNav, {}},
    };
    return menu;
}

} // namespace hw
