#include "waypoints/XmlFileParser.h"

#include "units/UnitFormatter.h"
#include "waypoints/WaypointImport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace hw {

const char* XmlAttribute(const char** attributes, const char* name)
{
    for (int i = 0; attributes[i] != nullptr; i += 2)
        if (std::strcmp(attributes[i], name) == 0)
            return attributes[i + 1];
    return nullptr;
}

void AppendXmlText(std::string& buffer, const char* text, int length, size_t maxSize)
{
    if (buffer.size() < maxSize)
        buffer.append(text, std::min(static_cast<size_t>(length), maxSize - buffer.size()));
}

XmlFileParser::XmlFileParser(void* userData, XML_StartElementHandler start,
                             XML_EndElementHandler end, XML_CharacterDataHandler text)
    : userData_(userData), start_(start), end_(end), text_(text)
{
}

int XmlFileParser::CurrentLine() const
{
    return current_ ? static_cast<int>(XML_GetCurrentLineNumber(current_)) : 0;
}

void XmlFileParser::WantText(bool wanted)
{
    if (current_)
        XML_SetCharacterDataHandler(current_, wanted ? text_ : nullptr);
}

bool XmlFileParser::Parse(const std::string& path, ImportProgress* progress)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    struct stat st {};
    if (!file || fstat(fileno(file.get()), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    opened_ = true;
    if (progress)
        progress->SetRange(static_cast<int>(static_cast<uint64_t>(st.st_size) / kBlockSize + 1));

    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate(encoding_),
                                                                   &XML_ParserFree);
    if (!parser) {
        error_ = "XML Parse Error: out of memory at line 0";
        return false;
    }
    current_ = parser.get();
    struct Forget {
        XML_Parser& p;
        ~Forget() { p = nullptr; }
    } forget{current_};
    XML_SetUserData(parser.get(), userData_);
    XML_SetElementHandler(parser.get(), start_, end_);
    XML_SetCharacterDataHandler(parser.get(), text_);

    // Reads straight into the parser's buffer, several progress blocks at a
    // time: fewer calls and no copy.
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), static_cast<int>(kReadSize));
        if (!buffer) {
            error_ = "XML Parse Error: out of memory at line 0";
            return false;
        }
        const size_t n = std::fread(buffer, 1, kReadSize, file.get());
        const bool last = n < kReadSize;
        if (XML_ParseBuffer(parser.get(), static_cast<int>(n), last) == XML_STATUS_ERROR) {
            error_ = FormatString("XML Parse Error: %s at line %d",
                                  XML_ErrorString(XML_GetErrorCode(parser.get())),
                                  static_cast<int>(XML_GetCurrentLineNumber(parser.get())));
            return false;
        }
        // A step per 8,192 bytes, and one for the short last block.
        const size_t steps = n / kBlockSize + (last ? 1 : 0);
        if (progress)
            for (size_t i = 0; i < steps; ++i)
                progress->Step();
        if (last)
            return true;
    }
}

} // namespace hw
