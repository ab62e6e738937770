#pragma once

#include "base/DrawList.h"
#include "map/MapPanGesture.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace hw {

class MapLayer;
class MapModel;
class TrackLog;
class UnitFormatter;
class WaypointDatabase;

// The moving map "MapView": paints the drawing the core computes for the map
// model, into an off-screen image that is then copied to the window. Turns
// the stylus into pans, taps and the tap-and-hold menu, and the wheel and
// pinch into steps through the zoom table.
class MapView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 1000;
    static constexpr int kLongPressMs = 700;

    MapView(MapModel& map, TrackLog& track, WaypointDatabase& waypoints, const UnitFormatter& units,
            QWidget* parent = nullptr);

    // The background road map, drawn between the grid and the track.
    void SetRoadLayer(const MapLayer* roads) { roads_ = roads; }
    // The last frame painted (for tests and pictures).
    const QImage& Frame() const { return frame_; }
    const DrawList& LastDrawing() const { return drawing_; }
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
    void OnLongPress();

    MapModel& map_;
    TrackLog& track_;
    WaypointDatabase& waypoints_;
    const UnitFormatter& units_;
    const MapLayer* roads_ = nullptr;
    MapPanGesture pan_;
    QImage frame_;
    DrawList drawing_;
    QTimer timer_;
    QTimer longPress_;
    ScreenPoint pressPoint_;
    bool stylusDown_ = false;
    bool menuShown_ = false;
    int wheelAngle_ = 0;
    double pinchScale_ = 1.0;
};

} // namespace hw
