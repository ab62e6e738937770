#include "map/RoadLayer.h"

#include "base/SettingsStore.h"

#include <utility>

namespace hw {

std::string RoadLayer::MapPath(const SettingsStore& settings, const HandheldFolders& folders,
                               const std::string& runFile, const std::string& home)
{
    if (!runFile.empty())
        return MapHandheldPath(runFile, folders, home);
    std::string stored =
        settings.GetText(section::kMap, map_setting::kRoadMap, map_setting::kDefaultRoadMap);
    return MapHandheldPath(stored, folders, home);
}

bool RoadLayer::Open(const std::string& path)
{
    std::string error;
    if (map_.Load(path, error)) {
        problem_.clear();
        return true;
    }
    problem_ = "No roads: " + error;
    return false;
}

std::string RoadLayer::TakeProblem()
{
    return std::exchange(problem_, std::string());
}

} // namespace hw
