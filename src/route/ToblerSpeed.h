#pragma once

#include <cmath>

namespace hw {

// Tobler's hiking function: the walking speed in km/h on a slope (rise
// over run, uphill positive): 6 km/h on a gentle descent of 5 %, less
// both ways from there.
inline double ToblerSpeedKmh(double slope)
{
    return 6.0 * std::exp(-3.5 * std::fabs(slope + 0.05));
}

// The fastest speed the function gives, for a lower bound of a time.
inline constexpr double kToblerMaxSpeedKmh = 6.0;

// Seconds to walk a stretch of dxKm across the ground rising dhM metres; a
// stretch whose rise is not known (NaN) is flat, one of no length takes none.
inline double ToblerSeconds(double dxKm, double dhM)
{
    if (!(dxKm > 0))
        return 0;
    const double slope = std::isnan(dhM) ? 0.0 : dhM / (dxKm * 1000.0);
    return dxKm / ToblerSpeedKmh(slope) * 3600.0;
}

} // namespace hw
