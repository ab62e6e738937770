#pragma once

#include <vector>

namespace hw {

// Tobler's hiking function: the walking speed in km/h on a slope (the rise
// over the horizontal run, positive uphill), 6 × e^(−3.5 × |slope + 0.05|);
// 5.04 km/h on the flat, fastest a little downhill.
double ToblerSpeedKmh(double slope);
// The fastest speed the function gives, for a lower bound of a time.
inline constexpr double kToblerMaxSpeedKmh = 6.0;

// The time in seconds to walk a stretch of this horizontal length (metres)
// gaining climbMetres (negative when losing height) at Tobler's speed; an
// unknown climb walks as the flat.
double ToblerSeconds(double horizontalMetres, double climbMetres);

// The walking time from the start to each point of a line, given the
// distance of each point from the start and its height (NaN unknown). The
// slope is taken over stretches of at least kToblerMinRunM and kept within
// ±1: between points a few centimetres apart (a receiver standing still)
// height noise would otherwise make slopes of hundreds and times of days.
inline constexpr double kToblerMinRunM = 20;
std::vector<double> ToblerCumulativeSeconds(const std::vector<double>& distanceM,
                                            const std::vector<double>& heightM);

} // namespace hw
