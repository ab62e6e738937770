#pragma once

#include "gps/GnssSystem.h"

#include <cstddef>
#include <cstdint>

namespace hw {

// One satellite of the GSV table.
struct SatelliteInfo {
    uint16_t prn = 0; // 0 marks an empty entry
    uint16_t snr = 0; // dB-Hz, 0 when not tracked
    int32_t used = 0; // 1 when the PRN was among its system's GSA PRNs as this entry was written
    uint16_t azimuth = 0;   // degrees true
    uint16_t elevation = 0; // degrees above the horizon
    GnssSystem system = GnssSystem::Unknown;

    friend bool operator==(const SatelliteInfo&, const SatelliteInfo&) = default;
};

// Everything known about the receiver's latest output, grouped by the sentence
// type that wrote it. Angles are decimal degrees, north and east positive. A
// default-constructed record holds the reset values.
struct GpsFix {
    static constexpr size_t kUsedPrnSlots = 12;
    // A combined receiver's sky: the GSV groups of every talker side by side.
    // 96 holds the busiest real sky (GPS, GLONASS, Galileo, BeiDou with its
    // geostationary satellites, QZSS, NavIC and SBAS over east Asia, about
    // 80) with room; one talker's group holds at most 36.
    static constexpr size_t kSatelliteSlots = 96;
    static constexpr size_t kGroupSlots = 36;
    // Used satellites of one system: three GSA sentences' worth, for the
    // receivers that continue a list of more than 12 in another GSA.
    static constexpr size_t kSystemUsedSlots = 36;
    static constexpr size_t kWaypointIdSize = 32;

    // GPGGA
    uint8_t ggaHour = 0;
    uint8_t ggaMinute = 0;
    uint8_t ggaSecond = 0;
    double ggaSeconds = 0; // seconds with fraction; survives Reset()
    double ggaLatitude = 0;
    double ggaLongitude = 0;
    uint8_t fixQuality = 0; // 0 none, 1 GPS, 2 differential
    uint8_t satellitesUsed = 0;
    double ggaHdop = 0;
    double altitude = 0; // metres above mean sea level
    uint32_t ggaCount = 0;
    int32_t previousGgaTime = 0; // minute * 60 + second of the last GPGGA with altitude
    double previousAltitude = 0;
    bool previousAltitudeValid = false; // a GPGGA with altitude since the reset
    double verticalSpeed = 0;           // metres per minute, positive climbing

    // GPGSA
    char gsaMode = 'M';
    uint8_t fixType = 1;                   // 1 none, 2 2D, 3 3D
    uint16_t usedPrns[kUsedPrnSlots] = {}; // of the latest GSA, whatever its system
    // The used PRNs by NMEA system id (0 unknown, 1 GPS with SBAS ... 6
    // NavIC), each from the latest GSA of that system.
    uint16_t systemUsedPrns[kGnssSystemIds][kSystemUsedSlots] = {};
    double pdop = 0;
    double gsaHdop = 0;
    double vdop = 0;
    uint32_t gsaCount = 0;
    int16_t satellitesInView = 0; // from GSV: the sum over the talkers' groups

    // GPGSV
    SatelliteInfo satellites[kSatelliteSlots] = {};
    uint32_t gsvCount = 0;

    // GPRMB: guidance to the receiver's own active waypoint
    char rmbStatus = 'V';
    double crossTrackError = 0; // nautical miles
    char steerDirection = '?';
    char originId[kWaypointIdSize] = {};
    char destinationId[kWaypointIdSize] = {};
    double destinationLatitude = 0;
    double destinationLongitude = 0;
    double range = 0;           // nautical miles
    double bearing = 0;         // degrees true
    double closingVelocity = 0; // knots
    char arrivalStatus = 'V';
    uint32_t rmbCount = 0;

    // GPRMC
    uint8_t rmcHour = 0;
    uint8_t rmcMinute = 0;
    uint8_t rmcSecond = 0;
    char rmcStatus = 'V';
    double rmcLatitude = 0;
    double rmcLongitude = 0;
    double speed = 0;  // knots over ground
    double course = 0; // degrees true
    uint8_t day = 1;
    uint8_t month = 1;
    uint16_t year = 2000;
    bool dateKnown = false;       // a GPRMC date was read since the reset
    double magneticVariation = 0; // degrees, west negative
    uint32_t rmcCount = 0;
    double previousScaledSpeed = 0;
    int32_t previousRmcTime = 0; // minute * 60 + second of the last GPRMC
    double acceleration = 0;     // change of scaled speed per second

    // GPZDA
    uint8_t zdaHour = 0;
    uint8_t zdaMinute = 0;
    uint8_t zdaSecond = 0;
    uint8_t zdaDay = 1;
    uint8_t zdaMonth = 1;
    uint16_t zdaYear = 2000;
    int8_t zoneHours = 0;
    uint8_t zoneMinutes = 0;
    uint32_t zdaCount = 0;

    bool HasFix() const { return fixQuality != 0; }

    // Satellites used over all systems: the GSA lists together, or the GGA
    // count where that is higher (a receiver's GSA holds only 12).
    int SatellitesUsedAll() const
    {
        int listed = 0;
        for (const auto& list : systemUsedPrns) {
            for (uint16_t prn : list)
                listed += prn != 0 ? 1 : 0;
        }
        return listed > satellitesUsed ? listed : satellitesUsed;
    }

    // Entries beyond the satellites-in-view count, or with PRN 0, are left
    // over from earlier, longer groups or empty.
    bool SatelliteIsLive(size_t index) const
    {
        return index < kSatelliteSlots && satellitesInView > 0 &&
               index < static_cast<size_t>(satellitesInView) && satellites[index].prn != 0;
    }
};

} // namespace hw
