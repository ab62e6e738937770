#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hw {

// Text inside the program is UTF-8. These convert at the edges: UTF-16 for
// binary files, the legacy 8-bit code page for old files.

// The 8-bit code page of legacy files (Simplified Chinese).
inline constexpr const char* kAnsiCodePage = "CP936";

// UTF-8 to UTF-16 code units; invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
void AppendUtf16AsUtf8(std::string& out, std::u16string_view text);

// The valid UTF-8 that text holds: bytes that do not form a valid sequence
// are dropped; the result ends before the character that would take it past
// maxUtf16Units UTF-16 code units.
std::string DecodeUtf8Lenient(std::string_view text, size_t maxUtf16Units = SIZE_MAX);

// Legacy 8-bit text to UTF-8: text that is valid UTF-8 is taken as it is,
// anything else is converted from the code page (undecodable bytes become
// U+FFFD).
class AnsiDecoder {
public:
    explicit AnsiDecoder(const char* codePage = kAnsiCodePage);
    ~AnsiDecoder();
    AnsiDecoder(const AnsiDecoder&) = delete;
    AnsiDecoder& operator=(const AnsiDecoder&) = delete;

    std::string Decode(std::string_view bytes);

private:
    void* cd_; // iconv_t, or (void*)-1 when the code page is not available
};

// One-off conversion with a decoder of its own.
std::string AnsiToUtf8(std::string_view bytes);

} // namespace hw
