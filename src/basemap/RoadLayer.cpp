#include "basemap/RoadLayer.h"

#include "base/SettingsStore.h"
#include "base/Translate.h"

#include <utility>

namespace hw {

namespace {

// The name at an index of a table of names, or "" outside it.
template <size_t N> const char* NameAt(const char* const (&names)[N], int index)
{
    return index >= 0 && static_cast<size_t>(index) < N ? names[index] : "";
}

} // namespace

const char* RoadLayer::ClassName(int roadClass)
{
    static constexpr const char* kNames[kRoadClassCount] = {
        HW_TRANSLATE_NOOP("RoadLayer", "高速公路"), HW_TRANSLATE_NOOP("RoadLayer", "干线公路"),
        HW_TRANSLATE_NOOP("RoadLayer", "主要道路"), HW_TRANSLATE_NOOP("RoadLayer", "次要道路"),
        HW_TRANSLATE_NOOP("RoadLayer", "三级道路"), HW_TRANSLATE_NOOP("RoadLayer", "街道"),
        HW_TRANSLATE_NOOP("RoadLayer", "辅路"),     HW_TRANSLATE_NOOP("RoadLayer", "机耕路"),
        HW_TRANSLATE_NOOP("RoadLayer", "小径"),     HW_TRANSLATE_NOOP("RoadLayer", "铁路"),
    };
    return NameAt(kNames, roadClass);
}

const char* RoadLayer::AreaClassName(int areaClass)
{
    static constexpr const char* kNames[kAreaClassCount] = {
        HW_TRANSLATE_NOOP("RoadLayer", "水域"),       HW_TRANSLATE_NOOP("RoadLayer", "树林"),
        HW_TRANSLATE_NOOP("RoadLayer", "草地和灌丛"), HW_TRANSLATE_NOOP("RoadLayer", "农田"),
        HW_TRANSLATE_NOOP("RoadLayer", "建成区"),     HW_TRANSLATE_NOOP("RoadLayer", "岩石和冰川"),
        HW_TRANSLATE_NOOP("RoadLayer", "湿地"),       HW_TRANSLATE_NOOP("RoadLayer", "建筑物"),
    };
    return NameAt(kNames, areaClass);
}

const char* RoadLayer::LineClassName(int lineClass)
{
    static constexpr const char* kNames[kLineClassCount] = {
        HW_TRANSLATE_NOOP("RoadLayer", "河流"),       HW_TRANSLATE_NOOP("RoadLayer", "溪流"),
        HW_TRANSLATE_NOOP("RoadLayer", "悬崖和山脊"), HW_TRANSLATE_NOOP("RoadLayer", "索道"),
        HW_TRANSLATE_NOOP("RoadLayer", "电力线"),     HW_TRANSLATE_NOOP("RoadLayer", "海岸线"),
    };
    return NameAt(kNames, lineClass);
}

const char* RoadLayer::PointClassName(int pointClass)
{
    static constexpr const char* kNames[kPointClassCount] = {
        HW_TRANSLATE_NOOP("RoadLayer", "山峰"),   HW_TRANSLATE_NOOP("RoadLayer", "山口"),
        HW_TRANSLATE_NOOP("RoadLayer", "地名"),   HW_TRANSLATE_NOOP("RoadLayer", "山屋和避难所"),
        HW_TRANSLATE_NOOP("RoadLayer", "饮用水"), HW_TRANSLATE_NOOP("RoadLayer", "观景点"),
    };
    return NameAt(kNames, pointClass);
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

void RoadLayer::Close()
{
    map_ = RoadMap();
    problem_.clear();
    ++revision_;
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
