#include "gps/ReplayPump.h"

#include "gps/ByteSource.h"
#include "gps/NmeaParser.h"

#include <cstdint>

namespace hw {

size_t ReplayPumpStep(ByteSource& source, NmeaParser& parser, int speed)
{
    uint8_t buffer[kReplayPumpChunkBytes];
    size_t total = 0;
    for (int chunk = 0; chunk < speed || chunk == 0; ++chunk) {
        // A chunk holds far fewer than kCapacity sentences.
        if (parser.UntakenFixes() >= kReplayPumpUntakenFixes)
            break;
        size_t n = source.Read(buffer, sizeof buffer);
        if (n > sizeof buffer)
            n = sizeof buffer;
        if (n == 0)
            break;
        parser.Feed(buffer, n);
        total += n;
    }
    return total;
}

} // namespace hw
