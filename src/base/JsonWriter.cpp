#include "base/JsonWriter.h"

#include "base/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

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

// A real of one to three decimals (most readings of receivers and files) as
// the digits of value * 1000 with the point put back and the trailing zeros
// dropped: when that decimal reads back as value, it is the shortest text,
// and the only one of its length (texts of three decimals lie 0.001 apart,
// far more than the span that reads back as one double below 1e5); fixed
// notation is then also shorter than scientific. Returns nullptr when value
// is no such decimal.
char* PutShortDecimal(char* p, double value)
{
    const double magnitude = std::fabs(value);
    // Below 0.01 the scientific form may be as short; larger values go the
    // general way.
    if (!(magnitude >= 0.01 && magnitude < 1e5))
        return nullptr;
    // The nearest thousandth (a tie is no such decimal either way); an exact
    // integer over an exact power, the division rounds the way reading the
    // text does.
    auto digits = static_cast<uint32_t>(magnitude * 1000 + 0.5);
    if (static_cast<double>(digits) / 1000 != magnitude)
        return nullptr;
    int decimals = 3;
    while (decimals > 0 && digits % 10 == 0) {
        digits /= 10;
        --decimals;
    }
    if (decimals == 0)
        return nullptr; // whole: the integer path's
    char text[12];
    char* end = std::to_chars(text, text + sizeof text, digits).ptr;
    const auto n = static_cast<int>(end - text);
    if (value < 0)
        *p++ = '-';
    if (n <= decimals) {
        *p++ = '0';
        *p++ = '.';
        for (int z = n; z < decimals; ++z)
            *p++ = '0';
        return std::copy(text, end, p);
    }
    p = std::copy(text, end - decimals, p);
    *p++ = '.';
    return std::copy(end - decimals, end, p);
}

// The quoted text (quotes included) at p, which has room for 6 bytes a
// byte of text and 2: runs of bytes that need no escape are copied whole; a
// byte that is not part of a well-formed UTF-8 sequence becomes U+FFFD.
char* PutQuoted(char* p, std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    *p++ = '"';
    std::size_t i = 0;
    std::size_t run = 0;
    auto flush = [&] { p = std::copy(text.data() + run, text.data() + i, p); };
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
            p = std::copy_n("\xEF\xBF\xBD", 3, p); // U+FFFD
            run = ++i;
            continue;
        }
        flush();
        *p++ = '\\';
        switch (b) {
        case '"': *p++ = '"'; break;
        case '\\': *p++ = '\\'; break;
        case '\n': *p++ = 'n'; break;
        case '\r': *p++ = 'r'; break;
        case '\t': *p++ = 't'; break;
        default:
            p = std::copy_n("u00", 3, p);
            *p++ = kHex[b >> 4];
            *p++ = kHex[b & 0xF];
        }
        run = ++i;
    }
    flush();
    *p++ = '"';
    return p;
}

// The room PutQuoted may need.
std::size_t QuotedRoom(std::string_view text)
{
    return 6 * text.size() + 2;
}

bool IsPlain(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsPlainByte);
}

} // namespace

// Each token is composed in the writer's buffer, its comma included.
char* JsonWriter::Comma(char* p)
{
    if (needComma_)
        *p++ = ',';
    needComma_ = depth_ > 0;
    return p;
}

void JsonWriter::Text(std::string_view text)
{
    const size_t n = text.size();
    if (n <= 32) {
        // Keys and short values: two overlapping copies of fixed size
        // rather than a call for a few bytes.
        char* p = Room(n);
        const char* s = text.data();
        if (n >= 16) {
            std::memcpy(p, s, 16);
            std::memcpy(p + n - 16, s + n - 16, 16);
        } else if (n >= 8) {
            std::memcpy(p, s, 8);
            std::memcpy(p + n - 8, s + n - 8, 8);
        } else if (n >= 4) {
            std::memcpy(p, s, 4);
            std::memcpy(p + n - 4, s + n - 4, 4);
        } else if (n > 0) {
            p[0] = s[0];
            p[n / 2] = s[n / 2];
            p[n - 1] = s[n - 1];
        }
        end_ = p + n;
    } else if (n <= kStageSize) {
        char* p = Room(n);
        std::memcpy(p, text.data(), n);
        end_ = p + n;
    } else {
        Flush();
        out_ += text;
    }
}

JsonWriter& JsonWriter::Open(char bracket)
{
    char* p = Comma(Room(2));
    *p++ = bracket;
    ++depth_;
    needComma_ = false;
    end_ = p;
    return *this;
}

JsonWriter& JsonWriter::Close(char bracket)
{
    char* p = Room(1);
    *p++ = bracket;
    if (depth_ > 0)
        --depth_;
    needComma_ = depth_ > 0;
    return Done(p);
}

JsonWriter& JsonWriter::Key(std::string_view key)
{
    if (key.size() <= kShortKey && IsPlain(key)) { // keys are nearly always plain
        char* p = Comma(Room(key.size() + 4));
        *p++ = '"';
        p = std::copy(key.begin(), key.end(), p);
        *p++ = '"';
        *p++ = ':';
        end_ = p;
    } else {
        std::string quoted;
        AppendQuoted(quoted, key);
        quoted += ':';
        end_ = Comma(Room(1));
        Text(quoted);
    }
    needComma_ = false; // the value follows the colon
    return *this;
}

JsonWriter& JsonWriter::Key(const JsonKey& key)
{
    Text(key.Text(needComma_));
    needComma_ = false; // the value follows the colon
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text)
{
    if (QuotedRoom(text) + 1 <= kStageSize)
        return Done(PutQuoted(Comma(Room(QuotedRoom(text) + 1)), text));
    end_ = Comma(Room(1));
    Flush();
    AppendQuoted(out_, text);
    return *this;
}

JsonWriter& JsonWriter::Json(std::string_view json)
{
    end_ = Comma(Room(1));
    Text(json);
    return Done(end_);
}

JsonWriter& JsonWriter::Members(std::string_view members)
{
    if (members.empty())
        return *this;
    if (needComma_) {
        char* p = Room(1);
        *p++ = ',';
        end_ = p;
    }
    Text(members);
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value)
{
    char* p = Comma(Room(24));
    return Done(std::to_chars(p, p + 23, value).ptr);
}

JsonWriter& JsonWriter::UInt(uint64_t value)
{
    char* p = Comma(Room(24));
    return Done(std::to_chars(p, p + 23, value).ptr);
}

JsonWriter& JsonWriter::Real(double value)
{
    if (!std::isfinite(value))
        return Null();
    char* p = Comma(Room(40));
    // Small whole numbers (most speeds, courses, counts) the integer way:
    // the same text as the shortest form, which has no exponent below 1e5.
    if (value > -1e5 && value < 1e5 && value == static_cast<double>(static_cast<int32_t>(value)) &&
        !(value == 0 && std::signbit(value)))
        return Done(std::to_chars(p, p + 39, static_cast<int32_t>(value)).ptr);
    if (char* end = PutShortDecimal(p, value))
        return Done(end);
    return Done(std::to_chars(p, p + 39, value).ptr);
}

JsonWriter& JsonWriter::Real(double value, int decimals)
{
    if (!std::isfinite(value))
        return Null();
    constexpr size_t kRoom = 352; // the largest double in fixed notation
    char* p = Comma(Room(kRoom));
    return Done(std::to_chars(p, p + kRoom - 1, value, std::chars_format::fixed,
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
    char* p = Comma(Room(8));
    return Done(std::copy(word.begin(), word.end(), p));
}

void JsonWriter::AppendQuoted(std::string& out, std::string_view text)
{
    if (IsPlain(text)) { // the common case: nothing to escape
        out += '"';
        out += text;
        out += '"';
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + QuotedRoom(text));
    out.resize(static_cast<std::size_t>(PutQuoted(out.data() + start, text) - out.data()));
}

} // namespace hw
