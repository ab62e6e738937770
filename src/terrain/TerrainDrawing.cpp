#include "terrain/TerrainDrawing.h"

#include "base/FormatString.h"
#include "base/HaloText.h"
#include "base/LabelPlacer.h"
#include "geo/ClippedPolyline.h"
#include "geo/MapViewport.h"
#include "terrain/TerrainLayer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

namespace hw {
namespace {

const Font kLabelFont{"Tahoma", 7, false, 0};
constexpr int kScaleBarBand = 27; // the scale bar's text and ticks, above the bottom edge
constexpr int kCreditLine = 14;   // one line above the road map's credit
constexpr double kMetresPerMicrodegree = 0.111195;
constexpr double kContourPixels = 1.5; // cells at least this wide are traced
constexpr double kShadePixels = 0.7;   // and shaded
constexpr int kLabelCharWidth = 6;     // a digit of the label font, roughly
constexpr int kLeastLoopPixels = 6;    // closed contours smaller than this are noise
constexpr int kSeenMargin = 4;         // pixels beyond the view where lines still count
constexpr double kPi = 3.14159265358979323846;

GeoPoint CellCorner(const GridPlacement& p, double col, double row)
{
    return GeoPoint::FromDegrees(p.Y(row), p.X(col));
}

// Whether the points fit in a square of the side.
bool SmallerThan(const std::vector<ScreenPoint>& points, int side)
{
    const auto [left, right] = std::minmax_element(
        points.begin(), points.end(), [](ScreenPoint a, ScreenPoint b) { return a.x < b.x; });
    const auto [top, bottom] = std::minmax_element(
        points.begin(), points.end(), [](ScreenPoint a, ScreenPoint b) { return a.y < b.y; });
    return right->x - left->x < side && bottom->y - top->y < side;
}

// Where a label may sit along a piece of an index line: at the middle,
// then a third and two thirds of the way, each turned along the line and
// upright. A piece shorter than three labels gets none.
std::vector<std::pair<ScreenPoint, int>> LabelSpots(const std::vector<ScreenPoint>& piece,
                                                    int textWidth)
{
    std::vector<std::pair<ScreenPoint, int>> spots;
    if (piece.size() < 2)
        return spots;
    double length = 0;
    for (size_t i = 1; i < piece.size(); ++i)
        length += std::hypot(piece[i].x - piece[i - 1].x, piece[i].y - piece[i - 1].y);
    if (length < textWidth * 3)
        return spots;
    for (double at : {0.5, 1.0 / 3, 2.0 / 3}) {
        const double goal = length * at;
        double walked = 0;
        for (size_t i = 1; i < piece.size(); ++i) {
            const double dx = piece[i].x - piece[i - 1].x, dy = piece[i].y - piece[i - 1].y;
            const double step = std::hypot(dx, dy);
            if (walked + step < goal) {
                walked += step;
                continue;
            }
            const double t = step > 0 ? (goal - walked) / step : 0;
            double degrees = std::atan2(-dy, dx) * 180 / kPi;
            if (degrees > 90)
                degrees -= 180;
            else if (degrees <= -90)
                degrees += 180;
            spots.push_back(
                {{TruncToPixel(piece[i - 1].x + dx * t), TruncToPixel(piece[i - 1].y + dy * t)},
                 static_cast<int>(std::lround(degrees * 10))});
            break;
        }
    }
    return spots;
}

} // namespace

bool TerrainDrawing::OutOfSight(const MapViewport::GeoBox& box, const MapViewport::GeoBox& seen,
                                int32_t centreLon)
{
    if (box.north < seen.south || box.south > seen.north)
        return true;
    constexpr int64_t kTurn = 360'000'000;
    if (int64_t{seen.east} - seen.west >= kTurn / 2)
        return false;
    const int64_t turns = std::llround(static_cast<double>(int64_t{box.west} - centreLon) / kTurn);
    const int64_t west = box.west - turns * kTurn, east = box.east - turns * kTurn;
    return east < seen.west || west > seen.east;
}

double TerrainDrawing::MetresPerPixel(const MapViewport& viewport)
{
    return viewport.Ys() > 0 ? kMetresPerMicrodegree / viewport.Ys() : 0;
}

uint64_t TerrainDrawing::Revision() const
{
    return layer_.Revision() * 4 + (night_ ? 1 : 0) + (feet_ ? 2 : 0);
}

uint32_t TerrainDrawing::LevelFor(const MapViewport& viewport, double minPixels) const
{
    const auto& levels = layer_.File().Levels();
    for (uint32_t l = 0; l < levels.size(); ++l) {
        const double pixels = std::abs(levels[l].placement.stepX) * 1e6 * std::abs(viewport.Xs());
        if (pixels >= minPixels)
            return l;
    }
    return levels.empty() ? 0 : static_cast<uint32_t>(levels.size() - 1);
}

std::vector<TerrainDrawing::TileRef> TerrainDrawing::TilesInSight(const MapViewport& viewport,
                                                                  uint32_t level) const
{
    std::vector<TileRef> tiles;
    const auto& levels = layer_.File().Levels();
    if (level >= levels.size())
        return tiles;
    const TerrainFile::Level& l = levels[level];
    const GridPlacement& p = l.placement;
    const double size = layer_.File().TileSize();
    const MapViewport::GeoBox box = viewport.VisibleBox(2);
    const double col0 = (box.west * 1e-6 - p.originX) / p.stepX;
    const double col1 = (box.east * 1e-6 - p.originX) / p.stepX;
    const double row0 = (box.north * 1e-6 - p.originY) / p.stepY;
    const double row1 = (box.south * 1e-6 - p.originY) / p.stepY;
    const auto first = [&](double a, double b) {
        return std::max(0.0, std::floor(std::min(a, b) / size));
    };
    const auto last = [&](double a, double b, uint32_t count) {
        return std::min(count - 1.0, std::floor(std::max(a, b) / size));
    };
    const double tx0 = first(col0, col1), tx1 = last(col0, col1, l.tilesX);
    const double ty0 = first(row0, row1), ty1 = last(row0, row1, l.tilesY);
    for (double ty = ty0; ty <= ty1; ++ty) {
        for (double tx = tx0; tx <= tx1; ++tx) {
            TileRef t;
            t.level = level;
            t.tx = static_cast<uint32_t>(tx);
            t.ty = static_cast<uint32_t>(ty);
            t.northWest = CellCorner(p, tx * size, ty * size);
            t.northEast = CellCorner(p, (tx + 1) * size, ty * size);
            t.southWest = CellCorner(p, tx * size, (ty + 1) * size);
            tiles.push_back(t);
        }
    }
    return tiles;
}

std::vector<TerrainDrawing::TileRef> TerrainDrawing::ShadeTiles(const MapViewport& viewport) const
{
    if (!layer_.HasTerrain() || !layer_.Shading())
        return {};
    return TilesInSight(viewport, LevelFor(viewport, kShadePixels));
}

TerrainDrawing::Kept& TerrainDrawing::KeptTile(const TileRef& tile) const
{
    if (keptRevision_ != layer_.Revision()) {
        kept_.clear();
        keptRevision_ = layer_.Revision();
    }
    auto it = kept_.find(tile);
    if (it != kept_.end())
        return it->second;
    // A simple bound: a view holds far fewer tiles than are kept.
    if (kept_.size() >= kMaxKeptTiles)
        kept_.clear();
    Kept& kept = kept_[tile];
    TerrainTile read;
    kept.read = layer_.File().ReadTile(tile.level, tile.tx, tile.ty, read);
    if (kept.read) {
        kept.heights = std::move(read.heights);
        kept.shades = std::move(read.shades);
    }
    return kept;
}

const std::vector<uint8_t>& TerrainDrawing::Shades(const TileRef& tile) const
{
    return KeptTile(tile).shades;
}

std::vector<uint8_t> TerrainDrawing::ShadesAround(const TileRef& tile) const
{
    const auto size = static_cast<size_t>(layer_.File().TileSize());
    const size_t side = size + 2;
    std::vector<uint8_t> around;
    {
        const Kept& own = KeptTile(tile);
        if (own.shades.size() != size * size)
            return around;
        // The tile in the middle, its edge cells repeated into the ring.
        around.resize(side * side);
        for (size_t r = 0; r < side; ++r) {
            const size_t from = std::clamp<size_t>(r, 1, size) - 1;
            const uint8_t* row = own.shades.data() + from * size;
            uint8_t* to = around.data() + r * side;
            std::copy_n(row, size, to + 1);
            to[0] = row[0];
            to[side - 1] = row[size - 1];
        }
    }
    // Then each neighbour's nearest cells over the ring, where it has them:
    // dx, dy the neighbour's side (-1, 0, 1), the cells of its facing edge.
    // A neighbour not kept is not read whole for them: its shades alone.
    std::vector<uint8_t> read;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx == 0 && dy == 0)
                continue;
            const TileRef ref{tile.level,
                              tile.tx + static_cast<uint32_t>(dx),
                              tile.ty + static_cast<uint32_t>(dy),
                              {},
                              {},
                              {}};
            const auto kept = kept_.find(ref);
            const std::vector<uint8_t>* shades = &read;
            if (kept != kept_.end())
                shades = &kept->second.shades;
            else if (!layer_.File().ReadShades(ref.level, ref.tx, ref.ty, read))
                continue;
            if (shades->size() != size * size)
                continue;
            const std::vector<uint8_t>& next = *shades;
            // Columns (of the ring) and of the neighbour's cells.
            const size_t ringCol = dx < 0 ? 0 : dx > 0 ? side - 1 : 1;
            const size_t cols = dx == 0 ? size : 1;
            const size_t fromCol = dx < 0 ? size - 1 : 0;
            const size_t ringRow = dy < 0 ? 0 : dy > 0 ? side - 1 : 1;
            const size_t rows = dy == 0 ? size : 1;
            const size_t fromRow = dy < 0 ? size - 1 : 0;
            for (size_t r = 0; r < rows; ++r)
                std::copy_n(next.data() + (fromRow + r) * size + fromCol, cols,
                            around.data() + (ringRow + r) * side + ringCol);
        }
    return around;
}

ElevationGrid TerrainDrawing::GridAround(const TileRef& tile) const
{
    // The tile with the first column of its eastern neighbour and the first
    // row of its southern one, so that its lines meet theirs without a gap.
    const int size = static_cast<int>(layer_.File().TileSize());
    ElevationGrid grid(size + 1, size + 1);
    const auto copyFrom = [&](uint32_t tx, uint32_t ty, int cols, int rows, int atCol, int atRow) {
        const Kept& from = KeptTile({tile.level, tx, ty, {}, {}, {}});
        if (!from.read)
            return;
        for (int r = 0; r < rows; ++r)
            std::copy_n(from.heights.data() + static_cast<size_t>(r) * static_cast<size_t>(size),
                        cols, grid.Row(atRow + r) + atCol);
    };
    copyFrom(tile.tx + 1, tile.ty, 1, size, size, 0);
    copyFrom(tile.tx, tile.ty + 1, size, 1, 0, size);
    copyFrom(tile.tx + 1, tile.ty + 1, 1, 1, size, size);
    copyFrom(tile.tx, tile.ty, size, size, 0, 0);
    return grid;
}

std::vector<TerrainDrawing::Line>
TerrainDrawing::Traced(const ElevationGrid& grid, const TileRef& tile, double intervalMetres) const
{
    std::vector<Line> lines;
    const int size = static_cast<int>(layer_.File().TileSize());
    const GridPlacement& p = layer_.File().Levels()[tile.level].placement;
    const double col0 = static_cast<double>(tile.tx) * size;
    const double row0 = static_cast<double>(tile.ty) * size;
    // More than a few lines through each square on average is noise, not
    // ground (a damaged file): no contours for the tile rather than a map
    // that hangs.
    ContourTracer tracer(intervalMetres);
    // The grid reaches one cell into the eastern and southern neighbours,
    // whose own lines start at those cells' centres; the northern and
    // western neighbours' grids reach into this tile likewise. Only at the
    // edge of the data do lines run on half a cell, as beside a void.
    tracer.SetOpenSides({tile.ty == 0, tile.tx == 0, false, false});
    tracer.SetMaxSegments(kMaxSegmentsPerSquare * static_cast<size_t>(size) *
                          static_cast<size_t>(size));
    for (ContourLine& traced : tracer.Trace(grid)) {
        // The sea's edge at 0 m is the coast, not a contour.
        if (traced.elevation == 0)
            continue;
        Line line;
        line.elevation = traced.elevation;
        line.points.reserve(traced.points.size());
        line.box = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (const ContourPoint& c : traced.points) {
            const GeoPoint g = CellCorner(p, col0 + c.x, row0 + c.y);
            line.points.push_back(g);
            line.box.south = std::min(line.box.south, g.lat);
            line.box.north = std::max(line.box.north, g.lat);
            line.box.west = std::min(line.box.west, g.lon);
            line.box.east = std::max(line.box.east, g.lon);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

const std::vector<TerrainDrawing::Line>& TerrainDrawing::Contours(const TileRef& tile,
                                                                  double intervalMetres) const
{
    if (Kept& kept = KeptTile(tile); kept.contours.count(intervalMetres))
        return kept.contours[intervalMetres];
    ElevationGrid grid = GridAround(tile);
    std::vector<Line> lines = Traced(grid, tile, intervalMetres);
    // Kept last: reading the neighbours may have dropped the kept tiles.
    return KeptTile(tile).contours[intervalMetres] = std::move(lines);
}

void TerrainDrawing::Draw(const MapViewport& viewport, double scaleKm, DrawList& out) const
{
    (void)scaleKm;
    drew_ = false;
    labels_ = 0;
    labelSpots_.clear();
    if (!layer_.HasTerrain())
        return;
    drew_ = layer_.Shading();
    if (!layer_.Contours())
        return;
    const ContourInterval interval = TerrainLayer::IntervalFor(MetresPerPixel(viewport), feet_);
    if (!(interval.metres > 0))
        return;
    std::vector<std::vector<ScreenPoint>> plain, index;
    std::vector<std::pair<double, size_t>> indexElevations; // elevation, first piece
    ClippedPolyline clip(viewport.Client().Grown(2));
    // A tile reaches far beyond the view: its lines wholly outside what the
    // view shows (with the clip's margin) are not projected at all.
    const MapViewport::GeoBox seen = viewport.VisibleBox(kSeenMargin);
    const std::vector<TileRef> tiles = TilesInSight(viewport, LevelFor(viewport, kContourPixels));
    for (const TileRef& tile : tiles) {
        for (const Line& line : Contours(tile, interval.metres)) {
            if (OutOfSight(line.box, seen, viewport.Centre().lon))
                continue;
            const bool isIndex = interval.IsIndexLine(line.elevation);
            auto& into = isIndex ? index : plain;
            const size_t before = into.size();
            clip.Begin();
            for (const GeoPoint& g : line.points)
                clip.Add(viewport.GeoToScreen(g), into);
            clip.End(into);
            // A closed ring a few pixels across is a speck of noise, not a
            // hill: it is left out.
            if (into.size() == before + 1 && into.back().front() == into.back().back() &&
                SmallerThan(into.back(), kLeastLoopPixels))
                into.pop_back();
            if (isIndex)
                for (size_t i = before; i < into.size(); ++i)
                    indexElevations.emplace_back(line.elevation, i);
        }
    }
    if (plain.empty() && index.empty())
        return;
    drew_ = true;
    const Colour thin = night_ ? kNightContour : kContour;
    const Colour thick = night_ ? kNightIndexContour : kIndexContour;
    if (!plain.empty())
        out.Add(Polylines{Pen{thin, 1, PenStyle::Solid}, std::move(plain)});
    if (index.empty())
        return;
    // Where the index lines' labels may go; the names' placer picks among them.
    for (const auto& [elevation, piece] : indexElevations) {
        const double shown = feet_ ? elevation / 0.3048 : elevation;
        const std::string text = FormatString("%d", static_cast<int>(std::lround(shown)));
        ContourLabel label;
        for (const auto& [anchor, escapement] :
             LabelSpots(index[piece], static_cast<int>(text.size()) * kLabelCharWidth)) {
            Font font = kLabelFont;
            font.escapement = escapement;
            label.spots.push_back(
                Text{text, anchor, HAlign::Centre, VAlign::Centre, font, thick, false});
        }
        if (!label.spots.empty())
            labelSpots_.push_back(std::move(label));
    }
    out.Add(Polylines{Pen{thick, 2, PenStyle::Solid, true}, std::move(index)});
}

void TerrainDrawing::DrawNames(const MapViewport& viewport, double scaleKm, LabelPlacer& placer,
                               const TextMeasure& measure, DrawList& out) const
{
    (void)viewport, (void)scaleKm;
    const TextMeasure given = measure ? measure : TextMeasure(EstimateTextExtent);
    // The labels are a few heights in one font, each spot of each label
    // measured alike (the turn is not the font's): each text is measured once.
    std::map<std::tuple<std::string, std::string, int, bool>, TextExtent> measured;
    const TextMeasure size = [&](const std::string& text, const Font& font) {
        auto [at, fresh] = measured.try_emplace({text, font.face, font.pointSize, font.bold});
        if (fresh)
            at->second = given(text, font);
        return at->second;
    };
    // Dark on a light halo by day; light on a dark one at night, as the names are.
    const Colour halo = night_ ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
    const Colour ink = night_ ? kNightLabel : kIndexContour;
    std::vector<ScreenRect> boxes;
    for (const ContourLabel& label : labelSpots_) {
        boxes.clear();
        for (const Text& spot : label.spots)
            boxes.push_back(TextBox(spot, size).Grown(1));
        const auto taken = placer.Place(boxes);
        if (!taken)
            continue;
        Text text = label.spots[*taken];
        text.colour = ink;
        AddHaloText(text, halo, out);
        ++labels_;
    }
}

void TerrainDrawing::DrawLabels(const MapViewport& viewport, int top, DrawList& out) const
{
    (void)top;
    if (!layer_.HasTerrain() || !(layer_.Shading() || layer_.Contours()))
        return;
    const std::string& credit = layer_.File().Summary().credit;
    if (credit.empty())
        return;
    const ScreenRect& client = viewport.Client();
    out.Add(Text{kCreditLead + credit,
                 {client.right - 5, client.bottom - kScaleBarBand - kCreditLine},
                 HAlign::Right,
                 VAlign::Bottom,
                 kLabelFont,
                 night_ ? Rgb(64, 64, 64) : Rgb(0, 0, 0),
                 true});
}

} // namespace hw
