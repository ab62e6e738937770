#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

namespace hw {

// Appends little-endian numbers and raw bytes to a string, for files whose
// layout does not depend on the machine.
class ByteWriter {
public:
    void U8(uint8_t v) { out_ += static_cast<char>(v); }
    void U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_ += static_cast<char>(v >> (8 * i) & 0xFF);
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void U64(uint64_t v)
    {
        U32(static_cast<uint32_t>(v));
        U32(static_cast<uint32_t>(v >> 32));
    }
    void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
    void F64(double v) { U64(std::bit_cast<uint64_t>(v)); }
    void Bytes(const void* data, std::size_t n) { out_.append(static_cast<const char*>(data), n); }
    std::size_t Size() const { return out_.size(); }
    std::string& Text() { return out_; }

private:
    std::string out_;
};

} // namespace hw
