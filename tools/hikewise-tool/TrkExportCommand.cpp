// trk-export csv|kml|gpx TRK OUT: a track file exported as the map's export
// commands write it.
#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "track/TrackExport.h"

#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    if (args.size() != 3)
        return Fail("usage: trk-export csv|kml|gpx TRK OUT");
    auto format = TrackExportFormatByName(args[0]);
    if (!format)
        return Fail("unknown format '" + args[0] + "' (csv, kml or gpx)");
    TrackLog log;
    if (log.Load(args[1]) != 1)
        return Fail("cannot open '" + args[1] + "'");
    if (ExportTrack(log, *format, args[2]) != 1)
        return Fail("cannot write '" + args[2] + "'");
    std::string out;
    JsonWriter j(out);
    j.BeginObject()
        .Key("points")
        .Int(log.Count())
        .Key("segments")
        .Int(log.SegmentCount())
        .EndObject();
    std::printf("%s\n", out.c_str());
    return 0;
}

const ToolCommandRegistrar registrar({"trk-export", "csv|kml|gpx TRK OUT",
                                      "export a track file as CSV, KML or GPX", &Run});

} // namespace
} // namespace hw::tool
