#include "base/Utf8TextCheck.h"

#include "base/FileByteReader.h"

#include <algorithm>
#include <cstdint>

namespace hw {

void Utf8TextCheck::Add(std::string_view piece)
{
    for (char ch : piece) {
        if (!valid_)
            return;
        auto b = static_cast<unsigned char>(ch);
        if (pending_ > 0) {
            valid_ = b >= low_ && b <= high_;
            --pending_;
            low_ = 0x80;
            high_ = 0xBF;
            continue;
        }
        if (b < 0x80)
            continue;
        multiByte_ = true;
        // The lead byte sets the length and, for E0, ED, F0 and F4, the range
        // of the next byte: no overlong forms, surrogates or values past
        // U+10FFFF.
        if (b >= 0xC2 && b <= 0xDF) {
            pending_ = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            pending_ = 2;
            low_ = b == 0xE0 ? 0xA0 : 0x80;
            high_ = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            pending_ = 3;
            low_ = b == 0xF0 ? 0x90 : 0x80;
            high_ = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            valid_ = false;
        }
    }
}

bool IsUtf8Text(std::string_view bytes)
{
    Utf8TextCheck check;
    check.Add(bytes);
    return check.IsUtf8Text();
}

bool IsUtf8TextFile(const std::string& path)
{
    FileByteReader in;
    if (!in.Open(path))
        return false;
    Utf8TextCheck check;
    char block[65536];
    while (in.Remaining() > 0) {
        std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(sizeof block, in.Remaining()));
        if (!in.Read(block, n))
            return false;
        check.Add(std::string_view(block, n));
    }
    return check.IsUtf8Text();
}

} // namespace hw
