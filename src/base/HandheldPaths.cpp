#include "base/HandheldPaths.h"

#include <algorithm>
#include <string_view>

namespace hw {
namespace {

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), s.begin(), [](char a, char b) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(a) == lower(b);
    });
}

std::string Join(const std::string& folder, std::string rest)
{
    std::replace(rest.begin(), rest.end(), '\\', '/');
    while (!rest.empty() && rest.front() == '/')
        rest.erase(rest.begin());
    if (folder.empty())
        return rest;
    if (folder.back() == '/')
        return folder + rest;
    return folder + "/" + rest;
}

} // namespace

std::string MapHandheldPath(const std::string& stored, const HandheldFolders& folders,
                            const std::string& home)
{
    constexpr std::string_view kDocuments = "\\My Documents";
    if (StartsWithNoCase(stored, kDocuments) &&
        (stored.size() == kDocuments.size() || stored[kDocuments.size()] == '\\'))
        return Join(folders.documents, stored.substr(kDocuments.size()));
    if (!stored.empty() && stored.front() == '\\')
        return Join(folders.appData, stored);
    if (stored.size() >= 2 && stored[0] == '~' && stored[1] == '/' && !home.empty())
        return Join(home, stored.substr(2));
    return stored;
}

} // namespace hw
