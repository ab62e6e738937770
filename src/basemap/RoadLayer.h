#pragma once

#include "base/HandheldPaths.h"
#include "basemap/RoadMap.h"

#include <string>

namespace hw {

class SettingsStore;

// Road layer settings, section "地图".
namespace map_setting {
inline constexpr const char* kRoadMap = "Road Map";
inline constexpr const char* kDefaultRoadMap = "\\My Documents\\KORV\\ca.map";
// The road classes shown, bit n for class n (integer, default all ten).
inline constexpr const char* kRoadClasses = "Road Classes";
// The area, line and point classes shown, bit n for class n (all by default).
inline constexpr const char* kAreaClasses = "Area Classes";
inline constexpr const char* kLineClasses = "Line Classes";
inline constexpr const char* kPointClasses = "Point Classes";
} // namespace map_setting

// The background map of the map view: which file it comes from (the file
// given for this run, else the "Road Map" setting), the map read from it,
// and the road, area, line and point classes shown (bit masks, all on). A file that is
// missing or damaged leaves the layer empty and yields one message for the
// status bar; nothing else stops.
class RoadLayer {
public:
    // The classes' names as the map properties list them.
    static const char* ClassName(int roadClass);
    static const char* AreaClassName(int areaClass);
    static const char* LineClassName(int lineClass);
    static const char* PointClassName(int pointClass);

    // The path of the map file to open: runFile (--roads) when it is given,
    // else the setting, mapped to this machine.
    static std::string MapPath(const SettingsStore& settings, const HandheldFolders& folders,
                               const std::string& runFile, const std::string& home = {});

    // Reads the file; false when it cannot be read, with Problem() set.
    bool Open(const std::string& path);
    const RoadMap& Map() const { return map_; }
    // Empties the layer, with no message.
    void Close();

    // The message for the status bar about the last open, once: empty after
    // it was taken, and when the file was read.
    std::string TakeProblem();

    // The classes shown, from the setting and back to it.
    void LoadClassMask(const SettingsStore& settings);
    void StoreClassMask(SettingsStore& settings) const;
    unsigned ClassMask() const { return mask_; }
    void SetClassMask(unsigned mask)
    {
        mask_ = mask & kAllRoadClasses;
        ++revision_;
    }
    // Counts the changes of map and classes.
    uint64_t Revision() const { return revision_; }
    bool Shows(int roadClass) const { return (mask_ >> roadClass & 1u) != 0; }

    unsigned AreaMask() const { return areaMask_; }
    unsigned LineMask() const { return lineMask_; }
    unsigned PointMask() const { return pointMask_; }
    void SetTopoMasks(unsigned areas, unsigned lines, unsigned points)
    {
        areaMask_ = areas & kAllAreaClasses;
        lineMask_ = lines & kAllLineClasses;
        pointMask_ = points & kAllPointClasses;
        ++revision_;
    }

private:
    RoadMap map_;
    std::string problem_;
    unsigned mask_ = kAllRoadClasses;
    unsigned areaMask_ = kAllAreaClasses;
    unsigned lineMask_ = kAllLineClasses;
    unsigned pointMask_ = kAllPointClasses;
    uint64_t revision_ = 0;
};

} // namespace hw
