#pragma once

#include "base/DrawList.h"
#include "base/TextMeasure.h"
#include "geo/MapViewport.h"

#include <cstdint>
#include <vector>

namespace hw {

struct CourseLine;
class MapLayer;
class MapModel;
class MapViewport;
class TrackLog;
class UnitFormatter;
class WaypointDatabase;

// Everything the map view draws, in order, for the model's present state:
// sheet, grid lines, the map's ground, (the hill shading, multiplied in by the
// painter), contours, roads, aerialways and power lines, the map's symbols
// and names, the grid's labels, courses, track, waypoints, goto leg, north arrow,
// scale bar, target pointer, position icon, averaging marker, return button, fix indicator;
// last the road layer's labels.
class MapDrawing {
public:
    struct Sources {
        const TrackLog& track;
        WaypointDatabase& waypoints;
        const UnitFormatter& units;
        int64_t now;                     // seconds since 1970, for the geocache symbols
        const MapLayer* roads = nullptr; // drawn between the grid and the track
        // Sizes the texts as the painter draws them, so that the grid's
        // labels keep clear of the marks over the map; without it every
        // label is drawn.
        TextMeasure measure = {};
        // The relief: its contours over the grid, under the roads.
        const MapLayer* terrain = nullptr;
        // The shown courses, drawn under the track.
        const std::vector<CourseLine>* courses = nullptr;
        // Waypoints drawn as the database's are, held apart from it (the
        // demo's geocaches); null for none.
        WaypointDatabase* moreWaypoints = nullptr;
    };

    static void Build(const MapModel& model, const Sources& sources, DrawList& out);

    // The drawing in two: the background (sheet, grid, map layers and their
    // names), which changes only with the view, and everything over it. A
    // painter may keep the background's picture while its key stays the same.
    static void BuildBackground(const MapModel& model, const Sources& sources,
                                const MapViewport& viewport, DrawList& out);
    // The background in two: the ground (sheet, grid lines, land and water),
    // which the hill shading multiplies, and what lies over the shading
    // (contours, roads, aerialways, symbols and names, the grid's labels).
    static void BuildGround(const MapModel& model, const Sources& sources,
                            const MapViewport& viewport, DrawList& out);
    static void BuildOverGround(const MapModel& model, const Sources& sources,
                                const MapViewport& viewport, DrawList& out);
    static void BuildForeground(const MapModel& model, const Sources& sources,
                                const MapViewport& viewport, DrawList& out);
    struct BackgroundKey {
        MapViewport viewport;
        double scaleKm = 0;
        bool grid = false;
        bool labels = false;
        const MapLayer* roads = nullptr;
        uint64_t roadsRevision = 0;
        std::vector<ScreenRect> positionIcon; // where the map's names make way for it
        uint64_t terrainRevision = 0;
        bool operator==(const BackgroundKey& o) const;
    };
    static BackgroundKey KeyOf(const MapModel& model, const Sources& sources,
                               const MapViewport& viewport);

    // The separate layers, for callers (and benchmarks) that want one.
    static void DrawTrack(const MapModel& model, const MapViewport& viewport, const TrackLog& track,
                          DrawList& out);
    static void DrawGotoLeg(const MapViewport& viewport, const WaypointDatabase& waypoints,
                            DrawList& out);
    static void DrawNorthArrow(const MapViewport& viewport, DrawList& out);
    static void DrawTargetPointer(const MapModel& model, const MapViewport& viewport,
                                  const WaypointDatabase& waypoints, DrawList& out);
    static void DrawPositionIcon(const MapModel& model, const MapViewport& viewport, DrawList& out);
    static void DrawAveragingMarker(const MapModel& model, const MapViewport& viewport,
                                    DrawList& out);
    static void DrawReturnButton(const MapModel& model, DrawList& out);
    static void DrawFixIndicator(const MapModel& model, DrawList& out);
    static constexpr int kFixIndicatorHeight = 15; // pixels, times the display scale
    // The bottom edge of the fix indicator's box.
    static int FixIndicatorBottom(const MapModel& model);
    // The boxes of the marks drawn at fixed places over the map (fix
    // indicator, north arrow, scale bar, the road layer's texts), which a
    // grid label must not run into.
    static std::vector<ScreenRect> MarkAreas(const MapModel& model, const Sources& sources,
                                             const MapViewport& viewport);
};

} // namespace hw
