#include "waypoints/HtmlSanitizer.h"

#include "base/HtmlTokenizer.h"
#include "base/Utf8.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <iterator>

namespace hw {
namespace {

bool OneOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that go with their content.
bool DropsContent(std::string_view name)
{
    return (name != "style" && IsHtmlRawTextElement(name)) || OneOf(name, {"svg", "math"});
}

// Elements whose tags go while what lies between them stays.
bool DropsTag(std::string_view name)
{
    return OneOf(name, {"frame",   "frameset", "object",   "embed",    "applet", "param",
                        "base",    "meta",     "link",     "form",     "input",  "button",
                        "select",  "option",   "optgroup", "datalist", "keygen", "output",
                        "isindex", "bgsound",  "layer",    "ilayer",   "portal"});
}

// A name of letters, digits and - _ . : (namespaced names such as "o:p" from
// word processors included); anything else no two readers agree on.
bool IsPlainName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
               c == '.' || c == ':';
    });
}

// Attributes that hold an address; followed: a link that the user or the
// browser navigates to.
bool IsUrlAttribute(std::string_view name, bool& followed)
{
    followed = OneOf(name, {"href", "action", "formaction", "xlink:href"});
    return followed || OneOf(name, {"src", "background", "lowsrc", "dynsrc", "poster", "cite",
                                    "longdesc", "usemap", "codebase", "data", "srcset", "ping",
                                    "manifest", "icon", "profile", "classid", "archive"});
}

bool HasActiveUrl(std::string_view name, std::string_view value, bool followed)
{
    if (name != "srcset" && name != "ping")
        return IsActiveUrl(value, followed);
    // Lists of addresses: every piece is checked.
    for (std::size_t start = 0; start <= value.size();) {
        std::size_t end = std::min(value.find_first_of(", ", start), value.size());
        if (IsActiveUrl(value.substr(start, end - start), followed))
            return true;
        start = end + 1;
    }
    return false;
}

bool KeepsAttribute(const HtmlAttribute& attr)
{
    const std::string& name = attr.name;
    if (!IsPlainName(name) || name.rfind("on", 0) == 0 || name == "srcdoc")
        return false;
    // An unquoted value with quotes, backticks, "<" or "=" in it is read
    // differently by different browsers (old ones took "`" for a quote).
    if (attr.quote == 0 &&
        attr.raw.find_first_of("\"'`<=", attr.name.size() + 1) != std::string_view::npos)
        return false;
    if (name == "style")
        return !IsActiveCss(attr.value);
    bool followed = false;
    if (IsUrlAttribute(name, followed))
        return !HasActiveUrl(name, attr.value, followed);
    return true;
}

// The tag as written, or rebuilt from the attributes it keeps.
std::string CleanTag(const HtmlToken& tag)
{
    bool all = true;
    for (const HtmlAttribute& attr : tag.attributes)
        all = all && KeepsAttribute(attr);
    if (all && (tag.kind == HtmlToken::Kind::StartTag || tag.attributes.empty()))
        return std::string(tag.raw);
    std::string out = tag.kind == HtmlToken::Kind::EndTag ? "</" : "<";
    out += tag.rawName;
    if (tag.kind == HtmlToken::Kind::StartTag)
        for (const HtmlAttribute& attr : tag.attributes)
            if (KeepsAttribute(attr)) {
                out += ' ';
                out += attr.raw;
            }
    out += tag.selfClosing ? " />" : ">";
    return out;
}

bool IsConditionalComment(std::string_view text)
{
    std::string lower;
    std::transform(text.begin(), text.end(), std::back_inserter(lower),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return (!lower.empty() && lower[0] == '[') || lower.find("<![") != std::string::npos ||
           lower.find("[if") != std::string::npos || lower.find("[endif") != std::string::npos;
}

std::size_t HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::size_t>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<std::size_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<std::size_t>(c - 'A' + 10);
    return 16;
}

// CSS as a browser reads it: comments gone, escapes replaced, lower case,
// blanks and control characters left out.
std::string CompactCss(std::string_view css)
{
    std::string decoded;
    for (std::size_t i = 0; i < css.size();) {
        if (css.compare(i, 2, "/*") == 0) {
            std::size_t end = css.find("*/", i + 2);
            i = end == std::string_view::npos ? css.size() : end + 2;
            continue;
        }
        if (css[i] != '\\' || i + 1 >= css.size()) {
            decoded += css[i++];
            continue;
        }
        ++i;
        if (HexValue(css[i]) < 16) {
            unsigned long value = 0;
            std::size_t n = 0;
            for (; n < 6 && i < css.size() && HexValue(css[i]) < 16; ++n, ++i)
                value = value * 16 + HexValue(css[i]);
            if (i < css.size() && (css[i] == ' ' || css[i] == '\t' || css[i] == '\n' ||
                                   css[i] == '\r' || css[i] == '\f'))
                ++i;
            if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
                value = 0xFFFD;
            AppendUtf8(decoded, static_cast<char32_t>(value));
        } else if (css[i] == '\n') {
            ++i; // an escaped line break continues the line
        } else {
            decoded += css[i++];
        }
    }
    std::string compact;
    for (char c : decoded) {
        auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && u != 0x7F)
            compact += static_cast<char>(std::tolower(u));
    }
    return compact;
}

// Appends text; a "<" that a dropped token left in front of other text
// could join it into a tag, so text that follows text has its "<" escaped.
class Output {
public:
    void Markup(std::string_view s)
    {
        out_.append(s);
        textStart_ = std::string::npos;
    }
    void Text(std::string_view s)
    {
        if (textStart_ != std::string::npos)
            EscapeTail();
        textStart_ = out_.size();
        out_.append(s);
    }
    std::string Finish()
    {
        // The page goes on after the text: its last "<" must not join that.
        if (textStart_ != std::string::npos)
            EscapeTail();
        return std::move(out_);
    }

private:
    void EscapeTail()
    {
        std::string tail = out_.substr(textStart_);
        out_.resize(textStart_);
        for (char c : tail)
            if (c == '<')
                out_ += "&lt;";
            else
                out_ += c;
    }

    std::string out_;
    std::size_t textStart_ = std::string::npos;
};

} // namespace

bool IsActiveUrl(std::string_view url, bool followed)
{
    // Only the scheme, and after "data:" the first few characters, decide:
    // the scan stops where they end, so that a long address costs no more
    // than its start (CSS may check one per "url(").
    auto visible = [](char c) {
        auto u = static_cast<unsigned char>(c);
        return u > 0x20 && u != 0x7F;
    };
    auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    std::string scheme;
    std::size_t i = 0;
    for (; i < url.size(); ++i) {
        if (!visible(url[i]))
            continue;
        char c = lower(url[i]);
        if (c == ':')
            break;
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))
            return false;
        scheme += c;
    }
    if (i == url.size())
        return false; // no scheme
    if (OneOf(scheme, {"javascript", "vbscript", "livescript", "mocha"}))
        return true;
    if (scheme != "data")
        return false;
    constexpr std::string_view kSvg = "image/svg";
    std::string rest;
    for (++i; i < url.size() && rest.size() < kSvg.size(); ++i)
        if (visible(url[i]))
            rest += lower(url[i]);
    if (rest.rfind("image/", 0) != 0)
        return true;
    return followed && rest == kSvg;
}

bool IsActiveCss(std::string_view css)
{
    std::string compact = CompactCss(css);
    for (std::string_view active : {"@import", "expression(", "behavior:", "-moz-binding",
                                    "javascript:", "vbscript:", "livescript:"})
        if (compact.find(active) != std::string::npos)
            return true;
    // The ")" after each "url(": searched again only once passed, so that
    // many "url(" without one cost one search, not one each.
    std::size_t end = 0;
    for (std::size_t at = compact.find("url("); at != std::string::npos;
         at = compact.find("url(", at + 4)) {
        if (end != std::string::npos && end < at + 4)
            end = compact.find(')', at + 4);
        std::string_view arg = std::string_view(compact).substr(
            at + 4, end == std::string::npos ? std::string::npos : end - at - 4);
        if (!arg.empty() && (arg.front() == '"' || arg.front() == '\''))
            arg.remove_prefix(1);
        if (IsActiveUrl(arg, false))
            return true;
    }
    return false;
}

std::string SanitizeHtml(std::string_view html)
{
    Output out;
    HtmlTokenizer tokenizer(html);
    HtmlToken token;
    std::string skipping; // an element dropped with its content
    int skipDepth = 0;
    std::string styleTag; // a style block's start tag, until its content is read
    bool styleOpen = false;
    bool styleKept = false;
    using Kind = HtmlToken::Kind;
    while (tokenizer.Next(token)) {
        if (!skipping.empty()) {
            if (token.name == skipping && token.kind == Kind::StartTag && !token.selfClosing)
                ++skipDepth;
            if (token.name == skipping && token.kind == Kind::EndTag && --skipDepth == 0)
                skipping.clear();
            // A raw-text element ends with its raw text.
            if (token.kind == Kind::RawText && IsHtmlRawTextElement(skipping))
                skipping.clear();
            continue;
        }
        if (styleOpen) {
            styleOpen = false;
            styleKept = token.kind == Kind::RawText && token.terminated && !IsActiveCss(token.text);
            if (styleKept) {
                out.Markup(styleTag);
                out.Markup(token.raw);
            }
            if (token.kind == Kind::RawText)
                continue;
        }
        switch (token.kind) {
        case Kind::Text: out.Text(token.raw); break;
        case Kind::StartTag:
            if (DropsContent(token.name)) {
                if (!token.selfClosing || IsHtmlRawTextElement(token.name)) {
                    skipping = token.name;
                    skipDepth = 1;
                }
            } else if (token.name == "style") {
                styleTag = CleanTag(token);
                styleOpen = true;
            } else if (!DropsTag(token.name) && IsPlainName(token.name)) {
                out.Markup(CleanTag(token));
            }
            break;
        case Kind::EndTag:
            if (token.name == "style") {
                if (styleKept)
                    out.Markup(CleanTag(token));
                styleKept = false;
            } else if (!DropsContent(token.name) && !DropsTag(token.name) &&
                       IsPlainName(token.name)) {
                out.Markup(CleanTag(token));
            }
            break;
        case Kind::Comment:
            if (token.terminated && !IsConditionalComment(token.text))
                out.Markup(token.raw);
            break;
        case Kind::RawText: // only after a style tag, handled above
        case Kind::BogusComment:
        case Kind::Doctype:
        case Kind::Incomplete: break;
        }
    }
    return out.Finish();
}

} // namespace hw
