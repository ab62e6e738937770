#include "base/JsonWriter.h"

#include "base/Utf8.h"

#include <charconv>
#include <cmath>

namespace hw {

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
    // Decoding turns every byte that is not UTF-8 into U+FFFD.
    for (char32_t c : DecodeUtf8(text)) {
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
                AppendUtf8(out, c);
            }
        }
    }
    out += '"';
}

} // namespace hw
