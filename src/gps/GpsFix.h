#pragma once

#include <cstddef>
#include <cstdint>

namespace hw {

// One satellite of the GPGSV table.
struct SatelliteInfo {
    uint16_t prn = 0;       // 0 marks an empty entry
    uint16_t snr = 0;       // dB-Hz, 0 when not tracked
    int32_t used = 0;       // 1 when the PRN was among the GPGSA PRNs as this entry was written
    uint16_t azimuth = 0;   // degrees true
    uint16_t elevation = 0; // degrees above the horizon
};

// Everything known about the receiver's latest output, grouped by the sentence
// type that wrote it. Angles are decimal degrees, north and east positive. A
// default-constructed record holds the reset values.
struct GpsFix {
    static constexpr size_t kUsedPrnSlots = 12;
    static constexpr size_t kSatelliteSlots = 36;
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
    uint8_t fixType = 1; // 1 none, 2 2D, 3 3D
    uint16_t usedPrns[kUsedPrnSlots] = {};
    double pdop = 0;
    double gsaHdop = 0;
    double vdop = 0;
    uint32_t gsaCount = 0;
    int16_t satellitesInView = 0; // from GPGSV

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

    // Entries beyond the satellites-in-view count, or with PRN 0, are left
    // over from earlier, longer groups or empty.
    bool SatelliteIsLive(size_t index) const
    {
        return index < kSatelliteSlots && satellitesInView > 0 &&
               index < static_cast<size_t>(satellitesInView) && satellites[index].prn != 0;
    }
};

} // namespace hw
