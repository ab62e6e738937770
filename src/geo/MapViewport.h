#pragma once

#include "base/DrawList.h"
#include "geo/GeoPoint.h"

#include <cstdint>

namespace hw {

// The map's projection for one drawing: a plate carrée square centred in the
// client rectangle, stretched vertically by the local ratio of a degree of
// latitude to a degree of longitude, optionally turned about the screen
// position of a pivot (course up).
class MapViewport {
public:
    // centre: the middle of the view; scaleKm: the distance from the centre
    // to the north-east corner of the view square.
    MapViewport(GeoPoint centre, double scaleKm, ScreenRect client);

    // Turns the view by angleDegrees about the screen position of pivot so
    // that a course of angleDegrees points up. Without it north is up.
    void SetRotation(double angleDegrees, GeoPoint pivot);
    bool IsRotated() const { return rotated_; }
    double RotationDegrees() const { return rotated_ ? angle_ : 0; }

    ScreenPoint GeoToScreen(const GeoPoint& p) const { return Turn(Project(p)); }
    GeoPoint ScreenToGeo(ScreenPoint p) const { return Unproject(Unturn(p)); }

    // The projection and the rotation on their own.
    ScreenPoint Project(const GeoPoint& p) const;
    GeoPoint Unproject(ScreenPoint p) const;
    ScreenPoint Turn(ScreenPoint p) const;
    ScreenPoint Unturn(ScreenPoint p) const;

    // The box in microdegrees around the view's corners, the view grown by
    // marginPx on every side (the view may be turned).
    struct GeoBox {
        int32_t south = 0, west = 0, north = 0, east = 0;
    };
    GeoBox VisibleBox(int marginPx = 0) const;
    // Whether another viewport projects every point where this one does.
    bool SameView(const MapViewport& other) const;

    const ScreenRect& Client() const { return client_; }
    const GeoPoint& Centre() const { return centre_; }
    int32_t North() const { return north_; }
    int32_t South() const { return south_; }
    int32_t East() const { return east_; }
    int32_t West() const { return west_; }
    int XOffset() const { return xOffset_; }
    int YOffset() const { return yOffset_; }
    // Pixels per microdegree of longitude and of latitude.
    double Xs() const { return xs_; }
    double Ys() const { return ys_; }

private:
    // The longitude taken round the globe to lie within 180 degrees of the
    // centre, so that the view works across the antimeridian.
    int64_t NearCentreLongitude(int32_t lon) const;
    ScreenPoint TurnBy(ScreenPoint p, double sinA, double cosA) const;

    GeoPoint centre_;
    ScreenRect client_;
    int32_t north_ = 0, south_ = 0, east_ = 0, west_ = 0;
    int xOffset_ = 0, yOffset_ = 0;
    double xs_ = 0, ys_ = 0;
    bool rotated_ = false;
    double angle_ = 0;
    double forwardSin_ = 0, forwardCos_ = 1;
    double backSin_ = 0, backCos_ = 1;
    ScreenPoint pivot_;
};

inline constexpr int32_t kMaxLatitudeMicro = 90000000;

// A longitude in microdegrees taken round the globe to lie within 180
// degrees of a reference longitude.
int64_t NearLongitude(int64_t lon, int64_t reference);

// Microdegrees from a double, truncated toward zero, limited to the 32-bit
// range; NaN becomes 0.
int32_t TruncToMicro(double v);

} // namespace hw
