#include "shell/JsonWriter.h"

#include <charconv>
#include <cmath>

namespace hw {

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0 when it is invalid.
size_t Utf8SequenceLength(std::string_view text, size_t i)
{
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char c = byte(i);
    size_t n = 0;
    uint32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07u;
    } else {
        return 0;
    }
    if (i + n > text.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3Fu);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are invalid.
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

void JsonWriter::BeforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            out_ += ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::BeginObject()
{
    BeforeValue();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndObject()
{
    out_ += '}';
    if (!first_.empty())
        first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    BeforeValue();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    out_ += ']';
    if (!first_.empty())
        first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key)
{
    BeforeValue();
    AppendQuoted(out_, key);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text)
{
    BeforeValue();
    AppendQuoted(out_, text);
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value)
{
    BeforeValue();
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::UInt(uint64_t value)
{
    BeforeValue();
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::Real(double value)
{
    if (!std::isfinite(value))
        return Null();
    BeforeValue();
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::Real(double value, int decimals)
{
    if (!std::isfinite(value))
        return Null();
    BeforeValue();
    char buffer[352]; // room for the largest double in fixed notation
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                decimals < 0 ? 0 : (decimals > 17 ? 17 : decimals));
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null()
{
    BeforeValue();
    out_ += "null";
    return *this;
}

void JsonWriter::AppendQuoted(std::string& out, std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            size_t n = Utf8SequenceLength(text, i);
            if (n == 0) {
                out += "\xEF\xBF\xBD"; // U+FFFD for a byte that is not UTF-8
                ++i;
            } else {
                out.append(text.data() + i, n);
                i += n;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    out += '"';
}

} // namespace hw
