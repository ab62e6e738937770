#include "gps/ReplayPump.h"

#include "gps/ByteSource.h"
#include "gps/NmeaParser.h"

#include <cstdint>

namespace hw {

size_t ReplayPumpStep(ByteSource& source, NmeaParser& parser)
{
    uint8_t buffer[kReplayPumpChunkBytes];
    size_t n = source.Read(buffer, sizeof buffer);
    if (n > sizeof buffer)
        n = sizeof buffer;
    if (n > 0)
        parser.Feed(buffer, n);
    return n;
}

} // namespace hw
