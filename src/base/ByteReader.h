#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hw {

// Reads little-endian numbers from bytes; the caller asks Has(n) before
// reading n bytes.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    bool Has(std::size_t n) const { return bytes_.size() - pos_ >= n; }
    uint8_t U8() { return static_cast<uint8_t>(bytes_[pos_++]); }
    uint32_t U32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[pos_ + i])) << (8 * i);
        pos_ += 4;
        return v;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint64_t U64()
    {
        uint64_t lo = U32();
        return lo | static_cast<uint64_t>(U32()) << 32;
    }
    float F32() { return std::bit_cast<float>(U32()); }
    double F64() { return std::bit_cast<double>(U64()); }
    const char* Here() const { return bytes_.data() + pos_; }
    void Skip(std::size_t n) { pos_ += n; }
    std::size_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

} // namespace hw
