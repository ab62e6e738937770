#include "core/CommandSentence.h"

#include "core/NmeaDecoder.h"

namespace fixscope {

std::string FrameCommand(std::string_view stored, bool leadingLineEnd)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    unsigned sum = SentenceChecksum(stored) & 0xFF;
    std::string bytes;
    if (leadingLineEnd)
        bytes += "\r\n";
    bytes += stored;
    bytes += kHex[sum >> 4];
    bytes += kHex[sum & 0xF];
    bytes += "\r\n";
    return bytes;
}

} // namespace fixscope
