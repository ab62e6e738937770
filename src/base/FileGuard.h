#pragma once

#include "base/PositionalFile.h"

#include <mutex>
#include <optional>
#include <string>

namespace hw {

// The file a document was last read from or written to, as it was then. A
// save over that file once another program has changed, replaced or made
// it is refused: the file is then that program's. Shared by the threads
// that save.
class FileGuard {
public:
    // The document now belongs to the file at path, as identity tells (none:
    // there was no file).
    void Bind(const std::string& path, const std::optional<FileIdentity>& identity);
    // The file at path may be replaced: it is another file than the guarded
    // one, there is none there, or it is as it was.
    bool MayReplace(const std::string& path) const;
    // A save of the document replaced the file at path: it belongs to it.
    void Saved(const std::string& path) { Bind(path, FileIdentity::Of(path)); }

private:
    mutable std::mutex mutex_;
    std::string path_;
    std::optional<FileIdentity> identity_;
};

} // namespace hw
