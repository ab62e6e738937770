#include "base/JsonWriter.h"

#include "base/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace hw {

namespace {

// Bytes that a JSON string holds as they are: printable ASCII but the quote
// and the backslash.
struct PlainBytes {
    bool plain[256] = {};
    constexpr PlainBytes()
    {
        for (int b = 0x20; b < 0x7F; ++b)
            plain[b] = b != '"' && b != '\\';
    }
};
constexpr PlainBytes kPlain;

bool IsPlainByte(char c)
{
    return kPlain.plain[static_cast<unsigned char>(c)];
}

} // namespace

// Each token is composed on the stack, its comma included, and appended to
// the output once: the output grows by many small pieces.
char* JsonWriter::Comma(char* p)
{
    if (needComma_)
        *p++ = ',';
    needComma_ = depth_ > 0;
    return p;
}

JsonWriter& JsonWriter::Append(const char* begin, const char* end)
{
    out_.append(begin, static_cast<size_t>(end - begin));
    return *this;
}

JsonWriter& JsonWriter::Open(char bracket)
{
    char token[2];
    char* p = Comma(token);
    *p++ = bracket;
    ++depth_;
    needComma_ = false;
    return Append(token, p);
}

JsonWriter& JsonWriter::Close(char bracket)
{
    out_ += bracket;
    if (depth_ > 0)
        --depth_;
    needComma_ = depth_ > 0;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key)
{
    char token[kShortKey + 4];
    char* const afterComma = Comma(token);
    char* p = afterComma;
    bool plain = key.size() <= kShortKey;
    if (plain) { // copy and check in one pass: keys are nearly always plain
        *p++ = '"';
        for (char c : key) {
            plain &= IsPlainByte(c);
            *p++ = c;
        }
        *p++ = '"';
        *p++ = ':';
    }
    if (plain) {
        Append(token, p);
    } else {
        Append(token, afterComma);
        AppendQuoted(out_, key);
        out_ += ':';
    }
    needComma_ = false; // the value follows the colon
    return *this;
}

JsonWriter& JsonWriter::Key(const JsonKey& key)
{
    out_ += key.Text(needComma_);
    needComma_ = false; // the value follows the colon
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text)
{
    char token[1];
    Append(token, Comma(token));
    AppendQuoted(out_, text);
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value)
{
    char token[24];
    char* p = Comma(token);
    return Append(token, std::to_chars(p, token + sizeof token, value).ptr);
}

JsonWriter& JsonWriter::UInt(uint64_t value)
{
    char token[24];
    char* p = Comma(token);
    return Append(token, std::to_chars(p, token + sizeof token, value).ptr);
}

JsonWriter& JsonWriter::Real(double value)
{
    if (!std::isfinite(value))
        return Null();
    char token[40];
    char* p = Comma(token);
    // Small whole numbers (most speeds, courses, counts) the integer way:
    // the same text as the shortest form, which has no exponent below 1e5.
    if (value > -1e5 && value < 1e5 && value == static_cast<double>(static_cast<int32_t>(value)) &&
        !(value == 0 && std::signbit(value)))
        return Append(token,
                      std::to_chars(p, token + sizeof token, static_cast<int32_t>(value)).ptr);
    return Append(token, std::to_chars(p, token + sizeof token, value).ptr);
}

JsonWriter& JsonWriter::Real(double value, int decimals)
{
    if (!std::isfinite(value))
        return Null();
    char token[352]; // room for the largest double in fixed notation
    char* p = Comma(token);
    return Append(token, std::to_chars(p, token + sizeof token, value, std::chars_format::fixed,
                                       decimals < 0 ? 0 : (decimals > 17 ? 17 : decimals))
                             .ptr);
}

JsonWriter& JsonWriter::Bool(bool value)
{
    return Word(value ? std::string_view("true") : std::string_view("false"));
}

JsonWriter& JsonWriter::Null()
{
    return Word("null");
}

JsonWriter& JsonWriter::Word(std::string_view word)
{
    char token[8];
    char* p = Comma(token);
    return Append(token, std::copy(word.begin(), word.end(), p));
}

void JsonWriter::AppendQuoted(std::string& out, std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size && IsPlainByte(text[i]))
        ++i;
    out += '"';
    if (i == size) { // the common case: nothing to escape
        out.append(text.data(), size);
        out += '"';
        return;
    }
    // Runs of bytes that need no escape are copied whole; a byte that is not
    // part of a well-formed UTF-8 sequence becomes U+FFFD.
    std::size_t run = 0;
    auto flush = [&] { out.append(text.data() + run, i - run); };
    while (i < size) {
        unsigned char b = bytes[i];
        if (IsPlainByte(text[i])) {
            ++i;
            continue;
        }
        if (b >= 0x80) {
            char32_t c;
            std::size_t n = DecodeUtf8Sequence(text, i, c);
            if (n != 0) {
                i += n;
                continue;
            }
            flush();
            AppendUtf8(out, U'\uFFFD');
            run = ++i;
            continue;
        }
        flush();
        switch (b) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
        run = ++i;
    }
    flush();
    out += '"';
}

} // namespace hw
