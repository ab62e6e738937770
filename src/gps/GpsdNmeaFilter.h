#pragma once

#include <cstddef>
#include <cstdint>

namespace hw {

// The daemon's stream as the NMEA reader wants it: the receiver's sentences
// byte for byte, without the daemon's own JSON reports (lines that begin
// with '{'). Keeps its place between reads, so a report or a sentence may be
// split anywhere.
class GpsdNmeaFilter {
public:
    // Copies what is kept of in[0..n) to out (room for n bytes); returns
    // how many bytes it wrote. in and out may be the same buffer.
    std::size_t Filter(const uint8_t* in, std::size_t n, uint8_t* out);

private:
    bool lineStart_ = true;
    bool inReport_ = false;
};

} // namespace hw
