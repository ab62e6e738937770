#pragma once

#include <string>
#include <vector>

namespace hw::sim {

struct RoutePoint {
    double lat = 0; // degrees
    double lon = 0;
    double alt = 0; // metres
};

// The path the simulated walker follows: a polyline of points with
// altitudes, walked by distance. A closed route starts over at its end.
class SimRoute {
public:
    // A circle of radius metres around the centre's north, with a hill of
    // climb metres on its far side.
    static SimRoute Loop(const RoutePoint& start, double radiusM, double climbM);
    // Straight from start along heading for lengthM, climbing climbM.
    static SimRoute Line(const RoutePoint& start, double headingDeg, double lengthM, double climbM);
    // Points from a text file: "lat lon [alt]" or "lat,lon[,alt]" a line,
    // '#' starts a comment. False with a message when it holds fewer than two
    // points or a line cannot be read.
    static bool FromFile(const std::string& path, SimRoute& route, std::string& error);

    double Length() const { return cumulative_.empty() ? 0 : cumulative_.back(); }
    bool Closed() const { return closed_; }
    // Position at a distance along the route (clamped, or wrapped if closed).
    RoutePoint At(double distanceM) const;
    // Course in degrees true and grade (rise over run) of the leg there.
    double CourseAt(double distanceM) const;
    double GradeAt(double distanceM) const;
    const RoutePoint& Front() const { return points_.front(); }
    const RoutePoint& Back() const { return points_.back(); }

private:
    void Build(std::vector<RoutePoint> points, bool closed);
    size_t LegAt(double distanceM, double& along) const;

    std::vector<RoutePoint> points_;
    std::vector<double> cumulative_; // distance to each point
    bool closed_ = false;
};

// Metres to degrees near a latitude, and the move of a point by north and
// east metres.
RoutePoint Offset(const RoutePoint& p, double northM, double eastM);

} // namespace hw::sim
