// libFuzzer target for the GeoTIFF read straight from its file: any bytes
// are refused or opened; an opened file reads every row within its bytes,
// as heights or voids, and shades without a fault.
#include "FuzzCheck.h"
#include "FuzzFile.h"
#include "terrain/GeoTiffRaster.h"
#include "terrain/HillShade.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

class Discard final : public hw::ShadeSink {
public:
    bool Take(int, int, const uint8_t*) override { return true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    const std::string path = FuzzFile::Instance().Write("in.tif", data, size);
    auto tiff = GeoTiffRaster::Open(path);
    if (!tiff)
        return 0;
    FuzzCheck(tiff->Width() > 0 && tiff->Height() > 0, "an opened raster has cells");
    // Every cell lies in the file: no more cells than bytes.
    FuzzCheck(static_cast<uint64_t>(tiff->Width()) * static_cast<uint64_t>(tiff->Height()) <= size,
              "no more cells than the file holds");
    const GridPlacement p = tiff->Placement();
    FuzzCheck(std::isfinite(p.originX) && std::isfinite(p.originY) && p.stepX > 0 && p.stepY < 0,
              "a finite north-up placement");
    std::vector<float> row(static_cast<size_t>(tiff->Width()));
    for (int r = 0; r < tiff->Height(); ++r)
        tiff->ReadRow(r, row.data());
    Discard sink;
    FuzzCheck(HillShade().Shade(*tiff, p.stepX, p.stepY, sink), "the shading runs to the end");
    return 0;
}
