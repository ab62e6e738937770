#pragma once

#include "base/ByteSink.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace hw {

// Collects output in a memory buffer of 128 KiB and hands it to the sink
// whenever the next item does not fit; an item larger than the buffer grows
// the buffer in steps of 32 KiB until it fits. The first failed write is
// remembered: Flush() then reports false and later items are dropped.
class BufferedWriter {
public:
    static constexpr std::size_t kInitialSize = 131072;
    static constexpr std::size_t kGrowStep = 32768;

    explicit BufferedWriter(ByteSink& sink) : sink_(sink), buffer_(kInitialSize) {}

    void Put(const void* data, std::size_t size);
    void Put(std::string_view bytes) { Put(bytes.data(), bytes.size()); }
    void PutU8(uint8_t v) { Put(&v, 1); }
    void PutU16(uint16_t v);
    void PutU32(uint32_t v);
    void PutI32(int32_t v) { PutU32(static_cast<uint32_t>(v)); }
    void PutF32(float v);
    void PutF64(double v);

    // Room for size bytes to be written in place; Commit(n) then keeps the
    // first n of them. Null after a failed write (nothing is kept then).
    char* Reserve(std::size_t size);
    void Commit(std::size_t size)
    {
        if (!failed_)
            used_ += size;
    }

    // Writes out what is buffered; false when any write failed.
    bool Flush();
    bool Failed() const { return failed_; }
    std::size_t BufferSize() const { return buffer_.size(); }

private:
    void Drain();
    // Drains and grows the buffer so that size more bytes fit.
    void MakeRoom(std::size_t size);

    ByteSink& sink_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

} // namespace hw
