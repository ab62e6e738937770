#include "base/AtomicFile.h"

#include "base/AtomicFileWriter.h"

namespace hw {

bool WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty() || path.back() == '/')
        return false;
    AtomicFileWriter writer(path);
    return writer.Open() && writer.Write(bytes.data(), bytes.size()) && writer.Commit();
}

} // namespace hw
