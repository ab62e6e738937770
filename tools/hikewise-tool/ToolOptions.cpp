#include "ToolOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace hw::tool {

bool TakeNumberOption(Args& args, const std::string& name, double& value, std::string& error)
{
    for (auto at = args.begin(); at != args.end(); ++at) {
        if (*at != name)
            continue;
        double parsed = 0.0;
        bool ok = at + 1 != args.end();
        if (ok) {
            const std::string& text = *(at + 1);
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
            ok = ec == std::errc() && end == text.data() + text.size() && std::isfinite(parsed);
        }
        if (!ok) {
            error = name + " takes a number";
            return false;
        }
        value = parsed;
        args.erase(at, at + 2);
        return true;
    }
    return true;
}

bool TakeTextOptions(Args& args, const std::string& name, std::vector<std::string>& values,
                     std::string& error)
{
    for (auto at = args.begin(); at != args.end();) {
        if (*at != name) {
            ++at;
            continue;
        }
        if (at + 1 == args.end()) {
            error = name + " takes a value";
            return false;
        }
        values.push_back(*(at + 1));
        at = args.erase(at, at + 2);
    }
    return true;
}

bool TakeTextOption(Args& args, const std::string& name, std::string& value, std::string& error)
{
    std::vector<std::string> values;
    if (!TakeTextOptions(args, name, values, error))
        return false;
    if (!values.empty())
        value = values.back();
    return true;
}

bool TakeFlag(Args& args, const std::string& name)
{
    auto at = std::find(args.begin(), args.end(), name);
    if (at == args.end())
        return false;
    args.erase(at);
    return true;
}

bool NoOptionsLeft(const Args& args, std::string& error)
{
    for (const std::string& a : args)
        if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            error = "unknown option " + a;
            return false;
        }
    return true;
}

} // namespace hw::tool
