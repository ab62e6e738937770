#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

// Writes compact JSON text into a string: commas and colons are placed by the
// writer, strings are escaped (bytes that are not valid UTF-8 become U+FFFD),
// numbers never depend on the locale, and a non-finite real is written as
// null.
//
//   JsonWriter j(out);
//   j.BeginObject().Key("name").String("GC1").Key("lat").Real(47.5).EndObject();
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);

    JsonWriter& String(std::string_view text);
    JsonWriter& Int(int64_t value);
    JsonWriter& UInt(uint64_t value);
    JsonWriter& Real(double value);               // shortest text that reads back exactly
    JsonWriter& Real(double value, int decimals); // fixed number of decimals
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // Appends a JSON string literal for text (quotes included) to out.
    static void AppendQuoted(std::string& out, std::string_view text);

private:
    void BeforeValue();
    std::string& out_;
    std::vector<bool> first_; // per open container: no element written yet
    bool afterKey_ = false;
};

} // namespace hw
