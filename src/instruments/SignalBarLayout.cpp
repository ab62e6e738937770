#include "instruments/SignalBarLayout.h"

#include <algorithm>
#include <cmath>

namespace hw {

int SignalBarLayout::SlotCount(const SatelliteSnapshot& satellites)
{
    const int inView = std::clamp(satellites.inView, 0, SatelliteSnapshot::kMaxSatellites);
    return inView == 0 ? 12 : inView;
}

int SignalBarLayout::FontHeight(int areaWidth, int slots)
{
    const int height = static_cast<int>(std::lround(0.04 * areaWidth));
    if (slots <= 12)
        return height;
    // A digit is about half as wide as the font is high.
    const int fitting = static_cast<int>(areaWidth / static_cast<double>(slots) / 1.8);
    return std::max(1, std::min(height, fitting));
}

int SignalBarLayout::BarHeight(int snr, int areaHeight)
{
    if (snr <= 5 || areaHeight <= 0)
        return 0;
    const int h = static_cast<int>(std::trunc((snr - 5) * (areaHeight / 45.0)));
    return std::min(h, areaHeight);
}

namespace {

// Whether two neighbouring labels, centred at their x, would touch.
bool Touch(int centreA, int widthA, int centreB, int widthB)
{
    return centreA + (widthA + 1) / 2 + 1 >= centreB - widthB / 2;
}

// The middle of slot i's frame.
int CentreOf(const ScreenRect& area, int i, double pitch)
{
    const int left = area.left + static_cast<int>(std::trunc(i * pitch)) + 1;
    const int width = static_cast<int>(std::lround(pitch));
    return (left + left + width - 2) / 2;
}

} // namespace

SignalBarLayout::SignalBarLayout(const ScreenRect& area, int textHeight,
                                 const SatelliteSnapshot& satellites, const LabelWidth& labelWidth)
    : textHeight_(textHeight)
{
    const int inView = std::clamp(satellites.inView, 0, SatelliteSnapshot::kMaxSatellites);
    const int n = SlotCount(satellites);
    // Labels that would run together take two rows.
    bool twoRows = false;
    const double slotPitch = static_cast<double>(area.Width()) / n;
    if (labelWidth && inView > 0) {
        for (int i = 0; i < n; ++i) {
            const SkySatellite& sat = satellites.entries[static_cast<std::size_t>(i)];
            labelWidths_.push_back(sat.prn != 0 ? labelWidth(satellites.Label(sat)) : 0);
        }
        for (int i = 1; i < n && !twoRows; ++i) {
            const int a = CentreOf(area, i - 1, slotPitch);
            const int b = CentreOf(area, i, slotPitch);
            twoRows = labelWidths_[static_cast<size_t>(i - 1)] > 0 &&
                      labelWidths_[static_cast<size_t>(i)] > 0 &&
                      Touch(a, labelWidths_[static_cast<size_t>(i - 1)], b,
                            labelWidths_[static_cast<size_t>(i)]);
        }
    }
    areaTop_ = area.top + 3;
    areaBottom_ = std::max(areaTop_, area.bottom - textHeight * (twoRows ? 2 : 1));
    const double w = static_cast<double>(area.Width()) / n;
    const int slotWidth = static_cast<int>(std::lround(w));
    for (int i = 0; i < n; ++i) {
        Slot slot;
        const int left = area.left + static_cast<int>(std::trunc(i * w)) + 1;
        slot.frame = {left, areaTop_, left + slotWidth - 2, areaBottom_};
        slot.centreX = (slot.frame.left + slot.frame.right) / 2;
        slot.labelRow = twoRows ? i % 2 : 0;
        if (inView > 0) {
            const SkySatellite& sat = satellites.entries[static_cast<std::size_t>(i)];
            slot.prn = sat.prn;
            if (sat.prn != 0)
                slot.label = satellites.Label(sat);
            slot.snr = sat.snr;
            slot.used = sat.used;
            const int height = BarHeight(sat.snr, areaBottom_ - areaTop_);
            if (sat.prn != 0 && height > 0) {
                slot.hasBar = true;
                const int top = std::clamp(areaBottom_ - height, areaTop_, areaBottom_);
                slot.bar = {slot.frame.left, top, slot.frame.right, areaBottom_};
                slot.snrFits = textHeight + top + 1 < areaBottom_;
            }
        }
        slots_.push_back(slot);
    }
}

ScreenRect SignalBarLayout::LabelBox(const Slot& slot) const
{
    const size_t i = static_cast<size_t>(&slot - slots_.data());
    const int w = i < labelWidths_.size() ? labelWidths_[i] : 0;
    const int top = areaBottom_ + slot.labelRow * textHeight_;
    return {slot.centreX - w / 2, top, slot.centreX - w / 2 + w, top + textHeight_};
}

} // namespace hw
