#pragma once

#include "base/SettingsStore.h"
#include "waypoints/GeocachePageValues.h"

#include <string>
#include <string_view>

namespace hw {

class Clock;

// Page settings (section "设置").
namespace page_setting {
inline constexpr const char* kAppDir = "AppDir"; // default "NULL": not set
inline constexpr const char* kLastPage = "Last GC HTML FIle";
inline constexpr const char* kFirstPage = "\\HTML\\gc.htm";
} // namespace page_setting

// String table ids of the page command.
inline constexpr int kIdsShowGeocachePage = 4500;       // the command
inline constexpr int kIdsCannotShowGeocachePage = 4501; // error icon

// One template line with every placeholder ("<!--KEY-->") replaced by its
// value: an unknown key, and so an ordinary comment, becomes nothing; from a
// "<!--" that has no "-->" after it the rest of the line stays as it is.
std::string RenderTemplateLine(std::string_view line, const GeocachePageValues& values);
// A whole template, line by line; line ends are kept as they are.
std::string RenderTemplateText(std::string_view text, const GeocachePageValues& values);
// Renders the template file into the page file (written whole, then renamed
// over the old page); false when the template cannot be read or the page
// cannot be written.
bool RenderTemplate(const std::string& templatePath, const std::string& pagePath,
                    const GeocachePageValues& values);

// Where the templates are read and the pages written. The pages' images and
// style sheet are copied beside them from the templates folder.
// Templates in the interface language lie in a subfolder of the templates
// named after it ("en"); a template missing there is taken from the
// templates folder itself, in the source language. The pages' data stays
// as the records hold it.
struct GeocachePageFolders {
    std::string templates;
    std::string pages;
    std::string language{}; // empty: the source language
};

// The description and hint pages of a waypoint. The two page names alternate
// from one call to the next so that a browser never shows a cached copy.
class GeocachePages {
public:
    GeocachePages(SettingsStore& settings, const PositionFormatter& positions, const Clock& clock)
        : settings_(settings), positions_(positions), clock_(clock)
    {
    }

    // The folders: "AppDir"'s HTML folder when the setting names one, else
    // the installed templates and the user's page folder.
    static GeocachePageFolders Folders(const SettingsStore& settings,
                                       const std::string& installedTemplates,
                                       const std::string& userPages);

    // Renders the description page (geocache template when the waypoint has
    // a placed-by text, else the waypoint template) and the hint page, and
    // returns the description page's path; empty when a template is missing
    // or a page cannot be written.
    std::string Render(const Waypoint& waypoint, const GeocachePageFolders& folders);

private:
    SettingsStore& settings_;
    const PositionFormatter& positions_;
    const Clock& clock_;
};

} // namespace hw
