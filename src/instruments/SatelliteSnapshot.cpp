#include "instruments/SatelliteSnapshot.h"

#include "gps/GpsFix.h"

#include <algorithm>

static_assert(hw::SatelliteSnapshot::kMaxSatellites == hw::GpsFix::kSatelliteSlots);

namespace hw {

SatelliteSnapshot SatelliteSnapshot::Take(const GpsFix& fix)
{
    SatelliteSnapshot s;
    s.inView = std::max<int>(0, fix.satellitesInView);
    const int live = std::min(s.inView, kMaxSatellites);
    GnssSystem first = GnssSystem::Unknown;
    for (int i = 0; i < live; ++i) {
        const SatelliteInfo& in = fix.satellites[i];
        s.entries[static_cast<std::size_t>(i)] = {in.prn,     in.snr,       in.used != 0,
                                                  in.azimuth, in.elevation, in.system};
        if (in.prn == 0)
            continue;
        if (first == GnssSystem::Unknown)
            first = in.system;
        else if (in.system != first)
            s.severalSystems = true;
    }
    return s;
}

std::string SatelliteSnapshot::Label(const SkySatellite& satellite) const
{
    std::string number = std::to_string(satellite.prn);
    if (!severalSystems)
        return number;
    return SystemLetter(satellite.system) + number;
}

} // namespace hw
