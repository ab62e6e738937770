#include "map/gui/LayerFiles.h"

#include "base/SettingsStore.h"
#include "basemap/RoadLayer.h"
#include "terrain/TerrainLayer.h"
#include "widgets/AppPaths.h"

#include <QFile>

namespace hw {

MapDemo::Own LayerFiles::Open(RoadLayer& roads, TerrainLayer& terrain,
                              const SettingsStore& settings,
                              const std::optional<std::string>& roadsFile,
                              const std::optional<std::string>& terrainFile, const Problem& problem)
{
    roads.LoadClassMask(settings);
    terrain.LoadSettings(settings);
    MapDemo::Own own;
    own.roads = OpenOne(roads, settings, roadsFile, map_setting::kRoadMap,
                        map_setting::kDefaultRoadMap, problem);
    own.terrain = OpenOne(terrain, settings, terrainFile, map_setting::kTerrainMap,
                          map_setting::kDefaultTerrainMap, problem);
    return own;
}

template <class Layer>
bool LayerFiles::OpenOne(Layer& layer, const SettingsStore& settings,
                         const std::optional<std::string>& runFile, const char* setting,
                         const char* defaultPath, const Problem& problem)
{
    const std::string path = Layer::MapPath(settings, AppPaths::Folders(), runFile.value_or(""));
    // No file where none was ever chosen is not worth a message.
    const bool chosen =
        runFile.has_value() || settings.GetText(section::kMap, setting, defaultPath) != defaultPath;
    if (!chosen && !QFile::exists(QString::fromStdString(path)))
        return false;
    if (!layer.Open(path))
        problem(QString::fromStdString(layer.TakeProblem()));
    return true;
}

} // namespace hw
