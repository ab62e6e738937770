#pragma once

#include <string>
#include <string_view>

namespace hw {

// Replaces the file at path with bytes: written to a temporary file beside
// it, flushed and synced, then renamed over it. Returns false (and leaves any
// previous file as it was) when any step fails. A replaced file keeps its
// permission bits, a read-only file is not replaced, and a symbolic link is
// followed (AtomicFileWriter does the work).
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace hw
