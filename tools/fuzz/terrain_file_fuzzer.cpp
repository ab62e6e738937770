// libFuzzer target for the terrain file: any bytes are opened or refused
// with a message. A file that opens reads every tile of every level (its
// header was held against its size), gives a height or none anywhere, and
// the map draws its relief, shading and contour lines, over it.
#include "FuzzCheck.h"
#include "FuzzFile.h"
#include "base/DrawList.h"
#include "geo/MapViewport.h"
#include "terrain/TerrainDrawing.h"
#include "terrain/TerrainLayer.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

double F64At(const uint8_t* p)
{
    double v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool OnEarth(double lat, double lon)
{
    return std::fabs(lat) <= 90 && std::fabs(lon) <= 180;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    const std::string path = FuzzFile::Instance().Write("in.dem", data, size);
    TerrainLayer layer;
    if (!layer.Open(path)) {
        FuzzCheck(!layer.TakeProblem().empty() && layer.File().Levels().empty(),
                  "a refused file gives a message, no levels");
        return 0;
    }
    TerrainFile& file = layer.File();
    const uint32_t t = file.TileSize();
    int reads = 0;
    for (size_t l = 0; l < file.Levels().size(); ++l) {
        const TerrainFile::Level& level = file.Levels()[l];
        TerrainTile tile;
        FuzzCheck(!file.ReadTile(l, level.tilesX, 0, tile) &&
                      !file.ReadTile(l, 0, level.tilesY, tile),
                  "no tile outside the level");
        for (uint32_t ty = 0; ty < level.tilesY && reads < 64; ++ty)
            for (uint32_t tx = 0; tx < level.tilesX && reads < 64; ++tx, ++reads) {
                FuzzCheck(file.ReadTile(l, tx, ty, tile), "every tile of an opened file reads");
                FuzzCheck(tile.size == t && tile.heights.size() == size_t{t} * t &&
                              tile.shades.size() == size_t{t} * t,
                          "a tile holds its size squared");
            }
    }

    // Heights: the middle of the grid, and a place on the earth the input's
    // end gives.
    const TerrainSummary& s = file.Summary();
    const double midLat = (s.minLat + s.maxLat) / 2, midLon = (s.minLon + s.maxLon) / 2;
    (void)file.HeightAt(midLat, midLon);
    if (size >= 16 && OnEarth(F64At(data + size - 16), F64At(data + size - 8)))
        (void)file.HeightAt(F64At(data + size - 16), F64At(data + size - 8));
    FuzzCheck(std::isnan(file.HeightAt(s.maxLat + 1, s.minLon - 1)), "none outside the grid");

    // The relief of a view over the middle of the grid, near and far.
    const GeoPoint centre =
        OnEarth(midLat, midLon) ? GeoPoint::FromDegrees(midLat, midLon) : GeoPoint{};
    TerrainDrawing drawing(layer);
    for (double scaleKm : {2.0, 30.0}) {
        const MapViewport view(centre, scaleKm, {0, 0, 480, 360});
        DrawList out;
        drawing.Draw(view, scaleKm, out);
        drawing.DrawLabels(view, 0, out);
        for (const TerrainDrawing::TileRef& tile : drawing.ShadeTiles(view))
            FuzzCheck(drawing.Shades(tile).size() == size_t{t} * t, "shades of a tile in sight");
    }
    return 0;
}
