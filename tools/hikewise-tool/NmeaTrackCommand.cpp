// nmea-track LOG OUT.trk: a recorded NMEA log turned into a track file, the
// points filtered and split into segments as the map window records them.
#include "NmeaLogFeed.h"
#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "track/TrackLog.h"
#include "track/TrackRecorder.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace hw::tool {
namespace {

bool ParseKm(const std::string& text, double& km)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), km);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(km) && km > 0;
}

int Run(const Args& args)
{
    std::vector<std::string> files;
    TrackLog log;
    log.SetFilterThreshold(0.005); // the map settings' defaults
    log.SetCourseThreshold(0.005);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-filter") {
            log.SetFilter(0);
        } else if (a == "--filter-km") {
            double km = 0;
            if (i + 1 >= args.size() || !ParseKm(args[i + 1], km))
                return Fail("--filter-km needs a distance in km greater than 0");
            log.SetFilterThreshold(std::min(km, 1.0));
            ++i;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return Fail("unknown option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2)
        return Fail("usage: nmea-track LOG OUT.trk [--no-filter] [--filter-km KM]");

    TrackRecorder recorder(log);
    int ggaCount = 0, fixCount = 0;
    std::string error;
    auto onGga = [&](const GpsFix& fix) {
        ++ggaCount;
        if (recorder.OnGpsUpdate(fix))
            ++fixCount;
    };
    if (!FeedNmeaLog(files[0], onGga, error))
        return Fail(error);
    if (log.Save(files[1]) != 1)
        return Fail("cannot write '" + files[1] + "'");

    std::string out;
    JsonWriter j(out);
    j.BeginObject()
        .Key("gga")
        .Int(ggaCount)
        .Key("fixes")
        .Int(fixCount)
        .Key("points")
        .Int(log.Count())
        .Key("segments")
        .Int(log.SegmentCount())
        .EndObject();
    std::printf("%s\n", out.c_str());
    return 0;
}

const ToolCommandRegistrar registrar({"nmea-track", "LOG OUT.trk [--no-filter] [--filter-km KM]",
                                      "record the track of an NMEA log as the map does (filter "
                                      "on, 0.005 km, unless told otherwise)",
                                      &Run});

} // namespace
} // namespace hw::tool
