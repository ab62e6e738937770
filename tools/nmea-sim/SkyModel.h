#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace hw::sim {

struct SimSatellite {
    int prn = 0;
    double elevation = 0;     // degrees
    double azimuth = 0;       // degrees true
    double elevationRate = 0; // degrees per second
    double azimuthRate = 0;
    int snr = 0; // dB-Hz, 0 when not tracked
    bool used = false;
};

// The satellites over the walker: a changing set of count satellites that
// rise, cross the sky slowly and set, with signal strengths that follow
// their elevation and the shading of the ground.
class SkyModel {
public:
    // Satellites numbered firstPrn to lastPrn (GPS: 1 to 32).
    SkyModel(int count, std::mt19937& rng, int firstPrn = 1, int lastPrn = 32);

    // Moves the sky on by seconds. shade 0 is open sky, 1 a deep forest
    // or canyon where nothing is tracked well enough for a fix.
    void Step(double seconds, double shade);

    const std::vector<SimSatellite>& Satellites() const { return satellites_; }
    // The PRNs used in the solution: the strongest 12 at most, in channel order.
    std::vector<int> UsedPrns() const;

private:
    SimSatellite NewSatellite(bool rising);
    int FreePrn();

    int count_;
    std::mt19937& rng_;
    int firstPrn_;
    int lastPrn_;
    std::vector<SimSatellite> satellites_;
};

} // namespace hw::sim
