#include "base/HtmlTokenizer.h"

#include "base/Utf8.h"

#include <algorithm>
#include <array>

namespace hw {
namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool IsAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCopy(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), Lower);
    return out;
}

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix)
{
    if (s.size() - std::min(at, s.size()) < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(s[at + i]) != prefix[i])
            return false;
    return true;
}

struct NamedReference {
    const char* name;
    char32_t c;
};
// The named references that stand for ASCII characters and the no-break
// space; names are case-sensitive.
constexpr std::array<NamedReference, 42> kNamedReferences = {{
    {"amp", '&'},    {"AMP", '&'},    {"lt", '<'},       {"LT", '<'},     {"gt", '>'},
    {"GT", '>'},     {"quot", '"'},   {"QUOT", '"'},     {"apos", '\''},  {"nbsp", 0xA0},
    {"colon", ':'},  {"Tab", '\t'},   {"NewLine", '\n'}, {"lpar", '('},   {"rpar", ')'},
    {"sol", '/'},    {"bsol", '\\'},  {"period", '.'},   {"comma", ','},  {"semi", ';'},
    {"excl", '!'},   {"num", '#'},    {"percnt", '%'},   {"equals", '='}, {"plus", '+'},
    {"lowbar", '_'}, {"grave", '`'},  {"Hat", '^'},      {"lsqb", '['},   {"rsqb", ']'},
    {"lbrack", '['}, {"rbrack", ']'}, {"lcub", '{'},     {"rcub", '}'},   {"lbrace", '{'},
    {"rbrace", '}'}, {"verbar", '|'}, {"vert", '|'},     {"ast", '*'},    {"midast", '*'},
    {"dollar", '$'}, {"commat", '@'},
}};
// Read without their ";" as well, as browsers do for these old names.
constexpr std::array<const char*, 9> kLegacyNames = {"amp", "AMP",  "lt",   "LT",  "gt",
                                                     "GT",  "quot", "QUOT", "nbsp"};

// Reads a numeric reference at text[i] ("&#" seen); returns its length, 0 if
// there are no digits.
std::size_t NumericReference(std::string_view text, std::size_t i, char32_t& c)
{
    std::size_t p = i + 2;
    bool hex = p < text.size() && (text[p] == 'x' || text[p] == 'X');
    if (hex)
        ++p;
    std::size_t digits = p;
    unsigned long value = 0;
    while (p < text.size() && (hex ? IsHexDigit(text[p]) : IsDigit(text[p]))) {
        int d = IsDigit(text[p]) ? text[p] - '0' : Lower(text[p]) - 'a' + 10;
        value = std::min(value * (hex ? 16 : 10) + static_cast<unsigned long>(d), 0x110000UL);
        ++p;
    }
    if (p == digits)
        return 0;
    if (p < text.size() && text[p] == ';')
        ++p;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        value = 0xFFFD;
    c = static_cast<char32_t>(value);
    return p - i;
}

// Reads a named reference at text[i]; returns its length, 0 if none is known.
std::size_t NamedReferenceAt(std::string_view text, std::size_t i, bool inAttribute, char32_t& c)
{
    std::size_t p = i + 1;
    while (p < text.size() && (IsAlpha(text[p]) || IsDigit(text[p])))
        ++p;
    std::string_view name = text.substr(i + 1, p - i - 1);
    bool semicolon = p < text.size() && text[p] == ';';
    if (semicolon) {
        for (const NamedReference& ref : kNamedReferences)
            if (name == ref.name) {
                c = ref.c;
                return p + 1 - i;
            }
    }
    // Without ";", a legacy name is read as the longest prefix of the
    // letters that follow, except inside an attribute when a letter, digit
    // or "=" follows it.
    for (const char* legacy : kLegacyNames) {
        std::string_view l(legacy);
        if (name.substr(0, l.size()) != l)
            continue;
        std::size_t end = i + 1 + l.size();
        if (end < text.size() && text[end] == ';')
            continue; // handled above when known
        char next = end < text.size() ? text[end] : '\0';
        if (inAttribute && (IsAlpha(next) || IsDigit(next) || next == '='))
            continue;
        for (const NamedReference& ref : kNamedReferences)
            if (l == ref.name)
                c = ref.c;
        return end - i;
    }
    return 0;
}

bool NameIs(std::string_view lowerName, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), lowerName) != names.end();
}

} // namespace

std::string DecodeHtmlCharacterReferences(std::string_view text, bool inAttribute)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        char32_t c = 0;
        std::size_t length = i + 1 < text.size() && text[i + 1] == '#'
                                 ? NumericReference(text, i, c)
                                 : NamedReferenceAt(text, i, inAttribute, c);
        if (length == 0) {
            out += text[i++];
            continue;
        }
        AppendUtf8(out, c);
        i += length;
    }
    return out;
}

bool IsHtmlRawTextElement(std::string_view lowerName)
{
    return NameIs(lowerName, {"script", "style", "xmp", "iframe", "noembed", "noframes", "noscript",
                              "title", "textarea", "plaintext"});
}

bool HtmlTokenizer::Next(HtmlToken& token)
{
    token = HtmlToken();
    if (pos_ >= html_.size())
        return false;
    if (!rawTextEnd_.empty()) {
        ReadRawText(token);
        return true;
    }
    std::size_t start = pos_;
    for (std::size_t p = pos_; p < html_.size(); ++p) {
        if (html_[p] != '<' || p + 1 >= html_.size())
            continue;
        char next = html_[p + 1];
        bool opens = IsAlpha(next) || next == '!' || next == '?' || next == '/';
        if (!opens)
            continue;
        if (p > start) {
            token.kind = HtmlToken::Kind::Text;
            token.raw = html_.substr(start, p - start);
            pos_ = p;
            return true;
        }
        if (IsAlpha(next)) {
            ReadTag(token, false);
        } else if (next == '/') {
            if (p + 2 < html_.size() && IsAlpha(html_[p + 2]))
                ReadTag(token, true);
            else if (p + 2 >= html_.size()) {
                token.kind = HtmlToken::Kind::Incomplete;
                token.raw = html_.substr(p);
                pos_ = html_.size();
            } else
                ReadBogus(token, p, p + 2); // "</>" is dropped the same way
        } else if (next == '!') {
            ReadMarkupDeclaration(token);
        } else {
            ReadBogus(token, p, p + 1);
        }
        return true;
    }
    token.kind = HtmlToken::Kind::Text;
    token.raw = html_.substr(start);
    pos_ = html_.size();
    return true;
}

void HtmlTokenizer::ReadTag(HtmlToken& token, bool end)
{
    const std::size_t start = pos_;
    std::size_t p = pos_ + (end ? 2 : 1);
    std::size_t nameStart = p;
    while (p < html_.size() && !IsSpace(html_[p]) && html_[p] != '/' && html_[p] != '>')
        ++p;
    token.kind = end ? HtmlToken::Kind::EndTag : HtmlToken::Kind::StartTag;
    token.rawName = html_.substr(nameStart, p - nameStart);
    token.name = LowerCopy(token.rawName);
    auto incomplete = [&] {
        token = HtmlToken();
        token.kind = HtmlToken::Kind::Incomplete;
        token.raw = html_.substr(start);
        pos_ = html_.size();
    };
    while (true) {
        // Before an attribute name: blanks, and slashes that do not end the tag.
        while (p < html_.size() && (IsSpace(html_[p]) || html_[p] == '/')) {
            if (html_[p] == '/' && p + 1 < html_.size() && html_[p + 1] == '>') {
                token.selfClosing = true;
                break;
            }
            ++p;
        }
        if (p >= html_.size())
            return incomplete();
        if (token.selfClosing) {
            p += 2;
            break;
        }
        if (html_[p] == '>') {
            ++p;
            break;
        }
        // The name: its first character may be "=", then up to a blank, "/", ">" or "=".
        std::size_t attrStart = p++;
        while (p < html_.size() && !IsSpace(html_[p]) && html_[p] != '/' && html_[p] != '>' &&
               html_[p] != '=')
            ++p;
        HtmlAttribute attr;
        attr.name = LowerCopy(html_.substr(attrStart, p - attrStart));
        std::size_t attrEnd = p;
        std::size_t q = p;
        while (q < html_.size() && IsSpace(html_[q]))
            ++q;
        if (q < html_.size() && html_[q] == '=') {
            ++q;
            while (q < html_.size() && IsSpace(html_[q]))
                ++q;
            if (q >= html_.size())
                return incomplete();
            char quote = html_[q];
            if (quote == '"' || quote == '\'') {
                std::size_t close = html_.find(quote, q + 1);
                if (close == std::string_view::npos)
                    return incomplete();
                attr.quote = quote;
                attr.value =
                    DecodeHtmlCharacterReferences(html_.substr(q + 1, close - q - 1), true);
                p = attrEnd = close + 1;
            } else if (quote == '>') {
                p = attrEnd = q; // "name=>": an empty value, the tag ends
            } else {
                std::size_t valueEnd = q;
                while (valueEnd < html_.size() && !IsSpace(html_[valueEnd]) &&
                       html_[valueEnd] != '>')
                    ++valueEnd;
                if (valueEnd >= html_.size())
                    return incomplete();
                attr.value = DecodeHtmlCharacterReferences(html_.substr(q, valueEnd - q), true);
                p = attrEnd = valueEnd;
            }
        }
        attr.raw = html_.substr(attrStart, attrEnd - attrStart);
        token.attributes.push_back(std::move(attr));
    }
    token.raw = html_.substr(start, p - start);
    pos_ = p;
    if (!end && IsHtmlRawTextElement(token.name))
        rawTextEnd_ = token.name;
}

void HtmlTokenizer::ReadMarkupDeclaration(HtmlToken& token)
{
    const std::size_t start = pos_;
    if (html_.compare(start, 4, "<!--") == 0) {
        token.kind = HtmlToken::Kind::Comment;
        std::size_t content = start + 4;
        // "<!-->" and "<!--->" are whole, empty comments.
        for (std::string_view abrupt : {">", "->"})
            if (html_.compare(content, abrupt.size(), abrupt) == 0) {
                pos_ = content + abrupt.size();
                token.raw = html_.substr(start, pos_ - start);
                return;
            }
        std::size_t close = html_.find("--", content);
        while (close != std::string_view::npos) {
            if (html_.compare(close + 2, 1, ">") == 0 || html_.compare(close + 2, 2, "!>") == 0)
                break;
            close = html_.find("--", close + 1);
        }
        if (close == std::string_view::npos) {
            token.terminated = false;
            token.text = html_.substr(content);
            pos_ = html_.size();
        } else {
            token.text = html_.substr(content, close - content);
            pos_ = close + (html_[close + 2] == '>' ? 3 : 4);
        }
        token.raw = html_.substr(start, pos_ - start);
        return;
    }
    if (StartsWithNoCase(html_, start + 2, "doctype")) {
        ReadBogus(token, start, start + 2);
        token.kind = HtmlToken::Kind::Doctype;
        return;
    }
    ReadBogus(token, start, start + 2);
}

void HtmlTokenizer::ReadBogus(HtmlToken& token, std::size_t start, std::size_t from)
{
    std::size_t close = html_.find('>', from);
    if (close == std::string_view::npos) {
        token.kind = HtmlToken::Kind::Incomplete;
        pos_ = html_.size();
    } else {
        token.kind = HtmlToken::Kind::BogusComment;
        token.text = html_.substr(from, close - from);
        pos_ = close + 1;
    }
    token.raw = html_.substr(start, pos_ - start);
}

void HtmlTokenizer::ReadRawText(HtmlToken& token)
{
    token.kind = HtmlToken::Kind::RawText;
    token.name = rawTextEnd_;
    const std::size_t start = pos_;
    std::size_t end = html_.size();
    token.terminated = false;
    if (rawTextEnd_ != "plaintext") {
        for (std::size_t p = html_.find("</", start); p != std::string_view::npos;
             p = html_.find("</", p + 2)) {
            std::size_t after = p + 2 + rawTextEnd_.size();
            if (StartsWithNoCase(html_, p + 2, rawTextEnd_) && after < html_.size() &&
                (IsSpace(html_[after]) || html_[after] == '/' || html_[after] == '>')) {
                end = p;
                token.terminated = true;
                break;
            }
        }
    }
    token.raw = token.text = html_.substr(start, end - start);
    pos_ = end;
    rawTextEnd_.clear();
}

} // namespace hw
