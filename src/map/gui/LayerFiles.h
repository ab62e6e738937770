#pragma once

#include "map/MapDemo.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace hw {

class RoadLayer;
class SettingsStore;
class TerrainLayer;

// The map window's road and terrain files, the run's or the settings', each
// read into its layer with the layer's settings. A file that cannot be read
// leaves its layer empty and gives one message; no file where none was ever
// chosen gives none.
class LayerFiles {
public:
    using Problem = std::function<void(const QString& text)>;

    // Which layers the user has a file of their own for.
    static MapDemo::Own Open(RoadLayer& roads, TerrainLayer& terrain, const SettingsStore& settings,
                             const std::optional<std::string>& roadsFile,
                             const std::optional<std::string>& terrainFile, const Problem& problem);

private:
    template <class Layer>
    static bool OpenOne(Layer& layer, const SettingsStore& settings,
                        const std::optional<std::string>& runFile, const char* setting,
                        const char* defaultPath, const Problem& problem);
};

} // namespace hw
