#include "base/ReadFile.h"

#include "base/FileByteReader.h"

#include <memory>

namespace hw {

bool ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string& out)
{
    out.clear();
    auto reader = std::make_unique<FileByteReader>(); // its buffer is large
    if (!reader->Open(path) || reader->Size() > maxBytes)
        return false;
    out.resize(static_cast<std::size_t>(reader->Size()));
    if (!reader->Read(out.data(), out.size())) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace hw
