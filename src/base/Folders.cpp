#include "base/Folders.h"

#include <filesystem>
#include <system_error>

namespace hw {

bool EnsureParentFolder(const std::string& filePath)
{
    const std::filesystem::path parent = std::filesystem::path(filePath).parent_path();
    if (parent.empty())
        return true;
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    return std::filesystem::is_directory(parent, ec);
}

} // namespace hw
