#include "course/Tobler.h"

#include <algorithm>
#include <cmath>

namespace hw {

double ToblerSpeedKmh(double slope)
{
    return 6.0 * std::exp(-3.5 * std::fabs(slope + 0.05));
}

double ToblerSeconds(double horizontalMetres, double climbMetres)
{
    if (!(horizontalMetres > 0))
        return 0;
    double slope = std::isfinite(climbMetres) ? climbMetres / horizontalMetres : 0.0;
    return horizontalMetres / 1000.0 / ToblerSpeedKmh(slope) * 3600.0;
}

std::vector<double> ToblerCumulativeSeconds(const std::vector<double>& distanceM,
                                            const std::vector<double>& heightM)
{
    const size_t n = distanceM.size();
    std::vector<double> t(n, 0.0);
    size_t anchor = 0;
    for (size_t i = 1; i < n; ++i) {
        double run = distanceM[i] - distanceM[anchor];
        if (run < kToblerMinRunM && i + 1 < n)
            continue;
        double climb = heightM[i] - heightM[anchor];
        double slope = run > 0 && std::isfinite(climb) ? std::clamp(climb / run, -1.0, 1.0) : 0.0;
        double secondsPerMetre = 3.6 / ToblerSpeedKmh(slope);
        for (size_t j = anchor + 1; j <= i; ++j)
            t[j] = t[j - 1] + (distanceM[j] - distanceM[j - 1]) * secondsPerMetre;
        anchor = i;
    }
    return t;
}

} // namespace hw
