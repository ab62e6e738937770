#include "gps/GpsdAddress.h"

#include <charconv>

namespace hw {
namespace {

bool ParsePort(std::string_view digits, uint16_t& port)
{
    if (digits.empty())
        return false;
    unsigned value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value == 0 || value > 65535)
        return false;
    port = static_cast<uint16_t>(value);
    return true;
}

bool HostCharactersValid(std::string_view host)
{
    for (char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_' || c == ':' ||
                        c == '%';
        if (!ok)
            return false;
    }
    return !host.empty();
}

} // namespace

bool GpsdAddress::Parse(std::string_view text, GpsdAddress& out)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);

    GpsdAddress parsed;
    std::string_view host = text;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            return false;
        host = text.substr(1, close - 1);
        std::string_view rest = text.substr(close + 1);
        if (!rest.empty() && (rest.front() != ':' || !ParsePort(rest.substr(1), parsed.port)))
            return false;
    } else if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
        // One colon separates the port; more make a bare IPv6 address.
        if (text.find(':', colon + 1) == std::string_view::npos) {
            host = text.substr(0, colon);
            if (!ParsePort(text.substr(colon + 1), parsed.port))
                return false;
        }
    }
    if (!HostCharactersValid(host))
        return false;
    parsed.host = std::string(host);
    out = parsed;
    return true;
}

std::string GpsdAddress::Text() const
{
    const bool v6 = host.find(':') != std::string::npos;
    std::string text = v6 ? "[" + host + "]" : host;
    return text + ":" + std::to_string(port);
}

} // namespace hw
