#include "map/gui/MapView.h"

#include "basemap/RoadDrawing.h"
#include "map/CourseLayer.h"
#include "map/MapDrawing.h"
#include "map/MapModel.h"
#include "map/gui/TerrainShading.h"
#include "terrain/TerrainDrawing.h"
#include "units/UnitFormatter.h"
#include "widgets/DrawListPainter.h"
#include "widgets/LongPressMenu.h"
#include "widgets/ThemeColour.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QGestureEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QWheelEvent>

namespace hw {
namespace {

constexpr int kWheelStep = 120; // one notch
constexpr double kPinchStep = 1.25;

ScreenPoint ToScreen(const QPointF& p)
{
    return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

} // namespace

MapView::MapView(MapModel& map, TrackLog& track, WaypointDatabase& waypoints,
                 const UnitFormatter& units, QWidget* parent)
    : QWidget(parent), map_(map), track_(track), waypoints_(waypoints), units_(units), pan_(map)
{
    setObjectName(QStringLiteral("MapView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    grabGesture(Qt::PinchGesture);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &MapView::Tick);
    timer_.start();
    LongPressMenu::Install(this);
}

MapView::~MapView() = default;

void MapView::SetTerrainLayer(TerrainDrawing* terrain)
{
    terrain_ = terrain;
    shading_ = terrain ? std::make_unique<TerrainShading>(*terrain) : nullptr;
}

void MapView::Render()
{
    const qreal ratio = devicePixelRatioF();
    if (frame_.size() != size() * ratio) {
        frame_ = QImage(size() * ratio, QImage::Format_RGB32);
        frame_.setDevicePixelRatio(ratio);
    }
    QPainter p(&frame_);
    PaintFrame(p);
}

void MapView::paintEvent(QPaintEvent*)
{
    // The window system's back buffer holds the frame until it is complete,
    // so the frame is painted straight into it: one copy less a frame.
    QPainter p(this);
    PaintFrame(p);
    p.end();
    emit Painted();
}

void MapView::PaintFrame(QPainter& p)
{
    map_.SetClientRect({0, 0, width(), height()});
    map_.SetScreenDpi(logicalDpiY());
    if (roads_) {
        roads_->SetPalette(RoadStyle::PaletteOfTheme(CurrentTheme()));
        roads_->SetAltitudeFeet(units_.AltitudeSetting() == static_cast<int>(AltitudeUnit::Feet));
    }
    if (terrain_) {
        terrain_->SetNight(RoadStyle::PaletteOfTheme(CurrentTheme()) == RoadStyle::Palette::Night);
        terrain_->SetFeet(units_.AltitudeSetting() == static_cast<int>(AltitudeUnit::Feet));
    }
    const MapViewport viewport = map_.Viewport();
    const std::vector<CourseLine> courses =
        courses_ ? CourseLayer::Lines(*courses_) : std::vector<CourseLine>();
    MapDrawing::Sources sources{track_, waypoints_,  units_,   QDateTime::currentSecsSinceEpoch(),
                                roads_, MeasureText, terrain_, &courses};
    sources.moreWaypoints = moreWaypoints_;
    PaintBackground(sources, viewport);
    drawing_.Clear();
    MapDrawing::BuildForeground(map_, sources, viewport, drawing_);
    p.drawImage(0, 0, background_);
    DrawListPainter(p, symbols_).Paint(drawing_);
}

void MapView::PaintBackground(const MapDrawing::Sources& sources, const MapViewport& viewport)
{
    // Sheet, grid and roads change only with the view: their picture is kept
    // and painted again only when the view or the road layer changed.
    const qreal ratio = devicePixelRatioF();
    MapDrawing::BackgroundKey key = MapDrawing::KeyOf(map_, sources, viewport);
    if (backgroundKey_ && *backgroundKey_ == key && background_.size() == size() * ratio)
        return;
    if (background_.size() != size() * ratio) {
        background_ = QImage(size() * ratio, QImage::Format_RGB32);
        background_.setDevicePixelRatio(ratio);
    }
    // The hill shading multiplies the ground only: contours, roads and
    // names over it keep their colours.
    backgroundDrawing_.Clear();
    MapDrawing::BuildGround(map_, sources, viewport, backgroundDrawing_);
    const size_t ground = backgroundDrawing_.Items().size();
    MapDrawing::BuildOverGround(map_, sources, viewport, backgroundDrawing_);
    const std::span<const DrawItem> items(backgroundDrawing_.Items());
    QPainter p(&background_);
    DrawListPainter(p, symbols_).Paint(items.first(ground));
    // The painter draws straight into the picture's pixels, so the shading
    // may change them between its items.
    if (shading_)
        shading_->Paint(background_, viewport);
    DrawListPainter(p, symbols_).Paint(items.subspan(ground));
    backgroundKey_ = std::move(key);
}

void MapView::Zoom(int steps)
{
    for (; steps > 0; --steps)
        map_.ZoomIn();
    for (; steps < 0; ++steps)
        map_.ZoomOut();
    update();
    emit ViewChanged();
}

void MapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressPoint_ = ToScreen(event->position());
    stylusDown_ = true;
    menuShown_ = false;
    pan_.Press(pressPoint_);
    emit Pressed(pressPoint_);
}

void MapView::mouseMoveEvent(QMouseEvent* event)
{
    if (!stylusDown_)
        return;
    if (pan_.Move(ToScreen(event->position()))) {
        update();
        emit ViewChanged();
    }
}

void MapView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !stylusDown_)
        return;
    stylusDown_ = false;
    const bool dragged = pan_.Release();
    if (!dragged && !menuShown_)
        emit Tapped(ToScreen(event->position()));
}

void MapView::contextMenuEvent(QContextMenuEvent* event)
{
    // Tap and hold: the press took the selection; a drag is no hold, and the
    // release after the menu is no tap.
    if (stylusDown_) {
        if (pan_.Dragged())
            return;
        menuShown_ = true;
        emit ContextMenuRequested(pressPoint_);
        // The menu has closed, and the release went to it: the press is over.
        stylusDown_ = false;
        pan_.Release();
        return;
    }
    // The stylus press of a right click selects what lies under it first.
    const ScreenPoint p = ToScreen(event->pos());
    if (event->reason() == QContextMenuEvent::Mouse) {
        pressPoint_ = p;
        emit Pressed(p);
    }
    emit ContextMenuRequested(p);
}

void MapView::wheelEvent(QWheelEvent* event)
{
    wheelAngle_ += event->angleDelta().y();
    int steps = wheelAngle_ / kWheelStep;
    if (steps != 0) {
        wheelAngle_ -= steps * kWheelStep;
        Zoom(steps);
    }
    event->accept();
}

bool MapView::event(QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gesture = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(gesture->gesture(Qt::PinchGesture))) {
            if (pinch->state() == Qt::GestureStarted)
                pinchScale_ = 1.0;
            pinchScale_ *= pinch->scaleFactor();
            if (pinchScale_ >= kPinchStep) {
                pinchScale_ /= kPinchStep;
                Zoom(1);
            } else if (pinchScale_ <= 1.0 / kPinchStep) {
                pinchScale_ *= kPinchStep;
                Zoom(-1);
            }
            gesture->accept(pinch);
            return true;
        }
    }
    return QWidget::event(event);
}

} // namespace hw
