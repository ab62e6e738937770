#include "terrain/raster/ElevationRasterReader.h"

#include "base/FormatString.h"
#include "terrain/GeoTiffRaster.h"
#include "terrain/HgtRaster.h"
#include "terrain/raster/GdalModule.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace hw {

namespace {

// The raster read straight from its file when it is an SRTM tile or a
// plain GeoTIFF (in geographic degrees when asked); null otherwise, with
// the reason in damage when it is a plain GeoTIFF too damaged to read.
std::unique_ptr<ElevationRows> OpenDirect(const std::string& path, bool geographic,
                                          std::string& damage)
{
    if (auto tile = HgtRaster::Open(path))
        return tile;
    std::string why;
    auto tiff = GeoTiffRaster::Open(path, &why);
    if (!why.empty())
        damage = "cannot read the raster " + path + ": " + why;
    if (tiff && (!geographic || tiff->Geographic()))
        return tiff;
    return nullptr;
}

bool CheckSize(const std::string& path, int width, int height, std::string& error)
{
    if (static_cast<double>(width) * height <= ElevationRasterReader::kMaxCells)
        return true;
    error = "the raster " + path + " is too large (" + std::to_string(width) + " x " +
            std::to_string(height) + ")";
    return false;
}

bool ReadWithGdal(const std::string& path, bool geographic, ElevationGrid& grid, std::string& error)
{
    std::string why;
    GdalModule::ReadFunction read = GdalModule::Reader(why);
    if (read == nullptr) {
        error = "cannot read the raster " + path + ": " + why;
        return false;
    }
    return read(path.c_str(), geographic, &grid, &error);
}

bool Open(const std::string& path, bool geographic, ElevationGrid& grid, std::string& error)
{
    error.clear();
    if (auto rows = OpenDirect(path, geographic, error)) {
        if (!CheckSize(path, rows->Width(), rows->Height(), error))
            return false;
        grid = rows->ToGrid();
        return true;
    }
    return error.empty() && ReadWithGdal(path, geographic, grid, error);
}

} // namespace

bool ElevationRasterReader::Read(const std::string& path, ElevationGrid& grid,
                                 std::string& error) const
{
    return Open(path, false, grid, error);
}

std::unique_ptr<ElevationRows> ElevationRasterReader::OpenRows(const std::string& path,
                                                               std::string& error) const
{
    error.clear();
    if (auto rows = OpenDirect(path, false, error))
        return CheckSize(path, rows->Width(), rows->Height(), error) ? std::move(rows) : nullptr;
    if (!error.empty())
        return nullptr;
    ElevationGrid grid;
    if (!ReadWithGdal(path, false, grid, error))
        return nullptr;
    return std::make_unique<GridRows>(std::move(grid));
}

bool ElevationRasterReader::ReadGeographic(const std::string& path, ElevationGrid& grid,
                                           std::string& error) const
{
    if (!Open(path, true, grid, error))
        return false;
    const GridPlacement& p = grid.Placement();
    if (LiesOnTheEarth(p, grid.Width(), grid.Height()))
        return true;
    error = "the raster " + path + " is placed off the earth" +
            FormatString(" (latitude %.6g to %.6g, longitude %.6g to %.6g)", p.Y(grid.Height()),
                         p.Y(0), p.X(0), p.X(grid.Width()));
    grid = {};
    return false;
}

bool ElevationRasterReader::ReadJoined(const std::vector<std::string>& paths, ElevationGrid& grid,
                                       std::string& error, const ReadProgress& read) const
{
    if (paths.empty()) {
        error = "no raster given";
        return false;
    }
    std::vector<ElevationGrid> parts(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!ReadGeographic(paths[i], parts[i], error))
            return false;
        if (read)
            read(i + 1, paths.size());
    }
    if (parts.size() == 1) {
        grid = std::move(parts[0]);
        return true;
    }
    const GridPlacement& p0 = parts[0].Placement();
    double west = p0.originX, north = p0.originY;
    double east = p0.X(parts[0].Width()), south = p0.Y(parts[0].Height());
    for (size_t i = 1; i < parts.size(); ++i) {
        const GridPlacement& p = parts[i].Placement();
        if (std::abs(p.stepX - p0.stepX) > 1e-9 * std::abs(p0.stepX) ||
            std::abs(p.stepY - p0.stepY) > 1e-9 * std::abs(p0.stepY) || p.stepY >= 0.0) {
            error = "the rasters " + paths[0] + " and " + paths[i] +
                    " have different cell sizes and cannot be joined";
            return false;
        }
        west = std::min(west, p.originX);
        north = std::max(north, p.originY);
        east = std::max(east, p.X(parts[i].Width()));
        south = std::min(south, p.Y(parts[i].Height()));
    }
    double cols = std::round((east - west) / p0.stepX);
    double rows = std::round((south - north) / p0.stepY);
    if (cols * rows > kMaxCells) {
        error = "the joined rasters are too large (" + std::to_string(cols) + " x " +
                std::to_string(rows) + " cells)";
        return false;
    }
    grid = ElevationGrid(static_cast<int>(cols), static_cast<int>(rows),
                         GridPlacement{west, north, p0.stepX, p0.stepY});
    for (const ElevationGrid& part : parts) {
        const GridPlacement& p = part.Placement();
        auto col0 = static_cast<int>(std::lround((p.originX - west) / p0.stepX));
        auto row0 = static_cast<int>(std::lround((p.originY - north) / p0.stepY));
        for (int r = 0; r < part.Height(); ++r) {
            int gr = row0 + r;
            if (gr < 0 || gr >= grid.Height())
                continue;
            const float* src = part.Row(r);
            float* dst = grid.Row(gr);
            for (int c = 0; c < part.Width(); ++c) {
                int gc = col0 + c;
                if (gc >= 0 && gc < grid.Width() && ElevationGrid::IsVoid(dst[gc]))
                    dst[gc] = src[c];
            }
        }
    }
    return true;
}

std::string ElevationRasterReader::Credit(const std::vector<std::string>& paths)
{
    std::vector<std::string> credits;
    for (const std::string& path : paths) {
        std::string credit =
            HgtRaster::Open(path) ? "NASA/USGS SRTM" : GeoTiffRaster::Copyright(path);
        if (credit.empty())
            credit = std::filesystem::path(path).filename().string();
        if (std::find(credits.begin(), credits.end(), credit) == credits.end())
            credits.push_back(credit);
    }
    std::string joined;
    for (const std::string& credit : credits)
        joined += (joined.empty() ? "" : ", ") + credit;
    return joined;
}

} // namespace hw
