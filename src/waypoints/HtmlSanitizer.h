#pragma once

#include <string>
#include <string_view>

namespace hw {

// HTML from an imported file (a cache owner's description) with everything
// that runs or loads active content taken out, and all else kept as written:
// - script, iframe, noscript, textarea and the other raw-text elements go
//   with their content; svg and math (whose markup a browser reads by other
//   rules) go with theirs;
// - frame, object, embed, applet, param, base, meta, link, form and its
//   controls lose their tags (the text inside them stays);
// - a style block that imports, binds or runs something goes whole;
// - every on... attribute, srcdoc, and any attribute whose name no browser
//   would read as an ordinary one go;
// - javascript:, vbscript: and data: addresses (data:image/ excepted) go
//   from every attribute that holds an address, and from style attributes;
// - conditional comments, declarations and a tag cut off at the end go.
// Tags, text and comments that hold nothing of that are copied byte for
// byte; a tag that loses an attribute keeps the others as they were written.
std::string SanitizeHtml(std::string_view html);

// Whether an address, as a browser reads it (blanks and control characters
// anywhere ignored, any case), runs script or carries a document of its own:
// javascript:, vbscript:, data: other than data:image/ (and, for a link that
// is followed, data:image/svg+xml).
bool IsActiveUrl(std::string_view url, bool followed);

// Whether CSS (a style block or a style attribute) imports, binds or runs
// something, or refers to an active address: @import, expression(),
// behavior, -moz-binding, or url() with an address that IsActiveUrl finds
// active. CSS escapes and comments are read as a browser reads them.
bool IsActiveCss(std::string_view css);

} // namespace hw
