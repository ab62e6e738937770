#include "base/TextCodec.h"

#include "base/Utf8.h"

#include <atomic>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <string>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace hw {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the leading ASCII run, eight bytes at a time.
size_t AsciiPrefix(std::string_view text)
{
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ull)
            break;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80)
        ++i;
    return i;
}

// Stores a UTF-16 code unit as little-endian bytes at unit index i.
void PutUnitLe(char* out, size_t i, char16_t unit)
{
    out[2 * i] = static_cast<char>(unit & 0xFF);
    out[2 * i + 1] = static_cast<char>(unit >> 8);
}

// Widens the leading ASCII run of text into UTF-16LE bytes at out, sixteen
// or eight bytes at a time (the bulk of most texts); returns its length.
size_t WidenAsciiPrefix(const char* text, size_t size, char* out)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        if (_mm_movemask_epi8(bytes) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + 16),
                         _mm_unpackhi_epi8(bytes, zero));
    }
#endif
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        if (word & 0x8080808080808080ull)
            break;
        for (size_t k = 0; k < 8; ++k)
            PutUnitLe(out, i + k, static_cast<char16_t>((word >> (8 * k)) & 0xFF));
    }
    for (; i < size && static_cast<unsigned char>(text[i]) < 0x80; ++i)
        PutUnitLe(out, i, static_cast<unsigned char>(text[i]));
    return i;
}

bool IsAscii(std::string_view text)
{
    return AsciiPrefix(text) == text.size();
}

// The UTF-16 length of well-formed UTF-8 text; npos when a byte does not
// belong to a sequence.
size_t Utf16LengthOfValid(std::string_view text)
{
    size_t units = 0;
    char32_t cp;
    for (size_t i = 0; i < text.size();) {
        const size_t ascii = AsciiPrefix(text.substr(i));
        units += ascii;
        i += ascii;
        if (i == text.size())
            break;
        const size_t n = DecodeUtf8Sequence(text, i, cp);
        if (n == 0)
            return std::string_view::npos;
        units += cp >= 0x10000 ? 2 : 1;
        i += n;
    }
    return units;
}

} // namespace

size_t Utf8ToUtf16Le(std::string_view text, char* out)
{
    size_t units = 0;
    char32_t cp;
    for (size_t i = 0; i < text.size();) {
        const size_t ascii = WidenAsciiPrefix(text.data() + i, text.size() - i, out + 2 * units);
        i += ascii;
        units += ascii;
        if (i == text.size())
            break;
        size_t n = DecodeUtf8Sequence(text, i, cp);
        if (n == 0) {
            cp = kReplacement;
            n = 1;
        }
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            PutUnitLe(out, units++, static_cast<char16_t>(0xD800 + (cp >> 10)));
            PutUnitLe(out, units++, static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            PutUnitLe(out, units++, static_cast<char16_t>(cp));
        }
    }
    return units;
}

size_t Utf8ToUtf16(std::string_view text, char16_t* out)
{
    const size_t units = Utf8ToUtf16Le(text, reinterpret_cast<char*>(out));
    if constexpr (std::endian::native != std::endian::little)
        for (size_t i = 0; i < units; ++i)
            out[i] = static_cast<char16_t>((out[i] >> 8) | (out[i] << 8));
    return units;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out(text.size(), u'\0');
    out.resize(Utf8ToUtf16(text, out.data()));
    return out;
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    AppendUtf16AsUtf8(out, text);
    return out;
}

std::string DecodeUtf8Lenient(std::string_view text, size_t maxUtf16Units)
{
    // Well-formed text that fits is taken as it is.
    const size_t validUnits = Utf16LengthOfValid(text);
    if (validUnits != std::string_view::npos && validUnits <= maxUtf16Units)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t units = 0;
    char32_t cp;
    for (size_t i = 0; i < text.size();) {
        size_t n = DecodeUtf8Sequence(text, i, cp);
        if (n == 0) {
            ++i; // not a sequence: dropped
            continue;
        }
        size_t need = cp >= 0x10000 ? 2 : 1;
        if (units + need > maxUtf16Units)
            break;
        units += need;
        out.append(text.substr(i, n));
        i += n;
    }
    return out;
}

namespace {
std::atomic<int> currentCodePage{kDefaultAnsiCodePage};

std::string IconvName(int codePage)
{
    return "CP" + std::to_string(codePage);
}
} // namespace

void SetAnsiCodePage(int codePage)
{
    currentCodePage = codePage;
}

int AnsiCodePage()
{
    return currentCodePage;
}

bool IsKnownCodePage(int codePage)
{
    if (codePage <= 0)
        return false;
    iconv_t cd = iconv_open("UTF-8", IconvName(codePage).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(cd);
    return true;
}

std::string Latin1Bytes(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    char32_t cp;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = DecodeUtf8Sequence(utf8, i, cp);
        if (n == 0) {
            out += '?';
            ++i;
            continue;
        }
        out += cp < 0x100 ? static_cast<char>(cp) : '?';
        i += n;
    }
    return out;
}

AnsiDecoder::AnsiDecoder(int codePage)
    : cd_(reinterpret_cast<void*>(iconv_open("UTF-8", IconvName(codePage).c_str())))
{
}

AnsiDecoder::~AnsiDecoder()
{
    if (cd_ != reinterpret_cast<void*>(-1))
        iconv_close(reinterpret_cast<iconv_t>(cd_));
}

std::string AnsiDecoder::Convert(std::string_view bytes, bool cut)
{
    if (IsAscii(bytes))
        return std::string(bytes);
    std::string out;
    if (cd_ == reinterpret_cast<void*>(-1)) {
        // Without the code page, keep what is readable.
        for (char c : bytes)
            AppendUtf8(out, static_cast<unsigned char>(c) < 0x80 ? static_cast<char32_t>(c)
                                                                 : kReplacement);
        return out;
    }
    iconv_t cd = reinterpret_cast<iconv_t>(cd_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(bytes.size() * 3 + 16); // every code page byte becomes at most 3 bytes
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            dst = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        if (cut && errno == EINVAL)
            break; // the last character is not whole
        // An undecodable or cut-short byte: one replacement, then go on.
        if (outLeft < 3) {
            size_t used = out.size() - outLeft;
            out.resize(out.size() + 16);
            dst = out.data() + used;
            outLeft = out.size() - used;
        }
        *dst++ = static_cast<char>(0xEF);
        *dst++ = static_cast<char>(0xBF);
        *dst++ = static_cast<char>(0xBD);
        outLeft -= 3;
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string AnsiToUtf8(std::string_view bytes)
{
    AnsiDecoder decoder;
    return decoder.Decode(bytes);
}

} // namespace hw
