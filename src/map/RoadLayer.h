#pragma once

#include "base/HandheldPaths.h"
#include "map/RoadMap.h"

#include <string>

namespace hw {

class SettingsStore;

// Road layer settings, section "地图".
namespace map_setting {
inline constexpr const char* kRoadMap = "Road Map";
inline constexpr const char* kDefaultRoadMap = "\\My Documents\\KORV\\ca.map";
} // namespace map_setting

// The background road map of the map view: which file it comes from (the
// file given for this run, else the "Road Map" setting), the map read from
// it, and the road classes shown (a 10-bit mask, all on). A file that is
// missing or damaged leaves the layer empty and yields one message for the
// status bar; nothing else stops.
class RoadLayer {
public:
    // The path of the map file to open: runFile (--roads) when it is given,
    // else the setting, mapped to this machine.
    static std::string MapPath(const SettingsStore& settings, const HandheldFolders& folders,
                               const std::string& runFile, const std::string& home = {});

    // Reads the file; false when it cannot be read, with Problem() set.
    bool Open(const std::string& path);
    const RoadMap& Map() const { return map_; }

    // The message for the status bar about the last open, once: empty after
    // it was taken, and when the file was read.
    std::string TakeProblem();

    unsigned ClassMask() const { return mask_; }
    void SetClassMask(unsigned mask) { mask_ = mask & kAllRoadClasses; }
    bool Shows(int roadClass) const { return (mask_ >> roadClass & 1u) != 0; }

private:
    RoadMap map_;
    std::string problem_;
    unsigned mask_ = kAllRoadClasses;
};

} // namespace hw
