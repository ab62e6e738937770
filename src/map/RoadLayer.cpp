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

const char* RoadLayer::AreaClassName(int areaClass)
{
    static constexpr const char* kNames[kAreaClassCount] = {
        "水域", "树林", "草地和灌丛", "农田", "建成区", "岩石和冰川", "湿地", "建筑物",
    };
    return areaClass >= 0 && areaClass < kAreaClassCount ? kNames[areaClass] : "";
}

const char* RoadLayer::LineClassName(int lineClass)
{
    static constexpr const char* kNames[kLineClassCount] = {
        "河流", "溪流", "悬崖和山脊", "索道", "电力线", "海岸线",
    };
    return lineClass >= 0 && lineClass < kLineClassCount ? kNames[lineClass] : "";
}

const char* RoadLayer::PointClassName(int pointClass)
{
    static constexpr const char* kNames[kPointClassCount] = {
        "山峰", "山口", "地名", "山屋和避难所", "饮用水", "观景点",
    };
    return pointClass >= 0 && pointClass < kPointClassCount ? kNames[pointClass] : "";
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
    problem_ = "No map: " + error;
    return false;
}

void RoadLayer::LoadClassMask(const SettingsStore& settings)
{
    SetClassMask(static_cast<unsigned>(settings.GetInt(section::kMap, map_setting::kRoadClasses,
                                                       static_cast<int>(kAllRoadClasses))));
    auto mask = [&](const char* name, unsigned all) {
        return static_cast<unsigned>(settings.GetInt(section::kMap, name, static_cast<int>(all)));
    };
    SetTopoMasks(mask(map_setting::kAreaClasses, kAllAreaClasses),
                 mask(map_setting::kLineClasses, kAllLineClasses),
                 mask(map_setting::kPointClasses, kAllPointClasses));
}

void RoadLayer::StoreClassMask(SettingsStore& settings) const
{
    settings.SetInt(section::kMap, map_setting::kRoadClasses, static_cast<int>(mask_));
    settings.SetInt(section::kMap, map_setting::kAreaClasses, static_cast<int>(areaMask_));
    settings.SetInt(section::kMap, map_setting::kLineClasses, static_cast<int>(lineMask_));
    settings.SetInt(section::kMap, map_setting::kPointClasses, static_cast<int>(pointMask_));
}

std::string RoadLayer::TakeProblem()
{
    return std::exchange(problem_, std::string());
}

} // namespace hw
