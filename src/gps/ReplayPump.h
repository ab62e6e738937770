#pragma once

#include "gps/FixHistory.h"

#include <cstddef>

namespace hw {

class ByteSource;
class NmeaParser;

// The replay pump: its owner calls ReplayPumpStep() every
// kReplayPumpIntervalMs, which moves at most kReplayPumpChunkBytes from the
// replay source into the parser (1280 bytes a second, whatever the rate the
// log was recorded at), or `speed` times that for a faster replay. Returns
// the bytes fed; a non-zero count means data arrived, for the link watchdog.
// A step ends early while the parser holds nearly as many fixes as it keeps
// for a reader that has not taken them, so that no replay speed loses one.
constexpr int kReplayPumpIntervalMs = 100;
constexpr size_t kReplayPumpChunkBytes = 128;
constexpr size_t kReplayPumpUntakenFixes = FixHistory::kLimit - FixHistory::kCapacity;

size_t ReplayPumpStep(ByteSource& source, NmeaParser& parser, int speed = 1);

} // namespace hw
