#include "base/Utf8.h"

namespace hw {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t i, char32_t& out)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    std::size_t length;
    char32_t c;
    char32_t minimum;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        c = b0 & 0x1Fu;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        c = b0 & 0x0Fu;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        c = b0 & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3Fu);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    out = c;
    return length;
}

std::u32string DecodeUtf8(std::string_view bytes)
{
    std::u32string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        std::size_t n = DecodeUtf8Sequence(bytes, i, c);
        if (n == 0) {
            text += kReplacement;
            ++i;
        } else {
            text += c;
            i += n;
        }
    }
    return text;
}

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        std::size_t n = DecodeUtf8Sequence(bytes, i, c);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes)
{
    if (maxBytes >= text.size())
        return text.size();
    // Back over the continuation bytes of the character that the cut would
    // split: at most three.
    std::size_t cut = maxBytes;
    for (int n = 0; n < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++n)
        --cut;
    return (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80 ? maxBytes : cut;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

} // namespace hw
