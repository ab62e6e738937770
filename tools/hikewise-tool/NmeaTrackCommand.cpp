// nmea-track LOG OUT.trk: a recorded NMEA log turned into a track file, the
// points filtered and split into segments as the map window records them.
#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "base/NotificationSink.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"
#include "track/TrackLog.h"
#include "track/TrackRecorder.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

namespace hw::tool {
namespace {

// Hands every GPGGA to the recorder, with the fix as it stood right after
// that sentence.
class GgaSink final : public NotificationSink {
public:
    GgaSink(TrackRecorder& recorder) : recorder_(recorder) {}
    void SetParser(const NmeaParser* parser) { parser_ = parser; }
    void Post(uint32_t message, uintptr_t, intptr_t) override
    {
        if (message != WM_GPS_GGA || parser_ == nullptr)
            return;
        ++ggaCount;
        if (recorder_.OnGpsUpdate(parser_->Snapshot()))
            ++fixCount;
    }
    int ggaCount = 0;
    int fixCount = 0;

private:
    TrackRecorder& recorder_;
    const NmeaParser* parser_ = nullptr;
};

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

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(files[0].c_str(), "rb"),
                                                       &std::fclose);
    if (!in)
        return Fail("cannot open '" + files[0] + "'");
    TrackRecorder recorder(log);
    GgaSink sink(recorder);
    NmeaParser parser(&sink);
    sink.SetParser(&parser);
    unsigned char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
        parser.Feed(buffer, n);
    if (std::ferror(in.get()))
        return Fail("cannot read '" + files[0] + "'");
    if (log.Save(files[1]) != 1)
        return Fail("cannot write '" + files[1] + "'");

    std::string out;
    JsonWriter j(out);
    j.BeginObject()
        .Key("gga")
        .Int(sink.ggaCount)
        .Key("fixes")
        .Int(sink.fixCount)
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
