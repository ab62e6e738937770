#include "SimRoute.h"

#include "geo/GeoPoint.h"
#include "geo/SphericalGeometry.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace hw::sim {

namespace {
constexpr double kMetresPerDegree = kEarthRadiusKm * 1000.0 * kRadiansPerDegree;

double LegMetres(const RoutePoint& a, const RoutePoint& b)
{
    return DistanceKm(a.lat, a.lon, b.lat, b.lon) * 1000.0;
}
} // namespace

RoutePoint Offset(const RoutePoint& p, double northM, double eastM)
{
    RoutePoint q = p;
    q.lat += northM / kMetresPerDegree;
    q.lon += eastM / (kMetresPerDegree * std::cos(p.lat * kRadiansPerDegree));
    return q;
}

SimRoute SimRoute::Loop(const RoutePoint& start, double radiusM, double climbM)
{
    // The start is the southernmost point; the hill top is opposite it.
    std::vector<RoutePoint> points;
    constexpr int kSteps = 72;
    for (int i = 0; i < kSteps; ++i) {
        double a = kTwoPi * i / kSteps;
        RoutePoint p = Offset(start, radiusM * (1 - std::cos(a)), radiusM * std::sin(a));
        p.alt = start.alt + climbM * (1 - std::cos(a)) / 2;
        points.push_back(p);
    }
    SimRoute route;
    route.Build(std::move(points), true);
    return route;
}

SimRoute SimRoute::Line(const RoutePoint& start, double headingDeg, double lengthM, double climbM)
{
    std::vector<RoutePoint> points;
    constexpr int kSteps = 20;
    double h = headingDeg * kRadiansPerDegree;
    for (int i = 0; i <= kSteps; ++i) {
        double d = lengthM * i / kSteps;
        RoutePoint p = Offset(start, d * std::cos(h), d * std::sin(h));
        // Rolling ground on the way up.
        p.alt = start.alt + climbM * i / kSteps + 8 * std::sin(i * 0.9);
        points.push_back(p);
    }
    SimRoute route;
    route.Build(std::move(points), false);
    return route;
}

bool SimRoute::FromFile(const std::string& path, SimRoute& route, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot open route file " + path;
        return false;
    }
    std::vector<RoutePoint> points;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (size_t hash = line.find('#'); hash != std::string::npos)
            line.resize(hash);
        for (char& c : line) {
            if (c == ',' || c == '\t' || c == '\r')
                c = ' ';
        }
        std::istringstream fields(line);
        fields.imbue(std::locale::classic());
        RoutePoint p;
        if (!(fields >> p.lat)) {
            if (line.find_first_not_of(' ') == std::string::npos)
                continue;
            error = path + ":" + std::to_string(number) + ": expected latitude and longitude";
            return false;
        }
        if (!(fields >> p.lon) || std::abs(p.lat) > 90 || std::abs(p.lon) > 180) {
            error = path + ":" + std::to_string(number) + ": expected latitude and longitude";
            return false;
        }
        if (!(fields >> p.alt))
            p.alt = points.empty() ? 0 : points.back().alt;
        points.push_back(p);
    }
    if (points.size() < 2) {
        error = path + ": a route needs at least two points";
        return false;
    }
    route.Build(std::move(points), false);
    return true;
}

void SimRoute::Build(std::vector<RoutePoint> points, bool closed)
{
    points_ = std::move(points);
    closed_ = closed;
    if (closed_)
        points_.push_back(points_.front());
    cumulative_.assign(1, 0.0);
    for (size_t i = 1; i < points_.size(); ++i)
        cumulative_.push_back(cumulative_.back() + LegMetres(points_[i - 1], points_[i]));
}

size_t SimRoute::LegAt(double distanceM, double& along) const
{
    double length = Length();
    if (closed_ && length > 0) {
        distanceM = std::fmod(distanceM, length);
        if (distanceM < 0)
            distanceM += length;
    }
    if (distanceM <= 0) {
        along = 0;
        return 0;
    }
    if (distanceM >= length) {
        along = 1;
        return points_.size() - 2;
    }
    size_t i = 1;
    while (i + 1 < cumulative_.size() && cumulative_[i] < distanceM)
        ++i;
    double leg = cumulative_[i] - cumulative_[i - 1];
    along = leg > 0 ? (distanceM - cumulative_[i - 1]) / leg : 0;
    return i - 1;
}

RoutePoint SimRoute::At(double distanceM) const
{
    double t = 0;
    size_t i = LegAt(distanceM, t);
    const RoutePoint& a = points_[i];
    const RoutePoint& b = points_[i + 1];
    return {a.lat + (b.lat - a.lat) * t, a.lon + (b.lon - a.lon) * t, a.alt + (b.alt - a.alt) * t};
}

double SimRoute::CourseAt(double distanceM) const
{
    double t = 0;
    size_t i = LegAt(distanceM, t);
    const RoutePoint& a = points_[i];
    const RoutePoint& b = points_[i + 1];
    double north = b.lat - a.lat;
    double east = (b.lon - a.lon) * std::cos(a.lat * kRadiansPerDegree);
    double course = std::atan2(east, north) * kDegreesPerRadian;
    return course < 0 ? course + 360 : course;
}

double SimRoute::GradeAt(double distanceM) const
{
    double t = 0;
    size_t i = LegAt(distanceM, t);
    double run = cumulative_[i + 1] - cumulative_[i];
    return run > 0 ? (points_[i + 1].alt - points_[i].alt) / run : 0;
}

} // namespace hw::sim
