// hikewise-nmea-sim: a simulated GPS receiver. Writes a 1 Hz NMEA 0183
// stream of a walk along a route to standard output, a file, or a serial
// device or pseudo-terminal.
#include "NmeaOutput.h"
#include "NmeaSimulator.h"
#include "SimRoute.h"

#include "base/UtcTime.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace hw;
using namespace hw::sim;

namespace {

void PrintHelp()
{
    std::printf(
        "Usage: hikewise-nmea-sim [OPTIONS]\n"
        "\n"
        "A simulated GPS receiver: writes GPGGA, GPGSA, GPGSV and GPRMC (and on\n"
        "request GPRMB and GPZDA) once a second, with checksums and CR LF, for a\n"
        "walker following a route under 4 to 14 slowly moving satellites.\n"
        "\n"
        "Route:\n"
        "  --route loop|line|FILE  a circle (default), a straight walk, or the points\n"
        "                          of FILE (\"lat lon [alt]\" a line, '#' comments)\n"
        "  --start LAT,LON[,ALT]   where loop and line start (default 22.2394,114.2383,125)\n"
        "  --radius M              loop radius in metres (default 300)\n"
        "  --climb M               height gained on the loop or line (default 60)\n"
        "  --heading DEG           direction of the line (default 45)\n"
        "  --length M              length of the line (default 2000)\n"
        "  --speed M/S             walking pace on the flat (default 1.35); slopes slow it\n"
        "\n"
        "Time and events (seconds from the start; S+LEN is LEN seconds from S):\n"
        "  --duration S            seconds to simulate (default: 1800 on a loop, the\n"
        "                          walk and 30 s more on a line or a route file)\n"
        "  --start-time T          UTC start, YYYY-MM-DDTHH:MM:SS (default 2026-05-16T01:30:00)\n"
        "  --stop S+LEN            stand still (repeatable)\n"
        "  --no-fix S+LEN          sentences go on but without a fix (repeatable)\n"
        "  --dropout S+LEN         the receiver sends nothing at all (repeatable)\n"
        "\n"
        "Sentences:\n"
        "  --satellites N          satellites in view, 4 to 14 (default 11), of each system\n"
        "  --systems LIST          satellite systems, comma-separated: gps, glonass,\n"
        "                          galileo, beidou, qzss, navic (default gps); several\n"
        "                          give one GSA per system with its NMEA 4.10 system id\n"
        "                          and a GSV group per system (GPGSV, GLGSV, GAGSV, GBGSV,\n"
        "                          GQGSV, GIGSV)\n"
        "  --talker GP|GN          talker of GGA, GSA, RMC, RMB and ZDA (default GP;\n"
        "                          GN is what combined receivers send)\n"
        "  --rmb                   add GPRMB guidance to the end of the route\n"
        "  --zda                   add GPZDA\n"
        "  --gsv-every N           the GPGSV group every N seconds (default 1); a slow\n"
        "                          line (4800 baud carries 480 bytes a second) may need it\n"
        "  --seed N                random seed (default 1); the same seed, the same stream\n"
        "\n"
        "Output:\n"
        "  --output PATH           - for standard output (default), a file (written at\n"
        "                          the end), or a serial device or pseudo-terminal\n"
        "  --baud B                pace bytes as a serial line of B baud carries them;\n"
        "                          on a terminal device also sets its rate (default 4800\n"
        "                          for devices, unpaced otherwise)\n"
        "  --realtime              one epoch a second of wall-clock time (the default\n"
        "                          for devices)\n"
        "  --fast                  as fast as possible, even to a device\n"
        "  --help                  this text\n");
}

bool ParseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

bool ParseSpan(const std::string& text, TimeSpan& span)
{
    size_t plus = text.find('+');
    double start = 0;
    double length = 0;
    if (plus == std::string::npos || !ParseNumber(text.substr(0, plus), start) ||
        !ParseNumber(text.substr(plus + 1), length) || start < 0 || length <= 0)
        return false;
    span = {static_cast<int>(start), static_cast<int>(length)};
    return true;
}

bool ParseStart(const std::string& text, RoutePoint& p)
{
    double v[3] = {0, 0, 0};
    size_t n = 0;
    size_t from = 0;
    while (n < 3) {
        size_t comma = text.find(',', from);
        if (!ParseNumber(text.substr(from, comma - from), v[n++]))
            return false;
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    if (n < 2 || std::abs(v[0]) > 90 || std::abs(v[1]) > 180)
        return false;
    p = {v[0], v[1], n == 3 ? v[2] : 0};
    return true;
}

bool ParseSystems(const std::string& text, std::vector<GnssSystem>& systems)
{
    systems.clear();
    size_t from = 0;
    for (;;) {
        size_t comma = text.find(',', from);
        GnssSystem s = SystemOfName(text.substr(from, comma - from));
        if (s == GnssSystem::Unknown || s == GnssSystem::Sbas)
            return false;
        for (GnssSystem known : systems) {
            if (known == s)
                return false;
        }
        systems.push_back(s);
        if (comma == std::string::npos)
            return true;
        from = comma + 1;
    }
}

bool ParseTime(const std::string& text, int64_t& seconds)
{
    UtcDateTime t;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &t.year, &t.month, &t.day, &t.hour,
                    &t.minute, &t.second) != 6)
        return false;
    seconds = SecondsFromUtc(t);
    return true;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "hikewise-nmea-sim: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    SimOptions options;
    std::string routeName = "loop";
    RoutePoint start{22.2394, 114.2383, 125};
    double radius = 300, climb = 60, heading = 45, length = 2000, duration = -1;
    std::string output = "-";
    int baud = -1;
    bool realtime = false, fast = false;

    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        auto number = [&](double& out) {
            std::string text;
            return value(text) && ParseNumber(text, out);
        };
        std::string text;
        double n = 0;
        bool ok = true;
        if (a == "--help" || a == "-h") {
            PrintHelp();
            return 0;
        } else if (a == "--route") {
            ok = value(routeName);
        } else if (a == "--start") {
            ok = value(text) && ParseStart(text, start);
        } else if (a == "--radius") {
            ok = number(radius) && radius > 0;
        } else if (a == "--climb") {
            ok = number(climb);
        } else if (a == "--heading") {
            ok = number(heading);
        } else if (a == "--length") {
            ok = number(length) && length > 0;
        } else if (a == "--speed") {
            ok = number(options.walkingSpeed) && options.walkingSpeed > 0 &&
                 options.walkingSpeed < 100;
        } else if (a == "--duration") {
            ok = number(duration) && duration > 0;
        } else if (a == "--start-time") {
            ok = value(text) && ParseTime(text, options.startTime);
        } else if (a == "--stop" || a == "--no-fix" || a == "--dropout") {
            TimeSpan span;
            ok = value(text) && ParseSpan(text, span);
            (a == "--stop"     ? options.stops
             : a == "--no-fix" ? options.noFix
                               : options.dropouts)
                .push_back(span);
        } else if (a == "--satellites") {
            ok = number(n) && n >= 4 && n <= 14;
            options.satellites = static_cast<int>(n);
        } else if (a == "--systems") {
            ok = value(text) && ParseSystems(text, options.systems);
        } else if (a == "--talker") {
            ok = value(options.talker) && (options.talker == "GP" || options.talker == "GN");
        } else if (a == "--rmb") {
            options.rmb = true;
        } else if (a == "--zda") {
            options.zda = true;
        } else if (a == "--gsv-every") {
            ok = number(n) && n >= 1 && n <= 3600;
            options.gsvEvery = static_cast<int>(n);
        } else if (a == "--seed") {
            ok = number(n) && n >= 0;
            options.seed = static_cast<uint32_t>(n);
        } else if (a == "--output") {
            ok = value(output);
        } else if (a == "--baud") {
            ok = number(n) && n >= 0;
            baud = static_cast<int>(n);
        } else if (a == "--realtime") {
            realtime = true;
        } else if (a == "--fast") {
            fast = true;
        } else {
            return Fail("unknown option '" + a + "' (see --help)");
        }
        if (!ok)
            return Fail("bad or missing value for " + a + " (see --help)");
    }

    SimRoute route;
    if (routeName == "loop") {
        route = SimRoute::Loop(start, radius, climb);
    } else if (routeName == "line") {
        route = SimRoute::Line(start, heading, length, climb);
    } else {
        std::string error;
        if (!SimRoute::FromFile(routeName, route, error))
            return Fail(error);
    }

    NmeaOutput out;
    std::string error;
    if (!out.Open(output, baud, error))
        return Fail(error);
    if (out.IsDevice() && !fast) {
        realtime = true;
        if (baud < 0)
            baud = 4800;
    }
    if (fast) {
        realtime = false;
        baud = 0;
    }
    out.SetPacing(baud > 0 ? baud : 0);

    NmeaSimulator simulator(route, options);
    int arrivedAt = -1;
    auto begin = std::chrono::steady_clock::now();
    for (int second = 0;; ++second) {
        if (duration > 0 ? second >= duration : (arrivedAt >= 0 && second >= arrivedAt + 30))
            break;
        if (duration <= 0 && route.Closed() && second >= 1800)
            break;
        if (realtime)
            std::this_thread::sleep_until(begin + std::chrono::seconds(second));
        std::string epoch = simulator.Epoch(second);
        if (arrivedAt < 0 && simulator.Arrived())
            arrivedAt = second;
        if (!epoch.empty() && !out.Write(epoch, error))
            return Fail(error);
    }
    if (!out.Finish(error))
        return Fail(error);
    return 0;
}
