#pragma once

#include "gps/GnssSystem.h"

#include <array>
#include <string>

namespace hw {

struct GpsFix;

// One satellite as the satellite page shows it.
struct SkySatellite {
    int prn = 0; // 0: empty entry
    int snr = 0; // dB-Hz
    bool used = false;
    int azimuth = 0;
    int elevation = 0;
    GnssSystem system = GnssSystem::Unknown;
};

// The satellite page's own copy of the receiver's satellite table, taken at
// each repaint: every entry in table order (the systems side by side) and
// the number in view.
struct SatelliteSnapshot {
    static constexpr int kMaxSatellites = 96; // the whole table of GpsFix
    std::array<SkySatellite, kMaxSatellites> entries{};
    int inView = 0;
    bool severalSystems = false; // the live entries belong to more than one system

    // The label of a satellite: its number, with the system's letter before
    // it when the sky holds several systems ("G15", "R73").
    std::string Label(const SkySatellite& satellite) const;

    // The live satellites of the fix: entries past the number in view are
    // left over from earlier, longer groups and come out empty.
    static SatelliteSnapshot Take(const GpsFix& fix);
};

} // namespace hw
