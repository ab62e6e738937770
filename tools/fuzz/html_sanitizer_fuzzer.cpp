// libFuzzer target for the HTML sanitizer: whatever a description holds, the
// sanitized page, read again as a browser reads it, holds no element that
// runs or loads, no event attribute, no active address and no active style,
// and sanitizing it again changes nothing.
#include "FuzzCheck.h"
#include "base/HtmlTokenizer.h"
#include "waypoints/HtmlSanitizer.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

bool OneOf(std::string_view s, std::initializer_list<std::string_view> list)
{
    return std::find(list.begin(), list.end(), s) != list.end();
}

// As a browser reads an address: blanks and control characters gone, lower case.
std::string Compact(std::string_view s)
{
    std::string out;
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && u != 0x7F)
            out += static_cast<char>(std::tolower(u));
    }
    return out;
}

bool StartsActive(std::string_view address)
{
    std::string a = Compact(address);
    for (std::string_view scheme : {"javascript:", "vbscript:", "livescript:", "mocha:"})
        if (a.rfind(scheme, 0) == 0)
            return true;
    return a.rfind("data:", 0) == 0 && a.rfind("data:image/", 0) != 0;
}

void CheckAddress(std::string_view name, std::string_view value)
{
    using hw::fuzz::FuzzCheck;
    if (name == "srcset" || name == "ping") {
        for (std::size_t start = 0; start <= value.size();) {
            std::size_t end = std::min(value.find_first_of(", ", start), value.size());
            FuzzCheck(!StartsActive(value.substr(start, end - start)), "no active address");
            start = end + 1;
        }
        return;
    }
    FuzzCheck(!StartsActive(value), "no active address");
}

// CSS without its comments (one left open runs to the end).
std::string WithoutComments(std::string_view css)
{
    std::string out;
    for (std::size_t i = 0; i < css.size();) {
        std::size_t open = css.find("/*", i);
        out.append(css.substr(i, open - i));
        if (open == std::string_view::npos)
            break;
        std::size_t close = css.find("*/", open + 2);
        i = close == std::string_view::npos ? css.size() : close + 2;
    }
    return out;
}

void CheckStyle(std::string_view css)
{
    using hw::fuzz::FuzzCheck;
    std::string c = Compact(WithoutComments(css));
    for (std::string_view active :
         {"@import", "expression(", "behavior:", "-moz-binding", "javascript:", "vbscript:"})
        FuzzCheck(c.find(active) == std::string::npos, "no active style, as written");
    FuzzCheck(!hw::IsActiveCss(css), "no active style");
}

void CheckInert(const std::string& html)
{
    using hw::HtmlToken;
    using hw::fuzz::FuzzCheck;
    hw::HtmlTokenizer tokenizer(html);
    HtmlToken token;
    while (tokenizer.Next(token)) {
        FuzzCheck(token.kind != HtmlToken::Kind::Incomplete, "no tag cut off at the end");
        if (token.kind == HtmlToken::Kind::RawText) {
            FuzzCheck(token.name == "style" && token.terminated, "only whole style blocks");
            CheckStyle(token.text);
        }
        if (token.kind == HtmlToken::Kind::Comment)
            FuzzCheck(token.text.empty() || token.text[0] != '[', "no conditional comment");
        if (token.kind != HtmlToken::Kind::StartTag)
            continue;
        FuzzCheck(
            !OneOf(token.name, {"script", "iframe", "frame",   "frameset", "object",    "embed",
                                "applet", "param",  "base",    "meta",     "link",      "form",
                                "input",  "button", "select",  "textarea", "noscript",  "svg",
                                "math",   "xmp",    "noembed", "noframes", "plaintext", "title"}),
            "no element that runs or loads");
        for (const hw::HtmlAttribute& attr : token.attributes) {
            FuzzCheck(attr.name.rfind("on", 0) != 0, "no event attribute");
            FuzzCheck(attr.name != "srcdoc", "no inline document");
            if (attr.name == "style")
                CheckStyle(attr.value);
            if (OneOf(attr.name,
                      {"href",     "action",  "formaction", "xlink:href", "src",      "background",
                       "lowsrc",   "dynsrc",  "poster",     "cite",       "longdesc", "usemap",
                       "codebase", "data",    "srcset",     "ping",       "manifest", "icon",
                       "profile",  "classid", "archive"}))
                CheckAddress(attr.name, attr.value);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view html(reinterpret_cast<const char*>(data), size);
    const std::string once = hw::SanitizeHtml(html);
    CheckInert(once);
    hw::fuzz::FuzzCheck(hw::SanitizeHtml(once) == once, "sanitizing twice changes nothing");
    return 0;
}
