#pragma once

#include <string>

namespace hw {

// Creates the folder a file is about to be written to, with its parents (a
// default folder may not exist yet on a fresh system); false when it cannot.
bool EnsureParentFolder(const std::string& filePath);

} // namespace hw
