#include "SkyModel.h"

#include <algorithm>
#include <cmath>

namespace hw::sim {

namespace {
constexpr double kMinElevation = 5; // below this a satellite has set
constexpr int kUsableSnr = 28;      // weaker signals are tracked but not used
constexpr double kDegrees = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;
} // namespace

SkyModel::SkyModel(int count, std::mt19937& rng, int firstPrn, int lastPrn)
    : count_(std::clamp(count, 4, std::min(14, lastPrn - firstPrn + 1))), rng_(rng),
      firstPrn_(firstPrn), lastPrn_(lastPrn)
{
    for (int i = 0; i < count_; ++i)
        satellites_.push_back(NewSatellite(false));
    Step(0, 0);
}

int SkyModel::FreePrn()
{
    std::uniform_int_distribution<int> pick(firstPrn_, lastPrn_);
    for (;;) {
        int prn = pick(rng_);
        bool taken = std::any_of(satellites_.begin(), satellites_.end(),
                                 [&](const SimSatellite& s) { return s.prn == prn; });
        if (!taken)
            return prn;
    }
}

SimSatellite SkyModel::NewSatellite(bool rising)
{
    std::uniform_real_distribution<double> unit(0, 1);
    SimSatellite s;
    s.prn = FreePrn();
    s.azimuth = 360 * unit(rng_);
    // Orbits take some six hours across the sky: a few tenths of a degree a
    // minute.
    // Spread as over the sky: more satellites low than overhead.
    s.elevation = rising ? kMinElevation + 0.5 : 8 + 80 * std::asin(unit(rng_)) / (kPi / 2);
    double rate = (0.15 + 0.35 * unit(rng_)) / 60;
    s.elevationRate = rising || unit(rng_) < 0.5 ? rate : -rate;
    s.azimuthRate = (unit(rng_) - 0.5) * 0.6 / 60;
    return s;
}

void SkyModel::Step(double seconds, double shade)
{
    std::normal_distribution<double> noise(0, 1.5);
    for (SimSatellite& s : satellites_) {
        s.elevation += s.elevationRate * seconds;
        if (s.elevation > 88) {
            s.elevation = 88;
            s.elevationRate = -std::abs(s.elevationRate);
        }
        s.azimuth = std::fmod(s.azimuth + s.azimuthRate * seconds + 360, 360);
    }
    // A set satellite is replaced by one rising somewhere else.
    for (SimSatellite& s : satellites_) {
        if (s.elevation < kMinElevation)
            s = NewSatellite(true);
    }
    for (SimSatellite& s : satellites_) {
        double open = 30 + 20 * std::sin(s.elevation * kDegrees) + noise(rng_);
        // Shade takes most from low satellites.
        double loss = shade * (22 + 10 * std::cos(s.elevation * kDegrees));
        int snr = static_cast<int>(std::lround(open - loss));
        s.snr = snr < 18 ? 0 : std::min(snr, 55);
    }
    std::vector<int> used = UsedPrns();
    for (SimSatellite& s : satellites_)
        s.used = std::find(used.begin(), used.end(), s.prn) != used.end();
}

std::vector<int> SkyModel::UsedPrns() const
{
    std::vector<const SimSatellite*> candidates;
    for (const SimSatellite& s : satellites_) {
        if (s.snr >= kUsableSnr && s.elevation >= 10)
            candidates.push_back(&s);
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const SimSatellite* a, const SimSatellite* b) { return a->snr > b->snr; });
    if (candidates.size() > 12)
        candidates.resize(12);
    // Reported in the receiver's channel order, which changes rarely.
    std::vector<int> prns;
    for (const SimSatellite& s : satellites_) {
        if (std::find(candidates.begin(), candidates.end(), &s) != candidates.end())
            prns.push_back(s.prn);
    }
    return prns;
}

} // namespace hw::sim
