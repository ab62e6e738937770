#include "instruments/SatellitePageLayout.h"

#include <algorithm>
#include <cmath>

namespace hw {

SatellitePageLayout::SatellitePageLayout(int width, int height)
{
    upper_ = {0, 0, width, height / 3};
    lower_ = {0, height / 3, width, height};
}

ScreenRect SatellitePageLayout::Row(int index, Column column) const
{
    const int panelHeight = lower_.Height();
    ScreenRect row;
    row.left = lower_.left + 5;
    row.right = lower_.right - 5;
    row.top = lower_.top + 5 + index * (panelHeight / 3);
    row.bottom = row.top + panelHeight / 4;
    const int middle = (lower_.left + lower_.right) / 2;
    if (column == Column::Left)
        row.right = middle - 2;
    else if (column == Column::Right)
        row.left = middle + 2;
    return row;
}

int SatellitePageLayout::ValueFontHeight() const
{
    return static_cast<int>(std::lround(0.6 * RowHeight()));
}

int SatellitePageLayout::LabelFontHeight(int minLabelPixels) const
{
    return std::max(static_cast<int>(std::lround(0.3 * RowHeight())), minLabelPixels);
}

} // namespace hw
