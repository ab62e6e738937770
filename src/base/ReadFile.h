#pragma once

#include <cstddef>
#include <string>

namespace hw {

// Reads a whole file into out. False when it cannot be opened or read, or
// holds more than maxBytes (out is then empty): a reader never takes more
// memory than it allows.
bool ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& out);

} // namespace hw
