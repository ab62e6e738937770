#pragma once

#include "geo/GeoPoint.h"
#include "geo/MapLayer.h"
#include "geo/MapViewport.h"
#include "terrain/ContourTracer.h"
#include "terrain/ElevationGrid.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace hw {

class TerrainLayer;

// The relief on the map view: contour lines traced per tile of the terrain
// file at the interval the scale asks for, every fifth one darker with its
// elevation written along it, upright, where the map's names leave room; the tiles of hill shading
// in sight, for the painter to multiply under the map; and the elevation data's credit. Traced
// lines and read shades are kept per tile, so that a repaint only projects and blends.
class TerrainDrawing : public MapLayer {
public:
    // Before the terrain file's credit.
    static constexpr const char* kCreditLead = "Elevation: ";
    static constexpr Colour kContour = Rgb(176, 128, 80);
    static constexpr Colour kIndexContour = Rgb(132, 86, 44);
    static constexpr Colour kNightContour = Rgb(150, 110, 75);
    static constexpr Colour kNightIndexContour = Rgb(110, 72, 40);
    static constexpr Colour kNightLabel = Rgb(214, 176, 130);
    static constexpr int kMaxKeptTiles = 96;
    // The contour pieces a tile may hold, per square of its cells.
    static constexpr size_t kMaxSegmentsPerSquare = 8;

    explicit TerrainDrawing(TerrainLayer& layer) : layer_(layer) {}
    const TerrainLayer& Layer() const { return layer_; }
    void SetNight(bool night) { night_ = night; }
    bool Night() const { return night_; }
    // Contour intervals in feet when the altitude unit is feet.
    void SetFeet(bool feet) { feet_ = feet; }

    void Draw(const MapViewport& viewport, double scaleKm, DrawList& out) const override;
    void DrawLabels(const MapViewport& viewport, int top, DrawList& out) const override;
    // The elevations of the index lines the last Draw drew, where the placer finds room.
    void DrawNames(const MapViewport& viewport, double scaleKm, LabelPlacer& placer,
                   const TextMeasure& measure, DrawList& out) const override;
    uint64_t Revision() const override;
    bool Drew() const override { return drew_; }

    // One tile of a level of the terrain file, and where it lies.
    struct TileRef {
        uint32_t level = 0, tx = 0, ty = 0;
        // Corners of the tile's cells' outer edges: north-west, north-east,
        // south-west.
        GeoPoint northWest, northEast, southWest;
        bool operator<(const TileRef& o) const
        {
            return std::tie(level, tx, ty) < std::tie(o.level, o.tx, o.ty);
        }
    };
    // The level whose cells span at least minPixels on the screen (the
    // last when none does), and its tiles in sight.
    uint32_t LevelFor(const MapViewport& viewport, double minPixels) const;
    std::vector<TileRef> TilesInSight(const MapViewport& viewport, uint32_t level) const;
    // The shading of the tiles in sight, when shading is on.
    std::vector<TileRef> ShadeTiles(const MapViewport& viewport) const;
    // A tile's shades, tile size squared (empty when it cannot be read).
    const std::vector<uint8_t>& Shades(const TileRef& tile) const;
    // A tile's shades in a ring of its neighbours' nearest ones, tile size
    // plus two squared, so that the shading blends across the seams; where
    // there is no neighbour the ring repeats the tile's own edge (empty
    // when the tile cannot be read).
    std::vector<uint8_t> ShadesAround(const TileRef& tile) const;
    // Whether a box of points (microdegrees) lies wholly outside the box a
    // view shows, so that its line need not be projected. The points'
    // longitudes are taken whole turns nearer the view's centre (a file may
    // run on past 180 east); a view across the date line, whose box spans
    // every longitude, keeps everything.
    static bool OutOfSight(const MapViewport::GeoBox& box, const MapViewport::GeoBox& seen,
                           int32_t centreLon);
    // The metres one pixel spans on the ground north–south.
    static double MetresPerPixel(const MapViewport& viewport);

    // The contour labels the last DrawNames wrote.
    int LabelsDrawn() const { return labels_; }

private:
    struct Line {
        double elevation = 0;
        std::vector<GeoPoint> points;
        MapViewport::GeoBox box; // around the points, so that lines out of sight are passed over
    };
    struct Kept {
        bool read = false;
        std::vector<float> heights;
        std::vector<uint8_t> shades;
        std::map<double, std::vector<Line>> contours; // by interval in metres
    };
    // An index line's label: the places it may take, best first.
    struct ContourLabel {
        std::vector<Text> spots;
    };
    Kept& KeptTile(const TileRef& tile) const;
    const std::vector<Line>& Contours(const TileRef& tile, double intervalMetres) const;
    // A tile's heights with its eastern and southern neighbours' edges.
    ElevationGrid GridAround(const TileRef& tile) const;
    // The lines of a tile's grid in degrees; touches nothing kept.
    std::vector<Line> Traced(const ElevationGrid& grid, const TileRef& tile,
                             double intervalMetres) const;

    TerrainLayer& layer_;
    bool night_ = false;
    bool feet_ = false;
    mutable std::map<TileRef, Kept> kept_;
    mutable uint64_t keptRevision_ = 0;
    mutable bool drew_ = false;
    mutable int labels_ = 0;
    mutable std::vector<ContourLabel> labelSpots_;
};

} // namespace hw
