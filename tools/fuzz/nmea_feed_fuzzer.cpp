// libFuzzer target for the NMEA parser: arbitrary bytes, fed in pieces whose
// sizes come from the input itself, must never crash, overrun or hang, and
// the snapshot must stay consistent.
#include "base/NotificationSink.h"
#include "gps/NmeaParser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class SnapshotSink final : public hw::NotificationSink {
public:
    explicit SnapshotSink(hw::NmeaParser& parser) : parser_(parser) {}
    void Post(uint32_t, uintptr_t, intptr_t) override
    {
        hw::GpsFix f = parser_.Snapshot();
        if (!std::isfinite(f.ggaLatitude) || !std::isfinite(f.altitude) ||
            !std::isfinite(f.verticalSpeed) || !std::isfinite(f.acceleration))
            std::abort();
        (void)parser_.CurrentAddress().size();
    }

private:
    hw::NmeaParser& parser_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    hw::NmeaParser parser;
    SnapshotSink sink(parser);
    parser.SetSink(&sink);
    size_t i = 0;
    while (i < size) {
        size_t piece = 1 + data[i] % 160;
        if (piece > size - i)
            piece = size - i;
        parser.Feed(data + i, piece);
        i += piece;
    }
    return 0;
}
