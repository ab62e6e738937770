#pragma once

#include "instruments/SatellitePageLayout.h"

#include <string>
#include <vector>

namespace hw {

struct GpsFix;
class SettingsStore;

// One row box of the satellite page's text views.
struct SatelliteViewRow {
    int index = 0; // 0-2, top to bottom
    SatellitePageLayout::Column column = SatellitePageLayout::Column::Full;
    std::string label;
    std::string value;
};

// The rows of view mode 0 (position) or 1 (precision and counts); none for
// the sky plot. Units and position format follow the settings.
std::vector<SatelliteViewRow> SatelliteViewRows(int mode, const GpsFix& fix,
                                                const SettingsStore& settings);

} // namespace hw
