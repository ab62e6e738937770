#pragma once

#include <string>
#include <string_view>

namespace hw {

// UTF-8 to code points and back. Decoding accepts any bytes: a byte that does
// not begin a well-formed sequence (overlong forms, surrogates, values past
// U+10FFFF, truncated sequences) becomes U+FFFD and decoding goes on with the
// next byte.
std::u32string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view text);
void AppendUtf8(std::string& out, char32_t c);
// Decodes the sequence that starts at bytes[i] into c; returns its length,
// or 0 when the bytes there are not a well-formed sequence.
std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t i, char32_t& c);
// Whether the bytes are well-formed UTF-8 throughout.
bool IsValidUtf8(std::string_view bytes);
// The longest length up to maxBytes at which text can be cut without
// splitting a character (an end between two sequences).
std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes);

} // namespace hw
