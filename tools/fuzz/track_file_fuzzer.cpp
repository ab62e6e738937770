// libFuzzer target for the track file (all three layouts): any bytes load
// without a fault; the points kept are positions on the earth with a finite
// altitude (empty records dropped), and the log's own file loads back to
// the same bytes.
#include "FuzzCheck.h"
#include "FuzzFile.h"
#include "track/TrackLog.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    const std::string path = FuzzFile::Instance().Write("in.trk", data, size);
    auto log = std::make_unique<TrackLog>();
    FuzzCheck(log->Load(path) == 1, "the file loads");
    FuzzCheck(log->Count() <= TrackLog::kCapacity, "the ring holds at most its capacity");
    for (uint16_t i = 0; i < log->Count(); ++i) {
        const TrackPoint& p = log->At(i);
        FuzzCheck(p.lat != 0 || p.lon != 0 || p.alt != 0.0f, "no empty record");
        FuzzCheck(std::isfinite(p.alt), "a finite altitude");
        FuzzCheck(p.lat >= -90000000 && p.lat <= 90000000 && p.lon >= -180000000 &&
                      p.lon <= 180000000,
                  "a position on the earth");
        FuzzCheck(i > 0 || p.segmentStart == 1, "the oldest point starts a segment");
    }
    const std::string bytes = log->FileBytes();
    FuzzCheck(bytes.size() == 4 + 20 * size_t{log->Count()}, "header and 20 bytes a point");
    const std::string again = FuzzFile::Instance().Write("again.trk", bytes.data(), bytes.size());
    auto reloaded = std::make_unique<TrackLog>();
    FuzzCheck(reloaded->Load(again) == 1, "the log's own file loads");
    FuzzCheck(reloaded->FileBytes() == bytes, "and holds the same points");
    return 0;
}
