#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hw {

// One attribute of a tag as the tokenizer read it.
struct HtmlAttribute {
    std::string name;     // ASCII lower case
    std::string value;    // character references decoded
    std::string_view raw; // as written: the name, and "=" with the value and its quotes if any
    char quote = 0;       // the quote around the value: '"', '\'', or 0 when there is none
};

// One token of an HTML text. raw is always the exact bytes it was read from,
// so that whoever keeps a token unchanged can copy it byte for byte.
struct HtmlToken {
    enum class Kind {
        Text,         // character data between tags
        StartTag,     // <name attributes...>
        EndTag,       // </name ...>
        Comment,      // <!-- ... -->; text holds what lies between
        BogusComment, // <? ...>, <!x ...>, </1 ...>, <![CDATA[...]]>: markup that a browser
                      // swallows as a comment
        Doctype,      // <!DOCTYPE ...>
        RawText,      // the content of script, style, iframe, textarea and the like
        Incomplete,   // a tag or declaration cut off by the end of the text
    };
    Kind kind = Kind::Text;
    std::string_view raw;
    std::string name;         // tags: ASCII lower case
    std::string_view rawName; // tags: the name as written
    std::string_view text;    // comments: the content; raw text: the content
    std::vector<HtmlAttribute> attributes;
    bool selfClosing = false; // start tags ending in "/>"
    bool terminated = true;   // comments and raw text: false when the end of the text came first
};

// Splits HTML into tokens the way the HTML5 tokenizer of a browser does in a
// page body: tags begin only with "<" and a letter, attribute values may be
// quoted or not, names are case-insensitive, and the content of script,
// style, iframe, textarea and their kind is raw text up to the matching end
// tag. It never fails: broken markup becomes the token a browser would make
// of it.
class HtmlTokenizer {
public:
    explicit HtmlTokenizer(std::string_view html) : html_(html) {}

    // The next token; false at the end of the text.
    bool Next(HtmlToken& token);

private:
    void ReadTag(HtmlToken& token, bool end);
    void ReadMarkupDeclaration(HtmlToken& token);
    void ReadRawText(HtmlToken& token);
    // The end of a bogus comment starting at from: past the next ">".
    void ReadBogus(HtmlToken& token, std::size_t start, std::size_t from);

    std::string_view html_;
    std::size_t pos_ = 0;
    std::string rawTextEnd_; // the element whose content comes next as raw text
};

// The text with its character references ("&amp;", "&#x61;", "&#106",
// "&colon;") replaced by the characters they stand for, as a browser reads
// them in an attribute value (inAttribute) or in text. Numeric references
// are read with or without their ";"; of the named ones, those that stand
// for ASCII characters are known (an unknown name stays as written, and no
// unknown name stands for an ASCII letter).
std::string DecodeHtmlCharacterReferences(std::string_view text, bool inAttribute);

// The element names whose content the tokenizer reads as raw text.
bool IsHtmlRawTextElement(std::string_view lowerName);

} // namespace hw
