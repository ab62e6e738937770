#pragma once

#include "base/HandheldPaths.h"
#include "terrain/TerrainFile.h"

#include <array>
#include <cstdint>
#include <string>

namespace hw {

class SettingsStore;

// Terrain layer settings, section "地图".
namespace map_setting {
inline constexpr const char* kTerrainMap = "Terrain Map";
inline constexpr const char* kDefaultTerrainMap = "\\My Documents\\KORV\\terrain.dem";
inline constexpr const char* kTerrainShading = "Terrain Shading";   // 0/1, default 1
inline constexpr const char* kTerrainContours = "Terrain Contours"; // 0/1, default 1
inline constexpr const char* kTerrainStrength = "Terrain Strength"; // 0-100, default 50
} // namespace map_setting

// The contour interval the map draws at a scale, in the altitude unit, and
// in metres; none (0) when the map is too small for contours.
struct ContourInterval {
    double shown = 0;
    double metres = 0;
    // Every fifth line is an index line: darker, with its elevation written.
    bool IsIndexLine(double elevationMetres) const;
};

// The relief under the map: which terrain file it comes from (the file given
// for this run, else the "Terrain Map" setting), whether shading and
// contours are drawn and how strong the shading is, and the rules of their
// drawing. A missing or damaged file leaves the layer empty and yields one
// message for the status bar.
class TerrainLayer {
public:
    static constexpr int kDefaultStrength = 50;

    // The path of the terrain file: runFile (--terrain) when given, else
    // the setting, mapped to this machine.
    static std::string MapPath(const SettingsStore& settings, const HandheldFolders& folders,
                               const std::string& runFile, const std::string& home = {});

    // The interval for a map of metresPerPixel: the smallest of 10, 20, 50,
    // 100, 200, 500 m (25, 50, 100, 250, 500, 1000 ft) whose lines lie at
    // least six pixels apart on a 30-degree slope.
    static ContourInterval IntervalFor(double metresPerPixel, bool feet);

    // What the shading multiplies the map by, per shade (0 no slope known):
    // 255 for flat ground and slopes facing the light, darker as they turn
    // away, scaled by the strength (0-100) and the gain; the night themes
    // darken the slopes further, as they darken the roads, and leave flat
    // ground as it is.
    static std::array<uint8_t, 256> ShadeMultipliers(int strength, bool night, double gain = 1.0);
    // How much a map of metresPerPixel deepens the shading: 1 close in, up
    // to 2.5 far out, where the slopes of a pixel's ground average out and
    // the shading would fade.
    static double ShadeGain(double metresPerPixel);

    // Opens the file; false when it cannot be read, with Problem() set.
    bool Open(const std::string& path);
    TerrainFile& File() { return file_; }
    const TerrainFile& File() const { return file_; }
    bool HasTerrain() const { return file_.IsOpen(); }
    // Empties the layer, with no message.
    void Close();

    // The message for the status bar about the last open, once.
    std::string TakeProblem();

    void LoadSettings(const SettingsStore& settings);
    void StoreSettings(SettingsStore& settings) const;
    bool Shading() const { return shading_; }
    bool Contours() const { return contours_; }
    int Strength() const { return strength_; }
    void Set(bool shading, bool contours, int strength);
    // Counts the changes of file and settings.
    uint64_t Revision() const { return revision_; }

private:
    TerrainFile file_;
    std::string problem_;
    bool shading_ = true;
    bool contours_ = true;
    int strength_ = kDefaultStrength;
    uint64_t revision_ = 0;
};

} // namespace hw
