#pragma once

#include "base/DrawList.h"
#include "map/MapDrawing.h"
#include "map/MapPanGesture.h"
#include "widgets/DrawListPainter.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class QPainter;

namespace hw {

class CourseFollowing;
class RoadDrawing;
class TerrainDrawing;
class TerrainShading;
class MapModel;
class TrackLog;
class UnitFormatter;
class WaypointDatabase;

// The moving map "MapView": paints the drawing the core computes for the map
// model over a kept picture of its background, into the window's back
// buffer (or, for tests and pictures, an image of its own). Turns
// the stylus into pans, taps and the tap-and-hold menu, and the wheel and
// pinch into steps through the zoom table.
class MapView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 1000;

    MapView(MapModel& map, TrackLog& track, WaypointDatabase& waypoints, const UnitFormatter& units,
            QWidget* parent = nullptr);

    // The background road map, drawn between the grid and the track in the
    // palette of the colour theme.
    void SetRoadLayer(RoadDrawing* roads) { roads_ = roads; }
    // The relief: its shading multiplied over the background, its contours
    // under the roads.
    void SetTerrainLayer(TerrainDrawing* terrain);
    // The courses drawn under the track; null for none.
    void SetCourses(const CourseFollowing* courses) { courses_ = courses; }
    // Waypoints drawn beside the database's (the demo's caches); null for none.
    void SetMoreWaypoints(WaypointDatabase* more) { moreWaypoints_ = more; }
    ~MapView() override;
    // Draws the waypoint symbols' cells; without it they are left out.
    void SetSymbolPainter(DrawListPainter::BitmapPainter symbols) { symbols_ = std::move(symbols); }
    // The last frame Render() painted (for tests and pictures).
    const QImage& Frame() const { return frame_; }
    // What was drawn over the background (track, waypoints, marks, labels),
    // and the background (sheet, grid, roads) as last drawn.
    const DrawList& LastDrawing() const { return drawing_; }
    const DrawList& LastBackground() const { return backgroundDrawing_; }
    // Builds and paints a frame into the buffer without showing it.
    void Render();
    // Steps through the zoom table; positive zooms in.
    void Zoom(int steps);

signals:
    // Every copy of a frame to the window; the arrival check follows it.
    void Painted();
    // The view's one-second timer: arrival and proximity checks.
    void Tick();
    // The stylus went down at a point (the selection is taken there).
    void Pressed(ScreenPoint p);
    // A press and release without a drag.
    void Tapped(ScreenPoint p);
    // Right click or tap-and-hold: the map's pop-up menu at a point.
    void ContextMenuRequested(ScreenPoint p);
    // The map was panned or zoomed by the stylus or the wheel.
    void ViewChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void PaintFrame(QPainter& p);
    void PaintBackground(const MapDrawing::Sources& sources, const MapViewport& viewport);

    MapModel& map_;
    TrackLog& track_;
    WaypointDatabase& waypoints_;
    const UnitFormatter& units_;
    DrawListPainter::BitmapPainter symbols_;
    RoadDrawing* roads_ = nullptr;
    TerrainDrawing* terrain_ = nullptr;
    const CourseFollowing* courses_ = nullptr;
    WaypointDatabase* moreWaypoints_ = nullptr;
    std::unique_ptr<TerrainShading> shading_;
    MapPanGesture pan_;
    QImage frame_;
    DrawList drawing_;
    QImage background_; // the kept picture of sheet, grid and roads
    DrawList backgroundDrawing_;
    std::optional<MapDrawing::BackgroundKey> backgroundKey_;
    QTimer timer_;
    ScreenPoint pressPoint_;
    bool stylusDown_ = false;
    bool menuShown_ = false;
    int wheelAngle_ = 0;
    double pinchScale_ = 1.0;
};

} // namespace hw
