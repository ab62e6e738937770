#include "gps/GnssSystem.h"

namespace hw {

GnssSystem TalkerSystem(std::string_view talker)
{
    if (talker == "GP")
        return GnssSystem::Gps;
    if (talker == "GL")
        return GnssSystem::Glonass;
    if (talker == "GA")
        return GnssSystem::Galileo;
    if (talker == "GB" || talker == "BD")
        return GnssSystem::BeiDou;
    if (talker == "GQ" || talker == "QZ")
        return GnssSystem::Qzss;
    if (talker == "GI")
        return GnssSystem::Navic;
    return GnssSystem::Unknown;
}

bool IsSatelliteTalker(std::string_view talker)
{
    return talker == "GN" || TalkerSystem(talker) != GnssSystem::Unknown;
}

GnssSystem SystemOfId(int id)
{
    return id >= 1 && id <= 6 ? static_cast<GnssSystem>(id) : GnssSystem::Unknown;
}

GnssSystem SystemOfPrn(int prn)
{
    if (prn >= 1 && prn <= 32)
        return GnssSystem::Gps;
    if ((prn >= 33 && prn <= 64) || (prn >= 120 && prn <= 158))
        return GnssSystem::Sbas;
    if (prn >= 65 && prn <= 99)
        return GnssSystem::Glonass;
    if (prn >= 193 && prn <= 200)
        return GnssSystem::Qzss;
    if ((prn >= 201 && prn <= 263) || (prn >= 401 && prn <= 463))
        return GnssSystem::BeiDou;
    if (prn >= 301 && prn <= 336)
        return GnssSystem::Galileo;
    return GnssSystem::Unknown;
}

GnssSystem SatelliteSystem(GnssSystem talker, int prn)
{
    if (talker != GnssSystem::Gps && talker != GnssSystem::Unknown)
        return talker;
    GnssSystem byNumber = SystemOfPrn(prn);
    if (byNumber == GnssSystem::Unknown)
        return talker;
    return byNumber;
}

int UsedListOf(GnssSystem system)
{
    switch (system) {
    case GnssSystem::Sbas: return static_cast<int>(GnssSystem::Gps);
    default: return static_cast<int>(system);
    }
}

char SystemLetter(GnssSystem system)
{
    switch (system) {
    case GnssSystem::Gps: return 'G';
    case GnssSystem::Glonass: return 'R';
    case GnssSystem::Galileo: return 'E';
    case GnssSystem::BeiDou: return 'C';
    case GnssSystem::Qzss: return 'J';
    case GnssSystem::Navic: return 'I';
    case GnssSystem::Sbas: return 'S';
    case GnssSystem::Unknown: break;
    }
    return '?';
}

const char* SystemName(GnssSystem system)
{
    switch (system) {
    case GnssSystem::Gps: return "gps";
    case GnssSystem::Glonass: return "glonass";
    case GnssSystem::Galileo: return "galileo";
    case GnssSystem::BeiDou: return "beidou";
    case GnssSystem::Qzss: return "qzss";
    case GnssSystem::Navic: return "navic";
    case GnssSystem::Sbas: return "sbas";
    case GnssSystem::Unknown: break;
    }
    return "unknown";
}

GnssSystem SystemOfName(std::string_view name)
{
    for (int i = 1; i <= 7; ++i) {
        auto s = static_cast<GnssSystem>(i);
        if (name == SystemName(s))
            return s;
    }
    return GnssSystem::Unknown;
}

} // namespace hw
