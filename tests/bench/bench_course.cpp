// Courses: opening a 100,000-point GPX track against Expat's own xmlwf pass
// over the same file (target: within 2 times), and one fix matched on a
// 50,000-point course while walking it (target: median 20 µs or less).
//   bench_course [RUNS]
#include "bench/Figures.h"
#include "course/CourseFile.h"
#include "course/CourseFollower.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Steady = std::chrono::steady_clock;

double Ms(Steady::time_point start)
{
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

// A winding walk of 2 m steps with heights, as a recording would give it.
void WriteTrack(const std::string& path, int points)
{
    std::ofstream out(path);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"bench\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><name>Long walk</name><trkseg>\n";
    char line[200];
    for (int i = 0; i < points; ++i) {
        double a = i * 0.002;
        std::snprintf(line, sizeof line,
                      "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele>"
                      "<time>2026-05-16T01:%02d:%02dZ</time></trkpt>\n",
                      46 + i * 1.6e-5 + 2e-4 * std::sin(a), 7 + 3e-4 * std::cos(a),
                      1000 + 200 * std::sin(a / 7), i / 60 % 60, i % 60);
        out << line;
    }
    out << "</trkseg></trk>\n</gpx>\n";
}

bool Xmlwf(const std::string& path, double& ms)
{
    const char* argv[] = {"xmlwf", path.c_str(), nullptr};
    pid_t pid = 0;
    auto start = Steady::now();
    if (posix_spawnp(&pid, "xmlwf", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    ms = Ms(start);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string path = (std::filesystem::temp_directory_path() /
                        ("bench_course." + std::to_string(::getpid()) + ".gpx"))
                           .string();
    WriteTrack(path, 100000);
    std::vector<double> xmlwf, open;
    hw::CourseFile file;
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        if (!Xmlwf(path, ms)) {
            std::fprintf(stderr, "bench_course: xmlwf failed (is the expat package installed?)\n");
            return 1;
        }
        xmlwf.push_back(ms);
        auto start = Steady::now();
        file = hw::ReadCourseFile(path);
        open.push_back(Ms(start));
    }
    const double mb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
    if (file.status != hw::CourseFile::Status::Ok || file.courses[0].points.size() != 100000) {
        std::fprintf(stderr, "bench_course: %s\n", file.error.c_str());
        return 1;
    }
    auto x = hw::bench::Summarise(xmlwf), o = hw::bench::Summarise(open);
    std::printf("open 100,000-point GPX (%.1f MB): median %.1f ms, xmlwf %.1f ms, ratio %.2f "
                "(target <= 2)\n",
                mb, o.median, x.median, o.median / x.median);

    // Following the first 50,000 points, a fix beside every stretch (about 3 m
    // off), timed fix by fix.
    hw::Course course = file.courses[0];
    course.points.resize(50000);
    hw::CourseFollower follower(course, false, nullptr, hw::FollowSettings{});
    std::vector<double> fix;
    const auto& pts = follower.Profile().GetCourse().points;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        double lat = (pts[i].lat + pts[i + 1].lat) / 2 + 3e-5,
               lon = (pts[i].lon + pts[i + 1].lon) / 2;
        auto start = Steady::now();
        follower.Update(lat, lon, 1.7e9 + static_cast<double>(i));
        fix.push_back(Ms(start) * 1000);
    }
    auto f = hw::bench::Summarise(fix);
    std::printf("one fix on a 50,000-point course: median %.2f us, p95 %.2f us over %zu fixes "
                "(target median <= 20 us); progress %.0f of %.0f m\n",
                f.median, f.p95, fix.size(), follower.State().alongM, follower.Profile().LengthM());
    return 0;
}
