#include "instruments/SatelliteViewRows.h"

#include "base/StringTable.h"
#include "gps/GpsFix.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"

namespace hw {

std::vector<SatelliteViewRow> SatelliteViewRows(int mode, const GpsFix& fix,
                                                const SettingsStore& settings)
{
    using Column = SatellitePageLayout::Column;
    std::vector<SatelliteViewRow> rows;
    if (mode == SatellitePageLayout::kPosition) {
        const PositionFormatter position(settings);
        const UnitFormatter units(settings);
        rows.push_back({0, Column::Full, LoadString(223), position.LatitudeText(fix.ggaLatitude)});
        rows.push_back(
            {1, Column::Full, LoadString(226), position.LongitudeText(fix.ggaLongitude)});
        rows.push_back({2, Column::Full, LoadString(189),
                        FormatString("%.01f %s", units.AltitudeFromMetres(fix.altitude),
                                     units.AltitudeUnitLabel().c_str())});
    } else if (mode == SatellitePageLayout::kPrecision) {
        rows.push_back({0, Column::Left, LoadString(221), FormatString("%.01f", fix.gsaHdop)});
        rows.push_back({1, Column::Left, LoadString(250), FormatString("%.01f", fix.vdop)});
        rows.push_back({2, Column::Left, LoadString(237), FormatString("%.01f", fix.pdop)});
        rows.push_back(
            {0, Column::Right, LoadString(244), FormatString("%d", fix.SatellitesUsedAll())});
        rows.push_back({1, Column::Right, LoadString(243),
                        FormatString("%d", static_cast<int>(fix.satellitesInView))});
    }
    return rows;
}

} // namespace hw
