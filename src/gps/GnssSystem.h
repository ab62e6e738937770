#pragma once

#include <cstdint>
#include <string_view>

namespace hw {

// The satellite systems a receiver reports. The values of GPS to NavIC are
// the system ids of NMEA 4.10 (the last field of GSA and GSV); SBAS has none
// of its own there and travels with GPS.
enum class GnssSystem : uint8_t {
    Unknown = 0,
    Gps = 1,
    Glonass = 2,
    Galileo = 3,
    BeiDou = 4,
    Qzss = 5,
    Navic = 6,
    Sbas = 7,
};

inline constexpr int kGnssSystemIds = 7; // 0 (unknown) to 6 (NavIC)

// The system of a talker: GP, GL, GA, GB or BD, GQ or QZ, GI. GN (combined)
// and every other talker give Unknown.
GnssSystem TalkerSystem(std::string_view talker);
// Whether the six sentence types are decoded from this talker.
bool IsSatelliteTalker(std::string_view talker);

// The system of an NMEA 4.10 system id field (1 to 6), Unknown otherwise.
GnssSystem SystemOfId(int id);

// The system a satellite number belongs to in the ranges receivers use when
// one talker carries several systems: 1-32 GPS, 33-64 and 120-158 SBAS,
// 65-99 GLONASS, 193-200 QZSS, 201-263 and 401-463 BeiDou, 301-336 Galileo.
GnssSystem SystemOfPrn(int prn);

// The system a GPGSV / GLGSV ... entry shows: that of its talker, or where the
// talker is GPS or combined, that of the satellite number's range.
GnssSystem SatelliteSystem(GnssSystem talker, int prn);

// The GSA list a satellite's used flag is looked up in: the NMEA system id
// (GPS carries SBAS and QZSS in GPS-talker groups).
int UsedListOf(GnssSystem system);

// One letter a system (the RINEX letters): G R E C J I S, '?' when unknown.
char SystemLetter(GnssSystem system);
// Lower-case name: "gps", "glonass", "galileo", "beidou", "qzss", "navic",
// "sbas", "unknown".
const char* SystemName(GnssSystem system);
// The system of a name as SystemName() spells it, Unknown when none.
GnssSystem SystemOfName(std::string_view name);

} // namespace hw
