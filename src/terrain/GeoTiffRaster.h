#pragma once

#include "base/MappedFile.h"
#include "terrain/ElevationRows.h"

#include <memory>
#include <string>

namespace hw {

// A plain GeoTIFF read straight from its file: classic TIFF of either byte
// order, one band, uncompressed, in strips or tiles, of 8-, 16- or 32-bit
// integers or 32-bit floats, north-up (one tie point and a pixel scale),
// its no-data value in the GDAL_NODATA tag. Such files are what
// gdal_translate and gdalwarp write by default. Only the first image is
// read; later ones are overviews.
class GeoTiffRaster final : public ElevationRows {
public:
    // Null when the file is not such a GeoTIFF (another format, compressed,
    // several bands, a rotated grid, inconsistent or cut-off tables): the
    // caller may still hand it to a general reader for a full diagnosis.
    // Where it is one but its blocks are damaged (over the header, past the
    // end, too short for their rows), damage says so: no reader should take
    // it.
    static std::unique_ptr<GeoTiffRaster> Open(const std::string& path,
                                               std::string* damage = nullptr);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    GridPlacement Placement() const override { return placement_; }
    void ReadRow(int row, float* out) const override;

    // The copyright text of a classic TIFF (of any compression), in
    // printable ASCII; empty when it has none or is no such file.
    static std::string Copyright(const std::string& path);

    // The grid is in longitude and latitude (its model type says so).
    bool Geographic() const { return geographic_; }

    enum class Sample { U8, U16, I16, U32, I32, F32 };

private:
    GeoTiffRaster() = default;
    bool Parse();

    MappedFile file_;
    bool bigEndian_ = false;
    int width_ = 0;
    int height_ = 0;
    GridPlacement placement_;
    bool geographic_ = false;
    Sample sample_ = Sample::I16;
    int sampleBytes_ = 2;
    bool hasNoData_ = false;
    float noData_ = 0.0f;
    // Strips are tiles as wide as the image.
    int blockWidth_ = 0;
    int blockHeight_ = 0;
    int blocksAcross_ = 0;
    std::vector<uint64_t> blockOffsets_;
    std::string damage_;
};

} // namespace hw
