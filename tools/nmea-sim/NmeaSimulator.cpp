#include "NmeaSimulator.h"

#include "base/UtcTime.h"
#include "geo/GeoPoint.h"
#include "geo/SphericalGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace hw::sim {

namespace {

constexpr double kKnotsPerMetreSecond = 1.943844492;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Coordinate(double degrees, int degreeDigits, char positive, char negative)
{
    // Rounded once in units of 1e-5 minute, so that minutes never read 60.
    long long units = std::llround(std::abs(degrees) * 60 * 100000);
    long long whole = units / (60 * 100000);
    long long rest = units % (60 * 100000);
    return Format("%0*lld%02lld.%05lld,%c", degreeDigits, whole, rest / 100000, rest % 100000,
                  degrees < 0 ? negative : positive);
}

// The satellite numbers of a system as NMEA 4.10 receivers give them, and
// the talker of its GSV group.
struct SystemNumbers {
    int first;
    int last;
    const char* talker;
};

SystemNumbers NumbersOf(GnssSystem system)
{
    switch (system) {
    case GnssSystem::Glonass: return {65, 88, "GL"};
    case GnssSystem::Galileo: return {1, 36, "GA"};
    case GnssSystem::BeiDou: return {1, 63, "GB"};
    case GnssSystem::Qzss: return {1, 10, "GQ"};
    case GnssSystem::Navic: return {1, 14, "GI"};
    default: return {1, 32, "GP"};
    }
}

} // namespace

std::string NmeaSentence(const std::string& body)
{
    unsigned sum = 0;
    for (unsigned char c : body)
        sum ^= c;
    return "$" + body + Format("*%02X\r\n", sum & 0xFFu);
}

std::string NmeaLatitude(double degrees)
{
    return Coordinate(degrees, 2, 'N', 'S');
}

std::string NmeaLongitude(double degrees)
{
    return Coordinate(degrees, 3, 'E', 'W');
}

NmeaSimulator::NmeaSimulator(SimRoute route, const SimOptions& options)
    : route_(std::move(route)), options_(options), rng_(options.seed), truth_(route_.At(0))
{
    for (GnssSystem system : options_.systems) {
        const SystemNumbers numbers = NumbersOf(system);
        skies_.push_back(
            {system, SkyModel(options_.satellites, rng_, numbers.first, numbers.last)});
    }
}

bool NmeaSimulator::Within(const std::vector<TimeSpan>& spans, int second) const
{
    return std::any_of(spans.begin(), spans.end(),
                       [&](const TimeSpan& s) { return s.Contains(second); });
}

// A hiker's pace on a slope (rise over run): fastest slightly downhill,
// slower both ways from there.
double NmeaSimulator::WalkingSpeed(double grade) const
{
    return options_.walkingSpeed * std::exp(-3.5 * std::abs(grade + 0.05)) / std::exp(-0.175);
}

std::string NmeaSimulator::Epoch(int second)
{
    // Walk on over the time since the last epoch.
    double dt = lastSecond_ < 0 ? 0 : second - lastSecond_;
    lastSecond_ = second;
    bool stopped = Within(options_.stops, second) || Arrived();
    std::normal_distribution<double> gauss(0, 1);
    speed_ = stopped ? 0 : WalkingSpeed(route_.GradeAt(distance_)) * (1 + 0.05 * gauss(rng_));
    speed_ = std::max(0.0, speed_);
    distance_ += speed_ * dt;
    if (!route_.Closed())
        distance_ = std::min(distance_, route_.Length());
    truth_ = route_.At(distance_);
    if (!stopped)
        course_ = route_.CourseAt(distance_);

    bool fix = !Within(options_.noFix, second);
    for (SystemSky& s : skies_)
        s.sky.Step(dt, fix ? 0.15 : 1.0);
    if (Within(options_.dropouts, second))
        return {};

    // The receiver's error wanders slowly around the truth.
    noiseNorth_ = 0.92 * noiseNorth_ + 0.5 * gauss(rng_);
    noiseEast_ = 0.92 * noiseEast_ + 0.5 * gauss(rng_);
    noiseUp_ = 0.99 * noiseUp_ + 0.08 * gauss(rng_);
    RoutePoint seen = Offset(truth_, noiseNorth_, noiseEast_);
    seen.alt = truth_.alt + noiseUp_;

    UtcDateTime t = UtcFromSeconds(options_.startTime + second);
    std::string time = Format("%02d%02d%02d.00", t.hour, t.minute, t.second);
    std::string date = Format("%02d%02d%02d", t.day, t.month, t.year % 100);
    std::vector<std::vector<int>> used;
    size_t usedCount = 0;
    for (const SystemSky& s : skies_) {
        used.push_back(fix ? s.sky.UsedPrns() : std::vector<int>());
        usedCount += used.back().size();
    }
    if (usedCount < 4) {
        fix = false;
        usedCount = 0;
        for (std::vector<int>& list : used)
            list.clear();
    }
    double hdop = fix ? 0.6 + 5.0 / static_cast<double>(usedCount) : 0;
    double vdop = hdop * 1.5;
    double pdop = std::sqrt(hdop * hdop + vdop * vdop);
    const std::string& talker = options_.talker;
    const bool combined = skies_.size() > 1;

    std::string out;
    if (fix) {
        out += NmeaSentence(talker + "GGA," + time + "," + NmeaLatitude(seen.lat) + "," +
                            NmeaLongitude(seen.lon) +
                            Format(",1,%02zu,%.1f,%.1f,M,%.1f,M,,", usedCount, hdop, seen.alt,
                                   options_.geoidSeparation));
    } else {
        out += NmeaSentence(talker + "GGA," + time + ",,,,,0,00,,,M,,M,,");
    }

    for (size_t k = 0; k < skies_.size(); ++k) {
        std::string gsa = talker + (fix ? "GSA,A,3" : "GSA,A,1");
        for (size_t i = 0; i < 12; ++i)
            gsa += i < used[k].size() ? Format(",%02d", used[k][i]) : std::string(",");
        gsa += fix ? Format(",%.1f,%.1f,%.1f", pdop, hdop, vdop) : std::string(",,,");
        if (combined)
            gsa += Format(",%d", static_cast<int>(skies_[k].system));
        out += NmeaSentence(gsa);
    }

    for (const SystemSky& sky : skies_) {
        const std::vector<SimSatellite>& sats = sky.sky.Satellites();
        const char* gsvTalker = NumbersOf(sky.system).talker;
        size_t messages = second % options_.gsvEvery == 0 ? (sats.size() + 3) / 4 : 0;
        for (size_t m = 0; m < messages; ++m) {
            std::string gsv =
                Format("%sGSV,%zu,%zu,%02zu", gsvTalker, messages, m + 1, sats.size());
            for (size_t k = m * 4; k < std::min(sats.size(), m * 4 + 4); ++k) {
                const SimSatellite& s = sats[k];
                gsv += Format(",%02d,%02d,%03d,", s.prn, static_cast<int>(std::lround(s.elevation)),
                              static_cast<int>(std::lround(s.azimuth)) % 360);
                if (s.snr > 0)
                    gsv += Format("%02d", s.snr);
            }
            out += NmeaSentence(gsv);
        }
    }

    double knots = speed_ * kKnotsPerMetreSecond;
    std::string variation = Format("%.1f,%c", std::abs(options_.magneticVariation),
                                   options_.magneticVariation < 0 ? 'W' : 'E');
    if (fix) {
        out += NmeaSentence(talker + "RMC," + time + ",A," + NmeaLatitude(seen.lat) + "," +
                            NmeaLongitude(seen.lon) + Format(",%.2f,%.1f,", knots, course_) + date +
                            "," + variation + ",A");
    } else {
        out += NmeaSentence(talker + "RMC," + time + ",V,,,,,,," + date + ",,,N");
    }

    if (options_.rmb) {
        // Guidance from the start to the end of the route.
        const RoutePoint& to = route_.Back();
        if (fix) {
            double rangeNm = DistanceKm(seen.lat, seen.lon, to.lat, to.lon) / 1.852;
            double bearing = BearingToward(GeoPoint::FromDegrees(to.lat, to.lon),
                                           GeoPoint::FromDegrees(seen.lat, seen.lon));
            bearing = std::fmod(bearing, 360.0);
            double closing = knots * std::cos((bearing - course_) * kRadiansPerDegree);
            out += NmeaSentence(talker + "RMB,A,0.00,L,START,FINISH," + NmeaLatitude(to.lat) + "," +
                                NmeaLongitude(to.lon) +
                                Format(",%.3f,%.1f,%.1f,%c", rangeNm, bearing, closing,
                                       rangeNm < 0.027 ? 'A' : 'V'));
        } else {
            out += NmeaSentence(talker + "RMB,V,,,,,,,,,,,,V");
        }
    }
    if (options_.zda) {
        out += NmeaSentence(talker + "ZDA," + time +
                            Format(",%02d,%02d,%04d,00,00", t.day, t.month, t.year));
    }
    return out;
}

} // namespace hw::sim
