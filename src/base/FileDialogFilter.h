#pragma once

#include <string>
#include <string_view>

namespace hw {

// A filter string of pairs ("GPX Files (*.GPX)|*.gpx|All Files (*.*)|*.*||")
// as file choosers take it: one "Description (patterns)" per pair, the
// pairs separated by ";;". The patterns come from the pattern half, each in
// lower and upper case, so that "FILE.GPX" and "file.gpx" are both offered.
std::string FileDialogFilter(std::string_view pairs);

} // namespace hw
