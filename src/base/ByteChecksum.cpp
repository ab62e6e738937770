#include "base/ByteChecksum.h"

#include <cstring>

namespace hw {
namespace {

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;

uint64_t Rotate(uint64_t v, int bits)
{
    return (v << bits) | (v >> (64 - bits));
}

uint64_t Word(const char* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

uint64_t Round(uint64_t lane, uint64_t word)
{
    return Rotate(lane + word * kPrime2, 31) * kPrime1;
}

uint64_t Mix(uint64_t h)
{
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime1;
    return h ^ (h >> 32);
}

} // namespace

uint64_t ByteChecksum(const char* data, std::size_t size)
{
    // Four lanes side by side, so that the multiplications overlap.
    uint64_t lanes[4] = {kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1};
    std::size_t at = 0;
    for (; at + 32 <= size; at += 32)
        for (int i = 0; i < 4; ++i)
            lanes[i] = Round(lanes[i], Word(data + at + 8 * i));
    uint64_t h = Rotate(lanes[0], 1) + Rotate(lanes[1], 7) + Rotate(lanes[2], 12) +
                 Rotate(lanes[3], 18) + size;
    for (; at + 8 <= size; at += 8)
        h = Rotate(h ^ Round(0, Word(data + at)), 27) * kPrime1 + kPrime2;
    for (; at < size; ++at)
        h = Rotate(h ^ (static_cast<unsigned char>(data[at]) * kPrime1), 11) * kPrime2;
    return Mix(h);
}

} // namespace hw
