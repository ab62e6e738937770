#include "base/FileDialogFilter.h"

#include <vector>

namespace hw {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::string Cased(std::string_view pattern, bool upper)
{
    std::string out(pattern);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    return out;
}

// The description without a pattern list it carries itself.
std::string_view Description(std::string_view text)
{
    const size_t open = text.find(" (");
    if (open != std::string_view::npos && text.back() == ')')
        text = text.substr(0, open);
    return text;
}

} // namespace

std::string FileDialogFilter(std::string_view pairs)
{
    while (!pairs.empty() && pairs.back() == '|')
        pairs.remove_suffix(1);
    const std::vector<std::string_view> parts = Split(pairs, '|');
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (std::string_view p : Split(parts[i + 1], ';')) {
            if (p.empty())
                continue;
            for (const std::string& variant : {Cased(p, false), Cased(p, true)}) {
                if (patterns.find(variant) != std::string::npos)
                    continue;
                if (!patterns.empty())
                    patterns += ' ';
                patterns += variant;
            }
        }
        if (!out.empty())
            out += ";;";
        out += std::string(Description(parts[i])) + " (" + patterns + ")";
    }
    return out;
}

} // namespace hw
