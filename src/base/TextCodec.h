#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hw {

// Text inside the program is UTF-8. These convert at the edges: UTF-16 for
// binary files, the legacy 8-bit code page for old files.

// The 8-bit code page of legacy files: the setting "ANSI Code Page" of
// "设置", default 936 (Simplified Chinese). Decoders made after a change use
// the new code page; the program and the tool set it at start.
inline constexpr const char* kAnsiCodePageSetting = "ANSI Code Page";
inline constexpr int kDefaultAnsiCodePage = 936;
void SetAnsiCodePage(int codePage);
int AnsiCodePage();
// Whether iconv can convert from the code page ("CP" and the number).
bool IsKnownCodePage(int codePage);

// Text that a parser read as Latin-1 (each byte one code point below 256,
// encoded as UTF-8) back to its bytes; other code points become '?'.
std::string Latin1Bytes(std::string_view utf8);

// UTF-8 to UTF-16 code units; invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// The same at out, which has room for text.size() units (a byte gives at
// most one); returns the units written.
size_t Utf8ToUtf16(std::string_view text, char16_t* out);
// The same as UTF-16LE bytes at out (any alignment), which has room for
// 2 * text.size() bytes; returns the units written.
size_t Utf8ToUtf16Le(std::string_view text, char* out);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);

// The valid UTF-8 that text holds: bytes that do not form a valid sequence
// are dropped; the result ends before the character that would take it past
// maxUtf16Units UTF-16 code units.
std::string DecodeUtf8Lenient(std::string_view text, size_t maxUtf16Units = SIZE_MAX);

// Legacy 8-bit text to UTF-8, always from the code page (undecodable bytes
// become U+FFFD): that some bytes happen to be valid UTF-8 says nothing.
class AnsiDecoder {
public:
    AnsiDecoder() : AnsiDecoder(AnsiCodePage()) {}
    explicit AnsiDecoder(int codePage);
    ~AnsiDecoder();
    AnsiDecoder(const AnsiDecoder&) = delete;
    AnsiDecoder& operator=(const AnsiDecoder&) = delete;

    std::string Decode(std::string_view bytes) { return Convert(bytes, false); }
    // Bytes cut from a longer text: a character cut in two at their end is
    // left out instead of becoming a replacement character.
    std::string DecodeWholeCharacters(std::string_view bytes) { return Convert(bytes, true); }

private:
    std::string Convert(std::string_view bytes, bool cut);

    void* cd_; // iconv_t, or (void*)-1 when the code page is not available
};

// One-off conversion from the code page with a decoder of its own.
std::string AnsiToUtf8(std::string_view bytes);

} // namespace hw
