#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hw {

// Writes compact JSON text into a string: commas and colons are placed by the
// writer, strings are escaped (bytes that are not valid UTF-8 become U+FFFD),
// numbers never depend on the locale, and a non-finite real is written as
// null. Tokens are gathered in a buffer of the writer's own and reach the
// string whenever no container is open (after each whole value) and when the
// writer goes: read the string then, not while an object is half written.
//
//   JsonWriter j(out);
//   j.BeginObject().Key("name").String("GC1").Key("lat").Real(47.5).EndObject();
class JsonKey;

class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}
    ~JsonWriter() { Flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }
    JsonWriter& Key(std::string_view key);
    JsonWriter& Key(const JsonKey& key);

    JsonWriter& String(std::string_view text);
    JsonWriter& Int(int64_t value);
    JsonWriter& UInt(uint64_t value);
    JsonWriter& Real(double value);               // shortest text that reads back exactly
    JsonWriter& Real(double value, int decimals); // fixed number of decimals
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // A value already written as JSON text (by another writer), spliced in
    // as it is: for a value that is written again unchanged.
    JsonWriter& Json(std::string_view json);
    // Members of an object already written as JSON text ("a":1,"b":2),
    // spliced into the open object; none when empty.
    JsonWriter& Members(std::string_view members);

    // Appends a JSON string literal for text (quotes included) to out.
    static void AppendQuoted(std::string& out, std::string_view text);

private:
    static constexpr size_t kShortKey = 60;    // keys up to this long take the fast path
    static constexpr size_t kStageSize = 1024; // the writer's own buffer

    // Where the next n bytes (n <= kStageSize) go: the buffer, emptied into
    // the string first when they would not fit.
    char* Room(size_t n)
    {
        if (static_cast<size_t>(stage_ + kStageSize - end_) < n)
            Flush();
        return end_;
    }
    // The bytes up to p were written: a whole value reaches the string.
    JsonWriter& Done(char* p)
    {
        end_ = p;
        if (depth_ == 0)
            Flush();
        return *this;
    }
    void Flush()
    {
        out_.append(stage_, static_cast<size_t>(end_ - stage_));
        end_ = stage_;
    }
    char* Comma(char* p);                    // writes the comma the next element needs, if any
    void Text(std::string_view text);        // bytes as they are, of any length
    JsonWriter& Word(std::string_view word); // true, false, null
    JsonWriter& Open(char bracket);
    JsonWriter& Close(char bracket);
    std::string& out_;
    int depth_ = 0;          // open containers
    bool needComma_ = false; // an element was written in the innermost one
    char* end_ = stage_;     // end of the bytes gathered
    char stage_[kStageSize];
};

// A key escaped once, for a key written many times (the keys of each
// element of a long array): writing it is one copy.
//
//   static const JsonKey kPrn("prn");
//   j.Key(kPrn).UInt(7);
class JsonKey {
public:
    explicit JsonKey(std::string_view key) : text_(",")
    {
        JsonWriter::AppendQuoted(text_, key);
        text_ += ':';
    }
    // Quoted, with its colon; after a comma or not.
    std::string_view Text(bool afterComma) const
    {
        return afterComma ? std::string_view(text_) : std::string_view(text_).substr(1);
    }

private:
    std::string text_; // ,"key":
};

} // namespace hw
