#include "map/RoadLayer.h"

#include "base/SettingsStore.h"

#include <utility>

namespace hw {

const char* RoadLayer::ClassName(int roadClass)
{
    static constexpr const char* kNames[kRoadClassCount] = {
        "高速公路", "干线公路", "主要道路", "次要道路", "三级道路",
        "街道",     "辅路",     "机耕路",   "小径",     "铁路",
    };
    return roadClass >= 0 && roadClass < kRoadClassCount ? kNames[roadClass] : "";
}

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
    ++revision_;
    if (map_.Load(path, error)) {
        problem_.clear();
        return true;
    }
    problem_ = "No roads: " + error;
    return false;
}

void RoadLayer::LoadClassMask(const SettingsStore& settings)
{
    SetClassMask(static_cast<unsigned>(settings.GetInt(section::kMap, map_setting::kRoadClasses,
                                                       static_cast<int>(kAllRoadClasses))));
}

void RoadLayer::StoreClassMask(SettingsStore& settings) const
{
    settings.SetInt(section::kMap, map_setting::kRoadClasses, static_cast<int>(mask_));
}

std::string RoadLayer::TakeProblem()
{
    return std::exchange(problem_, std::string());
}

} // namespace hw
