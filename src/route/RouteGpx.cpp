#include "route/RouteGpx.h"

#include "base/FormatString.h"
#include "geo/LineSimplifier.h"

#include <cmath>
#include <vector>

namespace hw {
namespace {

std::string Position(const char* element, double lat, double lon)
{
    return FormatString("<%s lat=\"%.6f\" lon=\"%.6f\">", element, lat, lon);
}

// The path in whole microdegrees, thinned by doubling tolerances until it
// has few enough points.
std::vector<RoadPoint> RoutePoints(std::span<const RoutePoint> path)
{
    std::vector<RoadPoint> points;
    for (const RoutePoint& p : path)
        points.push_back({static_cast<int32_t>(std::lround(p.lat * 1e6)),
                          static_cast<int32_t>(std::lround(p.lon * 1e6))});
    const double latitude = path.empty() ? 0 : path.front().lat;
    for (double tolerance = 1; points.size() > kMaxRoutePoints; tolerance *= 2)
        points = LineSimplifier(tolerance, latitude).Simplify(points);
    return points;
}

} // namespace

std::string RouteGpx(std::span<const RoutePoint> path)
{
    // A route before a track, as the format's schema orders them.
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"Hikewise\" "
                      "xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                      "<rte><name>Route</name>\n";
    for (const RoadPoint& p : RoutePoints(path))
        out += Position("rtept", p.lat * 1e-6, p.lon * 1e-6) + "</rtept>\n";
    out += "</rte>\n<trk><name>Route</name><trkseg>\n";
    for (const RoutePoint& p : path) {
        out += Position("trkpt", p.lat, p.lon);
        if (std::isfinite(p.height))
            out += FormatString("<ele>%.2f</ele>", p.height);
        out += "</trkpt>\n";
    }
    out += "</trkseg></trk>\n</gpx>\n";
    return out;
}

} // namespace hw
