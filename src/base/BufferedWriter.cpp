#include "base/BufferedWriter.h"

#include <bit>
#include <cstring>

namespace hw {

void BufferedWriter::Drain()
{
    if (used_ > 0 && !failed_ && !sink_.Write(buffer_.data(), used_))
        failed_ = true;
    used_ = 0;
}

void BufferedWriter::MakeRoom(std::size_t size)
{
    if (used_ + size > buffer_.size())
        Drain();
    if (size > buffer_.size()) {
        std::size_t grown = buffer_.size();
        while (grown < size)
            grown += kGrowStep;
        buffer_.resize(grown);
    }
}

char* BufferedWriter::Reserve(std::size_t size)
{
    if (failed_)
        return nullptr;
    MakeRoom(size);
    return buffer_.data() + used_;
}

void BufferedWriter::Put(const void* data, std::size_t size)
{
    if (failed_)
        return;
    MakeRoom(size);
    if (size > 0)
        std::memcpy(buffer_.data() + used_, data, size);
    used_ += size;
}

void BufferedWriter::PutU16(uint16_t v)
{
    unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    Put(b, 2);
}

void BufferedWriter::PutU32(uint32_t v)
{
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    Put(b, 4);
}

void BufferedWriter::PutF32(float v)
{
    PutU32(std::bit_cast<uint32_t>(v));
}

void BufferedWriter::PutF64(double v)
{
    uint64_t bits = std::bit_cast<uint64_t>(v);
    PutU32(static_cast<uint32_t>(bits));
    PutU32(static_cast<uint32_t>(bits >> 32));
}

bool BufferedWriter::Flush()
{
    Drain();
    return !failed_;
}

} // namespace hw
