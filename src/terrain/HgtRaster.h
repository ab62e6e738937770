#pragma once

#include "base/MappedFile.h"
#include "terrain/ElevationRows.h"

#include <memory>
#include <string>

namespace hw {

// An SRTM tile (.hgt) read straight from its file: big-endian 16-bit
// heights, -32768 a void, the tile's south-west corner in its name
// (N22W160.hgt) and its grid size in its length (1201 or 3601 cells square,
// or 1801 x 3601). Cell centres lie on whole fractions of a degree, so the
// grid's outer edge is half a cell beyond the degree lines.
class HgtRaster final : public ElevationRows {
public:
    // Null when the file is not such a tile (wrong name or length): the
    // caller may still hand it to a general reader for a full diagnosis.
    static std::unique_ptr<HgtRaster> Open(const std::string& path);
    // As above, the tile named by `name` (its file name without folders).
    static std::unique_ptr<HgtRaster> Open(const std::string& path, const std::string& name);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    GridPlacement Placement() const override { return placement_; }
    void ReadRow(int row, float* out) const override;

private:
    HgtRaster() = default;

    MappedFile file_;
    int width_ = 0;
    int height_ = 0;
    GridPlacement placement_;
};

} // namespace hw
