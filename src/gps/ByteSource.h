#pragma once

#include <cstddef>
#include <cstdint>

namespace hw {

// Something bytes are read from without waiting: a serial port or a replay
// file. Read() returns how many bytes it put into buffer (at most capacity),
// 0 when nothing is there or the source is closed.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual size_t Read(uint8_t* buffer, size_t capacity) = 0;
};

} // namespace hw
