#include "waypoints/GeocachePage.h"

#include "base/AtomicFile.h"
#include "base/Clock.h"
#include "base/ReadFile.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace hw {
namespace {

constexpr std::string_view kOpen = "<!--";
constexpr std::string_view kClose = "-->";
// Templates are small; anything past this is not one of ours.
constexpr std::size_t kMaxTemplateBytes = 16 * 1024 * 1024;
constexpr const char* kStyleSheet = "page.css";
constexpr std::size_t kMaxImageBytes = 1024 * 1024;

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Puts the images the pages name, and the style sheet of the templates,
// beside the pages where they are missing or old.
void CopyPageFiles(const GeocachePageFolders& folders)
{
    std::error_code ec;
    if (std::filesystem::equivalent(folders.templates, folders.pages, ec))
        return;
    std::vector<std::string> names = GeocachePageValues::ImageNames();
    names.emplace_back(kStyleSheet);
    for (const std::string& name : names) {
        std::string image;
        std::string present;
        if (!ReadWholeFile(Join(folders.templates, name), kMaxImageBytes, image))
            continue;
        std::string target = Join(folders.pages, name);
        if (ReadWholeFile(target, kMaxImageBytes, present) && present == image)
            continue;
        // A page without its pictures still reads; a failed copy is not fatal.
        WriteFileAtomically(target, image);
    }
}

std::string TemplatePath(const GeocachePageFolders& folders, const char* name)
{
    if (!folders.language.empty()) {
        std::string localized = Join(Join(folders.templates, folders.language), name);
        std::error_code ec;
        if (std::filesystem::is_regular_file(localized, ec))
            return localized;
    }
    return Join(folders.templates, name);
}

} // namespace

std::string RenderTemplateLine(std::string_view line, const GeocachePageValues& values)
{
    std::string out;
    std::size_t pos = 0;
    for (std::size_t open; (open = line.find(kOpen, pos)) != std::string_view::npos;) {
        std::size_t close = line.find(kClose, open + kOpen.size());
        if (close == std::string_view::npos)
            break;
        out.append(line.substr(pos, open - pos));
        out += values.Value(line.substr(open + kOpen.size(), close - open - kOpen.size()));
        pos = close + kClose.size();
    }
    out.append(line.substr(pos));
    return out;
}

std::string RenderTemplateText(std::string_view text, const GeocachePageValues& values)
{
    std::string out;
    out.reserve(text.size() * 2);
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        end = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(0, end);
        if (line.find(kOpen) == std::string_view::npos)
            out.append(line);
        else
            out += RenderTemplateLine(line, values);
        text.remove_prefix(end);
    }
    return out;
}

bool RenderTemplate(const std::string& templatePath, const std::string& pagePath,
                    const GeocachePageValues& values)
{
    std::string text;
    return ReadWholeFile(templatePath, kMaxTemplateBytes, text) &&
           WriteFileAtomically(pagePath, RenderTemplateText(text, values));
}

GeocachePageFolders GeocachePages::Folders(const SettingsStore& settings,
                                           const std::string& installedTemplates,
                                           const std::string& userPages)
{
    std::string appDir = settings.GetText(section::kSettings, page_setting::kAppDir, "NULL");
    if (appDir.empty() || appDir == "NULL")
        return {installedTemplates, userPages};
    std::string html = Join(appDir, "HTML");
    return {html, html};
}

std::string GeocachePages::Render(const Waypoint& waypoint, const GeocachePageFolders& folders)
{
    // gc.htm goes with hinttpl.htm, gc2.htm with hinttpl2.htm; each call
    // takes the pair the last one did not.
    std::string last =
        settings_.GetText(section::kSettings, page_setting::kLastPage, page_setting::kFirstPage);
    bool first = last != page_setting::kFirstPage;
    settings_.SetText(section::kSettings, page_setting::kLastPage,
                      first ? page_setting::kFirstPage : "\\HTML\\gc2.htm");
    std::string page = Join(folders.pages, first ? "gc.htm" : "gc2.htm");
    std::string hintPage = Join(folders.pages, first ? "hinttpl.htm" : "hinttpl2.htm");
    std::string pageTemplate =
        TemplatePath(folders, waypoint.geocache.strPlacedBy.empty() ? "wptpl.htm" : "cachetpl.htm");

    // Both templates must be there before either page is touched.
    std::string pageText;
    std::string hintText;
    if (!ReadWholeFile(pageTemplate, kMaxTemplateBytes, pageText) ||
        !ReadWholeFile(TemplatePath(folders, "hint.htm"), kMaxTemplateBytes, hintText))
        return {};
    std::error_code ec;
    std::filesystem::create_directories(folders.pages, ec);
    GeocachePageValues values(waypoint, positions_, clock_.NowSeconds());
    if (!WriteFileAtomically(page, RenderTemplateText(pageText, values)) ||
        !WriteFileAtomically(hintPage, RenderTemplateText(hintText, values)))
        return {};
    CopyPageFiles(folders);
    return page;
}

} // namespace hw
