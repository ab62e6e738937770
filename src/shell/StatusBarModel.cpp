#include "shell/StatusBarModel.h"

#include <algorithm>

namespace hw {

void StatusBarModel::OnSentence(int fixQuality, int satellitesUsed, Colour blockColour)
{
    switch (fixQuality) {
    case 0:
        bright_ = 0x8080FF;
        dark_ = 0x000080;
        break;
    case 2:
        bright_ = 0xFF8080;
        dark_ = 0x800000;
        break;
    default:
        bright_ = 0x80FF80;
        dark_ = 0x008000;
        break;
    }
    third_ = 0x808080;
    block_ = blockColour;
    satellites_ = satellitesUsed;
    Flash();
}

StatusBarModel::Layout StatusBarModel::LayOut(int width, int height) const
{
    Layout layout;
    const int leftWidth = width - width / 15;
    layout.blocksArea = {0, 0, leftWidth, height};
    layout.led = {leftWidth, 0, width, height};
    const int count = std::clamp(satellites_, 0, kMaxBlocks);
    const int w = leftWidth / (2 * std::max(count, kFullWidthBlocks));
    for (int i = 0; i < count; ++i)
        layout.blocks.push_back({i * 2 * w, 0, i * 2 * w + w, height});
    return layout;
}

Colour StatusBarModel::LedColour() const
{
    switch (led_) {
    case Led::Bright: return bright_;
    case Led::Third: return third_;
    case Led::Dark: break;
    }
    return dark_;
}

} // namespace hw
