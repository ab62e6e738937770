#pragma once

#include <cstddef>
#include <cstdint>

namespace hw {

// A 64-bit checksum of bytes, fast enough to take of every record of a
// large file as it is read: two different byte runs give the same sum only
// by a chance of about one in 2^64. Not meant against deliberate forgery.
uint64_t ByteChecksum(const char* data, std::size_t size);

} // namespace hw
