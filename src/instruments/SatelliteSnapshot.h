#pragma once

#include <array>

namespace hw {

struct GpsFix;

// One satellite as the satellite page shows it.
struct SkySatellite {
    int prn = 0; // 0: empty entry
    int snr = 0; // dB-Hz
    bool used = false;
    int azimuth = 0;
    int elevation = 0;
};

// The satellite page's own copy of the receiver's satellite table, taken at
// each repaint: the first 32 entries in table order and the number in view.
struct SatelliteSnapshot {
    static constexpr int kMaxSatellites = 32;
    std::array<SkySatellite, kMaxSatellites> entries{};
    int inView = 0;

    // The live satellites of the fix: entries past the number in view are
    // left over from earlier, longer groups and come out empty.
    static SatelliteSnapshot Take(const GpsFix& fix);
};

} // namespace hw
