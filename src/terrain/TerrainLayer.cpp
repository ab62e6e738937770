#include "terrain/TerrainLayer.h"

#include "base/SettingsStore.h"
#include "terrain/HillShade.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace hw {

bool ContourInterval::IsIndexLine(double elevationMetres) const
{
    if (!(metres > 0))
        return false;
    double k = std::round(elevationMetres / metres);
    return std::fmod(std::abs(k), 5.0) == 0.0;
}

std::string TerrainLayer::MapPath(const SettingsStore& settings, const HandheldFolders& folders,
                                  const std::string& runFile, const std::string& home)
{
    if (!runFile.empty())
        return MapHandheldPath(runFile, folders, home);
    std::string stored =
        settings.GetText(section::kMap, map_setting::kTerrainMap, map_setting::kDefaultTerrainMap);
    return MapHandheldPath(stored, folders, home);
}

ContourInterval TerrainLayer::IntervalFor(double metresPerPixel, bool feet)
{
    constexpr double kMetres[] = {10, 20, 50, 100, 200, 500};
    constexpr double kFeet[] = {25, 50, 100, 250, 500, 1000};
    constexpr double kMetresPerFoot = 0.3048;
    constexpr double kMinPixels = 6.0;
    // On a 30-degree slope, lines an interval apart lie interval / tan(30)
    // metres apart on the ground.
    double needed = metresPerPixel * kMinPixels * std::tan(30.0 * 3.14159265358979 / 180.0);
    if (!(needed > 0))
        return {};
    for (int i = 0; i < 6; ++i) {
        double shown = feet ? kFeet[i] : kMetres[i];
        double metres = feet ? shown * kMetresPerFoot : shown;
        if (metres >= needed)
            return {shown, metres};
    }
    return {};
}

double TerrainLayer::ShadeGain(double metresPerPixel)
{
    constexpr double kFullDetail = 15; // metres a pixel at which the gain starts
    constexpr double kMostGain = 2.5;
    if (!(metresPerPixel > kFullDetail))
        return 1.0;
    return std::min(kMostGain, 1.0 + 0.6 * std::log2(metresPerPixel / kFullDetail));
}

std::array<uint8_t, 256> TerrainLayer::ShadeMultipliers(int strength, bool night, double gain)
{
    const double flat = HillShade().Flat();
    const double s = std::clamp(strength, 0, 100) / 100.0;
    std::array<uint8_t, 256> table{};
    for (int shade = 0; shade < 256; ++shade) {
        // No slope known (borders, voids) is drawn as flat ground.
        double away = shade == 0 ? 0.0 : std::max(0.0, (flat - shade) / flat);
        // Deepened by the gain near flat, easing toward black, so that
        // steep slopes keep their differences rather than all turning one grey.
        away = 1.0 - std::pow(1.0 - away, std::max(1.0, gain));
        double factor = 1.0 - s * away;
        // Flat ground stays as it is, so that the edge of the data leaves no
        // seam; only the slopes darken further at night.
        if (night)
            factor *= 1.0 - 0.35 * s * away;
        table[static_cast<size_t>(shade)] =
            static_cast<uint8_t>(std::lround(std::clamp(factor, 0.0, 1.0) * 255));
    }
    return table;
}

bool TerrainLayer::Open(const std::string& path)
{
    std::string error;
    ++revision_;
    if (file_.Open(path, error)) {
        problem_.clear();
        return true;
    }
    problem_ = "No terrain: " + error;
    return false;
}

void TerrainLayer::Close()
{
    file_ = TerrainFile();
    problem_.clear();
    ++revision_;
}

std::string TerrainLayer::TakeProblem()
{
    return std::exchange(problem_, std::string());
}

void TerrainLayer::LoadSettings(const SettingsStore& settings)
{
    Set(settings.GetInt(section::kMap, map_setting::kTerrainShading, 1) != 0,
        settings.GetInt(section::kMap, map_setting::kTerrainContours, 1) != 0,
        settings.GetInt(section::kMap, map_setting::kTerrainStrength, kDefaultStrength));
}

void TerrainLayer::StoreSettings(SettingsStore& settings) const
{
    settings.SetInt(section::kMap, map_setting::kTerrainShading, shading_ ? 1 : 0);
    settings.SetInt(section::kMap, map_setting::kTerrainContours, contours_ ? 1 : 0);
    settings.SetInt(section::kMap, map_setting::kTerrainStrength, strength_);
}

void TerrainLayer::Set(bool shading, bool contours, int strength)
{
    shading_ = shading;
    contours_ = contours;
    strength_ = std::clamp(strength, 0, 100);
    ++revision_;
}

} // namespace hw
