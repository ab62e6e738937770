// GDAL's side of the raster reader, built as a module of its own that the
// tool loads only when a raster needs GDAL (see GdalModule).
#include "terrain/raster/ElevationRasterReader.h"
#include "terrain/raster/GdalModule.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <gdal_frmts.h>
#include <gdalwarper.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace hw {

namespace {

struct DatasetCloser {
    void operator()(void* ds) const
    {
        if (ds)
            GDALClose(ds);
    }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

std::string LastError(const std::string& path)
{
    std::string why = CPLGetLastErrorMsg();
    std::string message = "cannot read the raster " + path;
    return why.empty() ? message : message + ": " + why;
}

// True when the dataset is not north-up in geographic degrees.
bool NeedsWarp(GDALDatasetH ds)
{
    double gt[6];
    if (GDALGetGeoTransform(ds, gt) != CE_None)
        return false;
    if (gt[2] != 0.0 || gt[4] != 0.0)
        return true;
    OGRSpatialReferenceH srs = GDALGetSpatialRef(ds);
    return srs && !OSRIsGeographic(srs);
}

Dataset WarpedToGeographic(GDALDatasetH ds)
{
    OGRSpatialReferenceH wgs84 = OSRNewSpatialReference(nullptr);
    OSRSetWellKnownGeogCS(wgs84, "WGS84");
    OSRSetAxisMappingStrategy(wgs84, OAMS_TRADITIONAL_GIS_ORDER);
    char* wkt = nullptr;
    OSRExportToWkt(wgs84, &wkt);
    GDALDatasetH warped = GDALAutoCreateWarpedVRT(ds, nullptr, wkt, GRA_Bilinear, 0.0, nullptr);
    CPLFree(wkt);
    OSRDestroySpatialReference(wgs84);
    return Dataset(warped);
}

bool ReadBand(GDALDatasetH ds, const std::string& path, ElevationGrid& grid, std::string& error)
{
    if (GDALGetRasterCount(ds) < 1) {
        error = "the raster " + path + " has no band";
        return false;
    }
    int w = GDALGetRasterXSize(ds);
    int h = GDALGetRasterYSize(ds);
    if (w < 1 || h < 1 || static_cast<double>(w) * h > ElevationRasterReader::kMaxCells) {
        error = "the raster " + path + " is too large (" + std::to_string(w) + " x " +
                std::to_string(h) + ")";
        return false;
    }
    double gt[6] = {0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
    GDALGetGeoTransform(ds, gt);
    grid = ElevationGrid(w, h, GridPlacement{gt[0], gt[3], gt[1], gt[5]});
    GDALRasterBandH band = GDALGetRasterBand(ds, 1);
    CPLErrorReset();
    if (GDALRasterIO(band, GF_Read, 0, 0, w, h, grid.Row(0), w, h, GDT_Float32, 0, 0) != CE_None) {
        error = LastError(path);
        grid = ElevationGrid();
        return false;
    }
    int hasNoData = 0;
    double noData = GDALGetRasterNoDataValue(band, &hasNoData);
    // A no-data value beyond a float's range marks no cell (and converting
    // it would be undefined).
    if (hasNoData && std::abs(noData) <= std::numeric_limits<float>::max()) {
        auto voidValue = static_cast<float>(noData);
        for (int r = 0; r < h; ++r) {
            float* row = grid.Row(r);
            for (int c = 0; c < w; ++c)
                if (row[c] == voidValue)
                    row[c] = ElevationGrid::kVoid;
        }
    }
    return true;
}

// GDAL set up once per process, quiet (its errors become our messages),
// with the drivers of the usual elevation formats only: registering every
// driver costs more than shading a tile.
void RegisterCommonDrivers()
{
    static const bool done = [] {
        CPLSetErrorHandler(CPLQuietErrorHandler);
        GDALRegister_GTiff();
        GDALRegister_SRTMHGT();
        GDALRegister_DTED();
        GDALRegister_VRT();
        return true;
    }();
    (void)done;
}

// Every driver, for a raster that none of the usual ones opens.
bool RegisterAllDrivers()
{
    static bool done = false;
    if (done)
        return false;
    GDALAllRegister();
    done = true;
    return true;
}

bool Open(const std::string& path, bool geographic, ElevationGrid& grid, std::string& error)
{
    auto open = [&] {
        CPLErrorReset();
        return Dataset(
            GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    };
    Dataset ds = open();
    if (!ds && RegisterAllDrivers())
        ds = open();
    if (!ds) {
        error = LastError(path);
        return false;
    }
    if (geographic && NeedsWarp(ds.get())) {
        Dataset warped = WarpedToGeographic(ds.get());
        if (!warped) {
            error = LastError(path);
            return false;
        }
        return ReadBand(warped.get(), path, grid, error);
    }
    return ReadBand(ds.get(), path, grid, error);
}

} // namespace

} // namespace hw

extern "C" __attribute__((visibility("default"))) bool
HIKEWISE_GDAL_READ_FUNCTION(const char* path, bool geographic, hw::ElevationGrid* grid,
                            std::string* error)
{
    hw::RegisterCommonDrivers();
    return hw::Open(path, geographic, *grid, *error);
}
