#pragma once

#include <array>
#include <cstdint>

namespace fixscope {

// One row of the satellite table, as the receiver reports it in GPGSV.
struct SatelliteEntry {
    int prn = 0;
    int elevation = 0; // degrees above the horizon
    int azimuth = 0;   // degrees from true north
    int snr = 0;       // dB-Hz

    bool operator==(const SatelliteEntry&) const = default;
};

inline constexpr int kSatelliteSlots = 12;
inline constexpr int kUsedPrnSlots = 12;

// The receiver's latest output as decoded from GPRMC, GPGGA, GPGSA and GPGSV.
struct GpsRecord {
    // GPRMC date and time, a calendar time in UTC (year with four digits).
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    char status = 'V';

    // Position as the receiver sends it: ddmm.mmmm and dddmm.mmmm.
    double latitude = 0;
    double longitude = 0;
    // The same split into degrees, minutes and seconds (kept from the last
    // non-zero position).
    double latDegrees = 0;
    double latMinutes = 0;
    double latSeconds = 0;
    double lonDegrees = 0;
    double lonMinutes = 0;
    double lonSeconds = 0;
    char latHemisphere = ' ';
    char lonHemisphere = ' ';

    double speedKnots = 0;
    int course = 0; // whole degrees

    double altitude = 0; // metres (GPGGA)
    double hdop = 0;

    char fixType = '1'; // GPGSA: '1' no fix, '2' 2D, '3' 3D
    std::array<std::uint8_t, kUsedPrnSlots> usedPrns{};
    double pdop = 0;

    int satellitesInView = 0;
    bool satelliteGroupComplete = false;
    std::array<SatelliteEntry, kSatelliteSlots> satellites{};

    // True when `prn` is one of the satellites the fix is computed from.
    bool IsUsed(int prn) const;

    bool operator==(const GpsRecord&) const = default;
};

} // namespace fixscope
