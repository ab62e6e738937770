#pragma once

#include <expat.h>
#include <string>

namespace hw {

class ImportProgress;

// The value of an element's attribute, or nullptr.
const char* XmlAttribute(const char** attributes, const char* name);
// Appends character data to an element's text, keeping at most maxSize bytes.
void AppendXmlText(std::string& buffer, const char* text, int length, size_t maxSize);

// Feeds a file to an Expat parser in blocks, the last one as final, and
// steps the progress once per 8,192 bytes (range 0 to size / 8,192 + 1).
class XmlFileParser {
public:
    static constexpr size_t kBlockSize = 8192;
    static constexpr size_t kReadSize = 8 * kBlockSize;

    // The handlers receive userData.
    XmlFileParser(void* userData, XML_StartElementHandler start, XML_EndElementHandler end,
                  XML_CharacterDataHandler text);

    // False when the file could not be opened or the XML is not well
    // formed; Error() then says why ("XML Parse Error: %s at line %d" for
    // the latter).
    bool Parse(const std::string& path, ImportProgress* progress);
    // Reads the file in this encoding whatever it declares (nullptr: as
    // declared).
    void SetEncoding(const char* encoding) { encoding_ = encoding; }
    bool Opened() const { return opened_; }
    // The line being parsed, for the handlers' messages; 0 outside Parse.
    int CurrentLine() const;
    // Whether the text handler is called, from a handler during Parse: text
    // that no field keeps is then not handed over at all.
    void WantText(bool wanted);
    const std::string& Error() const { return error_; }

private:
    void* userData_;
    XML_StartElementHandler start_;
    XML_EndElementHandler end_;
    XML_CharacterDataHandler text_;
    const char* encoding_ = nullptr;
    XML_Parser current_ = nullptr;
    bool opened_ = false;
    std::string error_;
};

} // namespace hw
