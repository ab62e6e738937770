#include "instruments/SatelliteSnapshot.h"

#include "gps/GpsFix.h"

#include <algorithm>

namespace hw {

SatelliteSnapshot SatelliteSnapshot::Take(const GpsFix& fix)
{
    SatelliteSnapshot s;
    s.inView = std::max<int>(0, fix.satellitesInView);
    const int live = std::min(s.inView, kMaxSatellites);
    for (int i = 0; i < live; ++i) {
        const SatelliteInfo& in = fix.satellites[i];
        s.entries[static_cast<std::size_t>(i)] = {in.prn, in.snr, in.used != 0, in.azimuth,
                                                  in.elevation};
    }
    return s;
}

} // namespace hw
