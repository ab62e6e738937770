#pragma once

#include <string>
#include <string_view>

namespace hw {

// Plain text made safe to place in an HTML page, in element content or in a
// double-quoted attribute: & < > " ' become character references. With
// lineBreaks, each line break (LF, CR LF or CR) becomes "<br>" so that the
// text keeps its lines.
std::string EscapeHtml(std::string_view text, bool lineBreaks = false);

// Whether a link from an imported file may be placed in an href: only web
// addresses (http and https) are; "javascript:" and the like are not.
bool IsWebLink(std::string_view url);

} // namespace hw
