#include "track/TrackFileCommands.h"

#include "base/Folders.h"

#include <filesystem>
#include <system_error>

namespace hw {

int TrackFileCommands::SaveCurrent()
{
    const std::string path = binding_.Path();
    if (path.empty())
        return 0;
    EnsureParentFolder(path);
    if (log_.Save(path) == 1)
        return 1;
    while (recovery_ && recovery_->AskSaveElsewhere()) {
        const std::string chosen = recovery_->ChooseNewFile();
        if (chosen.empty())
            continue;
        if (log_.Save(chosen) == 1) {
            binding_.Bind(chosen);
            return 1;
        }
    }
    return 0; // declined: the walk stays in memory only
}

bool TrackFileCommands::Open(const std::string& chosen)
{
    if (chosen.empty())
        return false;
    SaveCurrent();
    if (log_.Load(chosen) != 1)
        return false;
    binding_.Bind(chosen);
    return true;
}

bool TrackFileCommands::New(const std::string& chosen, const ConfirmReplace& confirm)
{
    if (chosen.empty())
        return false;
    std::error_code ec;
    const bool exists = std::filesystem::exists(chosen, ec);
    if (exists && !(confirm && confirm(chosen)))
        return false;
    SaveCurrent();
    if (exists)
        std::filesystem::remove(chosen, ec);
    binding_.Bind(chosen);
    return true;
}

} // namespace hw
