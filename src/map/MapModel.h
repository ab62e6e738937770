#pragma once

#include "base/DrawList.h"
#include "geo/GeoPoint.h"
#include "geo/MapViewport.h"

#include <array>
#include <optional>
#include <vector>

namespace hw {

class WaypointDatabase;

// The moving map's state: current position and course, zoom, following or
// panned centre, rotation and the drawing options. It turns screen points
// into positions and back for the view of the moment.
class MapModel {
public:
    static constexpr std::array<double, 21> kZoomTable = {
        0.01, 0.05, 0.1,  0.2,  0.3,  0.4,   0.5,   1.0,   2.0,   3.0,  4.0,
        5.0,  10.0, 20.0, 30.0, 50.0, 150.0, 200.0, 250.0, 300.0, 500.0};
    static constexpr int kStartZoomIndex = 7;
    static constexpr Colour kGreen = Rgb(0, 255, 0);
    static constexpr Colour kAzure = Rgb(0, 153, 255);
    static constexpr int kReturnButtonSize = 30;

    explicit MapModel(GeoPoint start = {33800000, -117800000, 0});

    // Position and course.
    const GeoPoint& CurrentPosition() const { return position_; }
    void SetCurrentPosition(const GeoPoint& p) { position_ = p; }
    double CurrentCourse() const { return course_; }
    void SetCurrentCourse(double degrees) { course_ = degrees; }

    // The client rectangle of the view.
    void SetClientRect(const ScreenRect& r) { client_ = r; }
    const ScreenRect& ClientRect() const { return client_; }

    // Zoom: the scale is the distance (km) from the centre to the view
    // square's north-east corner.
    double Scale() const { return scale_; }
    void SetScale(double km);
    int ZoomIndex() const { return zoomIndex_; }
    static int ZoomCount() { return static_cast<int>(kZoomTable.size()); }
    void SetZoomIndex(int index);
    void ZoomIn() { SetZoomIndex(zoomIndex_ - 1); }
    void ZoomOut() { SetZoomIndex(zoomIndex_ + 1); }

    // Following centres the map on the position; panned keeps the panned
    // centre with the course frozen at the moment panning began.
    bool IsPanned() const { return panned_; }
    const GeoPoint& PannedCentre() const { return pannedCentre_; }
    double FrozenCourse() const { return frozenCourse_; }
    GeoPoint Centre() const { return panned_ ? pannedCentre_ : position_; }
    // Re-centres the map on the position under a screen point (entering the
    // panned mode first).
    void PanTo(ScreenPoint p);
    // Re-centres the map so that `grabbed` is drawn at the screen point `at`
    // (entering the panned mode first): a drag measured from its press, so
    // that no rounding adds up over its moves.
    void PanKeeping(const GeoPoint& grabbed, ScreenPoint at);
    // Centres the map on a position (entering the panned mode first).
    void CentreOn(const GeoPoint& p);
    void Follow() { panned_ = false; }
    ScreenRect ReturnButtonRect() const;
    // While panned, a tap on the return button makes the map follow the
    // position again.
    bool ReturnButtonHit(ScreenPoint p);

    // Orientation: north up, or the course (frozen while panned) up.
    bool NorthUp() const { return northUp_; }
    void SetNorthUp(bool on) { northUp_ = on; }
    double RotationAngle() const;

    // The projection for the present state.
    MapViewport Viewport() const;
    ScreenPoint GeoToScreen(const GeoPoint& p) const { return Viewport().GeoToScreen(p); }
    GeoPoint ScreenToGeo(ScreenPoint p) const { return Viewport().ScreenToGeo(p); }

    // The latitude/longitude box under a tap: a square of 15 pixels (30 with
    // large waypoints) centred on the point, turned back into positions. West
    // and east may pass the antimeridian; Contains takes longitudes round the
    // globe accordingly.
    struct GeoBox {
        int32_t south = 0, north = 0;
        int64_t west = 0, east = 0;
        bool Contains(int32_t lat, int32_t lon) const;
    };
    GeoBox HitBox(ScreenPoint p) const;
    // The serial ids of the waypoints under a tap, appended to the list;
    // true when at least one was found.
    bool HitTest(ScreenPoint p, WaypointDatabase& waypoints, std::vector<int>& serials) const;
    int WaypointSymbolSize() const { return largeWaypoints_ ? 30 : 15; }

    // Drawing options set by the map window.
    bool GridOn() const { return gridOn_; }
    void SetGridOn(bool on) { gridOn_ = on; }
    bool GridLabels() const { return gridLabels_; }
    void SetGridLabels(bool on) { gridLabels_ = on; }
    bool LargeWaypoints() const { return largeWaypoints_; }
    void SetLargeWaypoints(bool on) { largeWaypoints_ = on; }
    int DisplayScale() const { return displayScale_; }
    void SetDisplayScale(int s) { displayScale_ = s == 2 ? 2 : 1; }
    double PositionIconSize() const { return iconSize_; }
    void SetPositionIconSize(double size) { iconSize_ = size; }
    Colour PositionIconColour() const { return iconColour_; }
    void SetPositionIconColour(Colour c) { iconColour_ = c; }
    // Azure with a differential fix (quality 2), green otherwise.
    static Colour IconColourForQuality(int fixQuality) { return fixQuality == 2 ? kAzure : kGreen; }
    int FixBars() const { return fixBars_; }
    void SetFixBars(int bars) { fixBars_ = bars; }
    bool FixIndicatorOn() const { return fixIndicatorOn_; }
    void SetFixIndicatorOn(bool on) { fixIndicatorOn_ = on; }
    // The recorded track: a solid line a hiker can follow in sunlight, three
    // pixels wide at 96 dots per inch and wider on denser screens, in a
    // colour no other line of the map uses.
    static constexpr Colour kTrackColour = Rgb(128, 0, 224);
    void SetScreenDpi(double dpi) { dpi_ = dpi > 0 ? dpi : 96; }
    Pen TrackPen() const;

    // The averaging marker: position and spread (km), when shown.
    struct AveragingMarker {
        GeoPoint position;
        double spreadKm = 0;
    };
    const std::optional<AveragingMarker>& Averaging() const { return averaging_; }
    void SetAveraging(std::optional<AveragingMarker> marker) { averaging_ = marker; }

private:
    void EnterPanned();

    GeoPoint position_;
    double course_ = 0;
    ScreenRect client_;
    double scale_ = kZoomTable[kStartZoomIndex];
    int zoomIndex_ = kStartZoomIndex;
    bool panned_ = false;
    GeoPoint pannedCentre_;
    double frozenCourse_ = 0;
    bool northUp_ = true;
    bool gridOn_ = true;
    bool gridLabels_ = true;
    bool largeWaypoints_ = false;
    int displayScale_ = 1;
    double iconSize_ = 4.0;
    Colour iconColour_ = kGreen;
    int fixBars_ = -1;
    bool fixIndicatorOn_ = false;
    std::optional<AveragingMarker> averaging_;
    double dpi_ = 96;
};

} // namespace hw
