#pragma once

#include "base/DrawList.h"

#include <vector>

namespace hw {

// The satellite page's two panels and the row boxes of its text views.
class SatellitePageLayout {
public:
    enum ViewMode { kPosition = 0, kPrecision = 1, kSkyPlot = 2 };
    static constexpr int kViewCount = 3;
    static constexpr int kPanelCorner = 15;
    static constexpr int kRowCorner = 10;

    SatellitePageLayout(int width, int height);

    const ScreenRect& UpperPanel() const { return upper_; }
    const ScreenRect& LowerPanel() const { return lower_; }
    // The signal bars' area: the upper panel shrunk by 3 pixels.
    ScreenRect BarArea() const { return upper_.Grown(-3); }
    // The sky plot's area: the lower panel shrunk by 3 pixels.
    ScreenRect SkyPlotArea() const { return lower_.Grown(-3); }

    // Row `index` (0-2) across the whole panel, or in the left or right column.
    enum class Column { Full, Left, Right };
    ScreenRect Row(int index, Column column = Column::Full) const;
    int RowHeight() const { return lower_.Height() / 4; }
    // Pixel heights of the value and label fonts; the label never falls
    // below `minLabelPixels` (7 points on this screen).
    int ValueFontHeight() const;
    int LabelFontHeight(int minLabelPixels) const;

    static int NextView(int mode) { return (mode + 1) % kViewCount; }
    static int PreviousView(int mode) { return (mode + kViewCount - 1) % kViewCount; }

private:
    ScreenRect upper_;
    ScreenRect lower_;
};

} // namespace hw
