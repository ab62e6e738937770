#include "instruments/SkyPlotGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hw {

SkyPlotGeometry::SkyPlotGeometry(const ScreenRect& area)
{
    const int w = std::max(0, area.Width());
    const int h = std::max(0, area.Height());
    side_ = std::min(w, h);
    const int left = area.left + (w - side_) / 2;
    const int top = area.top + (h - side_) / 2;
    square_ = {left, top, left + side_, top + side_};
    cx_ = static_cast<int>(left + side_ / 2.0 + 0.5);
    cy_ = static_cast<int>(top + side_ / 2.0 + 0.5);
    k_ = (side_ / 2.0) / 90.0;
}

ScreenPoint SkyPlotGeometry::Point(double azimuth, double elevation) const
{
    const double a = azimuth * std::numbers::pi / 180.0;
    const double r = (90.0 - elevation) * k_;
    return {cx_ + static_cast<int>(std::trunc(r * std::sin(a))),
            cy_ + static_cast<int>(std::trunc(r * -std::cos(a)))};
}

int SkyPlotGeometry::RingRadius(double elevation) const
{
    return static_cast<int>(std::trunc((90.0 - elevation) * k_));
}

int SkyPlotGeometry::LabelHeight() const
{
    return static_cast<int>(std::lround(0.08 * side_));
}

SkyPlotGeometry::Label SkyPlotGeometry::CompassLabel(int index) const
{
    switch (index) {
    case 0: return {"N", Point(0, 2), Anchor::TopCentre};
    case 1: return {"E", Point(90, 2), Anchor::RightMiddle};
    case 2: return {"S", Point(180, 2), Anchor::BottomCentre};
    default: return {"W", Point(270, 2), Anchor::LeftMiddle};
    }
}

} // namespace hw
