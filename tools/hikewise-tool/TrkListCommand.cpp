// trk-list TRK: the points of a track file, one JSON object a line.
#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "track/TrackLog.h"

#include <charconv>
#include <cstdio>

namespace hw::tool {
namespace {

// The shortest decimal that reads back as the same single-precision value.
double ShortestFloat(float value)
{
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text - 1, value);
    if (ec != std::errc())
        return value;
    double shortest = value;
    std::from_chars(text, end, shortest);
    return shortest;
}

int Run(const Args& args)
{
    if (args.size() != 1)
        return Fail("usage: trk-list TRK");
    TrackLog log;
    if (log.Load(args[0]) != 1)
        return Fail("cannot open '" + args[0] + "'");
    std::string out;
    for (uint16_t i = 0; i < log.Count(); ++i) {
        const TrackPoint& p = log.At(i);
        out.clear();
        JsonWriter j(out);
        j.BeginObject()
            .Key("lat")
            .Int(p.lat)
            .Key("lon")
            .Int(p.lon)
            .Key("alt")
            .Real(ShortestFloat(p.alt))
            .Key("segment")
            .Int(p.segmentStart)
            .Key("time")
            .Int(p.time)
            .EndObject();
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar({"trk-list", "TRK",
                                      "the points of a track file, one JSON object a line: lat, "
                                      "lon (microdegrees), alt (m), segment, time (s since 1970)",
                                      &Run});

} // namespace
} // namespace hw::tool
