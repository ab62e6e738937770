// route MAP FROM TO [--via LAT,LON]... [--mode shortest|hiking] [--max-sac N]
// [--terrain DEM] [--gpx OUT.gpx], or route MAP --pairs FILE: a way on foot
// over the map's walking network, as one JSON line per route.
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "base/AtomicFile.h"
#include "base/JsonWriter.h"
#include "base/ReadFile.h"
#include "basemap/RoadMap.h"
#include "route/PlanningNetwork.h"
#include "route/RouteGpx.h"
#include "route/WalkableWay.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace hw::tool {
namespace {

constexpr const char* kUsage =
    "usage: route MAP FROM TO [--via LAT,LON]... [--mode shortest|hiking] [--max-sac N] "
    "[--terrain DEM] [--gpx OUT.gpx], or route MAP --pairs FILE [--mode M] [--max-sac N] "
    "[--terrain DEM]";

// "LAT,LON" in degrees.
bool ParseStop(const std::string& text, RouteStop& stop)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    const char* end = text.data() + text.size();
    auto lat = std::from_chars(text.data(), text.data() + comma, stop.lat);
    auto lon = std::from_chars(text.data() + comma + 1, end, stop.lon);
    return lat.ec == std::errc() && lat.ptr == text.data() + comma && lon.ec == std::errc() &&
           lon.ptr == end && std::fabs(stop.lat) <= 90 && std::fabs(stop.lon) <= 180;
}

std::string ErrorJson(const std::string& message)
{
    std::string out;
    JsonWriter(out).BeginObject().Key("error").String(message).EndObject();
    return out;
}

// The plan as the command prints it; texts are the stops as written.
std::string PlanJson(const RoutePlan& plan, const std::vector<std::string>& texts, double ms)
{
    switch (plan.status) {
    case RoutePlan::Status::Found: break;
    case RoutePlan::Status::TooFar:
        return ErrorJson("no walkable way within 5 km of " + texts[plan.farStop]);
    case RoutePlan::Status::NoRoute:
    case RoutePlan::Status::Cancelled: return ErrorJson("no route");
    }
    std::string out;
    JsonWriter j(out);
    j.BeginObject()
        .Key("length_m")
        .Real(plan.figures.lengthM, 1)
        .Key("time_s")
        .Real(plan.figures.timeS, 1)
        .Key("ascent_m")
        .Real(plan.figures.ascentM, 1)
        .Key("descent_m")
        .Real(plan.figures.descentM, 1)
        .Key("points")
        .UInt(plan.path.size())
        .Key("snap_m")
        .BeginArray();
    for (double s : plan.snapM)
        j.Real(s, 1);
    j.EndArray();
    if (ms >= 0)
        j.Key("ms").Real(ms, 3);
    j.Key("path").BeginArray();
    for (const RoutePoint& p : plan.path)
        j.BeginArray().Real(p.lat, 6).Real(p.lon, 6).EndArray();
    j.EndArray().EndObject();
    return out;
}

bool PrintLine(const std::string& line)
{
    return std::fwrite(line.data(), 1, line.size(), stdout) == line.size() &&
           std::fputc('\n', stdout) != EOF;
}

// Routes every line "FROMLAT,FROMLON TOLAT,TOLON" of a file, timing the
// snapping and search of each.
int RunPairs(RoutePlanner& planner, RouteRequest request, const std::string& path)
{
    std::string text;
    if (!ReadWholeFile(path, std::size_t{1} << 30, text))
        return Fail("cannot read '" + path + "'");
    std::istringstream lines(text);
    std::string line;
    bool written = true;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        std::istringstream words(line);
        std::vector<std::string> texts(2);
        std::string rest;
        request.stops.assign(2, RouteStop());
        if (!(words >> texts[0] >> texts[1]) || (words >> rest) ||
            !ParseStop(texts[0], request.stops[0]) || !ParseStop(texts[1], request.stops[1])) {
            written &= PrintLine(ErrorJson("cannot read the pair '" + line + "'"));
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        const RoutePlan plan = planner.Plan(request);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        written &= PrintLine(PlanJson(plan, texts, ms));
    }
    return std::fflush(stdout) == 0 && written ? 0 : 1;
}

int Run(const Args& arguments)
{
    Args args = arguments;
    std::string error, mode = "shortest", terrainPath, gpxPath, pairsPath;
    std::vector<std::string> vias;
    double maxSac = 3;
    if (!TakeTextOptions(args, "--via", vias, error) ||
        !TakeTextOption(args, "--mode", mode, error) ||
        !TakeNumberOption(args, "--max-sac", maxSac, error) ||
        !TakeTextOption(args, "--terrain", terrainPath, error) ||
        !TakeTextOption(args, "--gpx", gpxPath, error) ||
        !TakeTextOption(args, "--pairs", pairsPath, error) || !NoOptionsLeft(args, error))
        return Fail(error);
    RouteRequest request;
    if (mode != "shortest" && mode != "hiking")
        return Fail("--mode takes shortest or hiking");
    request.mode = mode == "hiking" ? RouteMode::Hiking : RouteMode::Shortest;
    if (maxSac < 0 || maxSac > kMaxDifficulty || maxSac != std::floor(maxSac))
        return Fail("--max-sac takes a whole number from 0 to 6");
    request.maxDifficulty = static_cast<int>(maxSac);
    const bool pairs = !pairsPath.empty();
    if (args.size() != (pairs ? 1u : 3u) || (pairs && (!vias.empty() || !gpxPath.empty())))
        return Fail(kUsage);
    std::vector<std::string> texts;
    if (!pairs) {
        texts = {args[1]};
        texts.insert(texts.end(), vias.begin(), vias.end());
        texts.push_back(args[2]);
        request.stops.resize(texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (!ParseStop(texts[i], request.stops[i]))
                return Fail("cannot read the position '" + texts[i] + "': LAT,LON in degrees");
    }

    RoadMap map;
    PlanningNetwork network;
    if (!map.Load(args[0], error) || !network.Prepare(map, terrainPath, error))
        return Fail(error);
    RoutePlanner& planner = network.Planner();
    if (pairs)
        return RunPairs(planner, request, pairsPath);

    const RoutePlan plan = planner.Plan(request);
    const bool written = PrintLine(PlanJson(plan, texts, -1)) && std::fflush(stdout) == 0;
    if (plan.status != RoutePlan::Status::Found)
        return 1;
    if (!gpxPath.empty() && !WriteFileAtomically(gpxPath, RouteGpx(plan.path)))
        return Fail("cannot write '" + gpxPath + "'");
    return written ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"route",
     "MAP FROM TO [--via LAT,LON]... [--mode shortest|hiking] [--max-sac N] "
     "[--terrain DEM] [--gpx OUT.gpx] | MAP --pairs FILE",
     "a way on foot over the map's walking network, positions as LAT,LON in degrees; prints its "
     "length, walking time, climb and points as JSON",
     &Run});

} // namespace
} // namespace hw::tool
