#pragma once

#include "SimRoute.h"
#include "SkyModel.h"
#include "gps/GnssSystem.h"

#include <cstdint>
#include <random>
#include <string>

namespace hw::sim {

// A span of simulated seconds [start, start + length).
struct TimeSpan {
    int start = 0;
    int length = 0;
    bool Contains(int second) const { return second >= start && second < start + length; }
};

struct SimOptions {
    int64_t startTime = 1778895000; // 2026-05-16 01:30:00 UTC
    double walkingSpeed = 1.35;     // metres a second on the flat
    int satellites = 11;            // in view, of each system
    // The talker of GGA, GSA, RMC, RMB and ZDA: "GP", or "GN" for a combined
    // receiver. Each system's GSV group has the system's own talker.
    std::string talker = "GP";
    std::vector<GnssSystem> systems{GnssSystem::Gps};
    bool rmb = false;
    bool zda = false;
    int gsvEvery = 1; // seconds between GPGSV groups
    uint32_t seed = 1;
    std::vector<TimeSpan> stops;     // standing still
    std::vector<TimeSpan> noFix;     // sentences go on, without a fix
    std::vector<TimeSpan> dropouts;  // the receiver says nothing at all
    double geoidSeparation = -2.5;   // metres, as the receiver reports it
    double magneticVariation = -3.0; // degrees, west negative
};

// A simulated GPS receiver walking a route. Epoch(k) returns the sentences of
// second k (GPGGA, GPGSA, GPGSV, GPRMC, and GPRMB and GPZDA when asked), each
// with its checksum and CR LF; seconds are to be asked in order. A receiver of
// several systems sends one GSA per system (with the NMEA 4.10 system id) and
// a GSV group per system.
class NmeaSimulator {
public:
    NmeaSimulator(SimRoute route, const SimOptions& options);

    std::string Epoch(int second);

    // Where the walker was at the last epoch: on the route, before the
    // receiver's noise.
    const RoutePoint& TruePosition() const { return truth_; }
    // Whether the walk along an open route has reached its end.
    bool Arrived() const { return !route_.Closed() && distance_ >= route_.Length(); }
    double Distance() const { return distance_; }

private:
    double WalkingSpeed(double grade) const;
    bool Within(const std::vector<TimeSpan>& spans, int second) const;

    SimRoute route_;
    SimOptions options_;
    std::mt19937 rng_;
    struct SystemSky {
        GnssSystem system;
        SkyModel sky;
    };
    std::vector<SystemSky> skies_;
    double distance_ = 0;
    double speed_ = 0;  // metres a second at the last epoch
    double course_ = 0; // degrees true
    double noiseNorth_ = 0;
    double noiseEast_ = 0;
    double noiseUp_ = 0;
    RoutePoint truth_;
    int lastSecond_ = -1;
};

// "$" body "*" checksum CR LF.
std::string NmeaSentence(const std::string& body);
// ddmm.mmmmm,N / dddmm.mmmmm,E
std::string NmeaLatitude(double degrees);
std::string NmeaLongitude(double degrees);

} // namespace hw::sim
