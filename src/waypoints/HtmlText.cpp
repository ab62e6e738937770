#include "waypoints/HtmlText.h"

#include <algorithm>
#include <cctype>

namespace hw {

std::string EscapeHtml(std::string_view text, bool lineBreaks)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        case '\r':
            if (!lineBreaks) {
                out += c;
                break;
            }
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "<br>\n";
            break;
        case '\n':
            if (lineBreaks)
                out += "<br>";
            out += '\n';
            break;
        default: out += c;
        }
    }
    return out;
}

bool IsWebLink(std::string_view url)
{
    auto first = std::find_if_not(url.begin(), url.end(),
                                  [](unsigned char c) { return std::isspace(c) != 0; });
    std::string_view rest(first, url.end());
    auto startsWith = [&](std::string_view prefix) {
        return rest.size() >= prefix.size() &&
               std::equal(prefix.begin(), prefix.end(), rest.begin(), [](char a, char b) {
                   return a == std::tolower(static_cast<unsigned char>(b));
               });
    };
    return startsWith("http://") || startsWith("https://");
}

} // namespace hw
