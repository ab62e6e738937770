// dem-profile DEM TRK: the terrain's height under every point of a track,
// and the ascent and descent along it.
#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "geo/GradeSampler.h"
#include "terrain/TerrainFile.h"
#include "track/TrackLog.h"

#include <cmath>
#include <cstdio>

namespace hw::tool {
namespace {

// Ascent and descent (both positive) by the trip computer's rule of
// 100-metre steps, the sampler starting afresh at every track segment.
class ClimbTotals {
public:
    void Add(double lat, double lon, double altitude, bool segmentStart)
    {
        if (!std::isfinite(altitude))
            return;
        if (segmentStart)
            sampler_.Reset();
        GradeStep step;
        if (!sampler_.Add(lat, lon, altitude, step))
            return;
        if (step.climbMetres > 0)
            ascent_ += step.climbMetres;
        else
            descent_ -= step.climbMetres;
    }
    double Ascent() const { return ascent_; }
    double Descent() const { return descent_; }

private:
    GradeSampler sampler_;
    double ascent_ = 0, descent_ = 0;
};

int Run(const Args& args)
{
    if (args.size() != 2)
        return Fail("usage: dem-profile DEM TRK");
    TerrainFile terrain;
    std::string error;
    if (!terrain.Open(args[0], error))
        return Fail(error);
    TrackLog log;
    if (log.Load(args[1]) != 1)
        return Fail("cannot open '" + args[1] + "'");
    ClimbTotals ground, gps;
    uint64_t unknown = 0;
    std::string out;
    for (uint16_t i = 0; i < log.Count(); ++i) {
        const TrackPoint& p = log.At(i);
        double lat = p.lat / 1e6, lon = p.lon / 1e6;
        double elev = terrain.HeightAt(lat, lon);
        unknown += !std::isfinite(elev);
        ground.Add(lat, lon, elev, p.segmentStart != 0);
        gps.Add(lat, lon, p.alt, p.segmentStart != 0);
        out.clear();
        JsonWriter j(out);
        j.BeginObject().Key("lat").Int(p.lat).Key("lon").Int(p.lon);
        j.Key("alt").Real(p.alt, 1).Key("elev").Real(elev, 1).EndObject();
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    out.clear();
    JsonWriter j(out);
    j.BeginObject().Key("points").UInt(log.Count()).Key("unknown").UInt(unknown);
    j.Key("ascent").Real(ground.Ascent(), 1).Key("descent").Real(ground.Descent(), 1);
    j.Key("gps_ascent").Real(gps.Ascent(), 1).Key("gps_descent").Real(gps.Descent(), 1);
    j.EndObject();
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"dem-profile", "DEM TRK",
     "the terrain's height under every point of a track file, one JSON line a point (lat, lon "
     "in microdegrees, alt the recorded altitude, elev the terrain's, null off the terrain), "
     "then {\"points\",\"unknown\",\"ascent\",\"descent\",\"gps_ascent\",\"gps_descent\"} in "
     "metres by the trip computer's 100 m steps",
     &Run});

} // namespace
} // namespace hw::tool
