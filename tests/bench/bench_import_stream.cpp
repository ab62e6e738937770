// Import of a pocket query against Expat's own xmlwf pass over the same
// file, in the same run, and the memory the import needs beyond the
// database it fills. Target: the import within 2 times xmlwf; a second pass
// over the file (every cache already stored, so the database does not grow)
// adds next to nothing to the peak memory, whatever the file's size.
//   bench_import_stream [FILE.gpx [RUNS]]     (none: 10,000 generated caches)
//   bench_import_stream --write FILE.gpx CACHES   (writes the generated file)
#include "bench/Figures.h"
#include "bench/PocketQuery.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointImport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Steady = std::chrono::steady_clock;

double Ms(Steady::time_point from)
{
    return std::chrono::duration<double, std::milli>(Steady::now() - from).count();
}

double CpuMs(const rusage& u)
{
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

double PeakMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};

// xmlwf FILE: well-formedness only, as fast as Expat goes.
bool Xmlwf(const std::string& path, Timing& out)
{
    const char* argv[] = {"xmlwf", path.c_str(), nullptr};
    pid_t pid = 0;
    const auto start = Steady::now();
    if (posix_spawnp(&pid, "xmlwf", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return false;
    int status = 0;
    rusage u{};
    if (wait4(pid, &status, 0, &u) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    out = {Ms(start), CpuMs(u)};
    return true;
}

Timing Import(hw::WaypointDatabase& db, const std::string& path, hw::ImportResult& result)
{
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = Steady::now();
    result = hw::ImportGpx(db, path, false);
    const double wall = Ms(start);
    getrusage(RUSAGE_SELF, &after);
    return {wall, CpuMs(after) - CpuMs(before)};
}

void Print(const char* what, const std::vector<Timing>& runs)
{
    std::vector<double> wall, cpu;
    for (const Timing& t : runs) {
        wall.push_back(t.wallMs);
        cpu.push_back(t.cpuMs);
    }
    std::printf("%-22s median %8.0f ms wall, %8.0f ms cpu (%zu runs)\n", what,
                hw::bench::Summarise(wall).median, hw::bench::Summarise(cpu).median, runs.size());
}

double Median(const std::vector<Timing>& runs, double Timing::*field)
{
    std::vector<double> v;
    for (const Timing& t : runs)
        v.push_back(t.*field);
    return hw::bench::Summarise(v).median;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--write") {
        if (!bench::WritePocketQuery(argv[2], std::max(1, std::atoi(argv[3])))) {
            std::fprintf(stderr, "bench_import_stream: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    // A file of its own goes when the program ends, however it ends.
    struct Generated {
        std::string path;
        ~Generated()
        {
            if (!path.empty())
                std::remove(path.c_str());
        }
    } generated;
    std::string path;
    if (argc > 1 && argv[1][0] != '-') {
        path = argv[1];
    } else {
        path = (std::filesystem::temp_directory_path() /
                ("hikewise-bench-" + std::to_string(getpid()) + "-pq.gpx"))
                   .string();
        generated.path = path;
        if (!bench::WritePocketQuery(path, 10000))
            return 1;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::vector<Timing> xmlwf, import;
    int caches = 0;
    double databaseMb = 0, secondPassMb = 0;
    for (int i = 0; i < runs; ++i) {
        Timing t;
        if (!Xmlwf(path, t)) {
            std::fprintf(stderr, "bench_import_stream: xmlwf failed (is the expat package "
                                 "installed?)\n");
            return 1;
        }
        xmlwf.push_back(t);
        hw::WaypointDatabase db;
        hw::ImportResult r;
        const double base = PeakMb();
        import.push_back(Import(db, path, r));
        if (!r.error.empty()) {
            std::fprintf(stderr, "bench_import_stream: %s\n", r.error.c_str());
            return 1;
        }
        caches = r.added;
        const double filled = PeakMb();
        if (i == 0) {
            // Every cache is stored: the database stays as it is, and only
            // what the parse itself holds could raise the peak.
            Import(db, path, r);
            databaseMb = filled - base;
            secondPassMb = PeakMb() - filled;
        }
    }
    std::printf("pocket query: %d caches, %.1f MB\n", caches,
                static_cast<double>(std::filesystem::file_size(path)) / 1e6);
    Print("xmlwf", xmlwf);
    Print("import (ImportGpx)", import);
    std::printf("ratio import/xmlwf: %.2f wall, %.2f cpu (target <= 2.00)\n",
                Median(import, &Timing::wallMs) / Median(xmlwf, &Timing::wallMs),
                Median(import, &Timing::cpuMs) / Median(xmlwf, &Timing::cpuMs));
    std::printf("memory: database filled by the import %.0f MB; a second pass over the file "
                "raises the peak by %.1f MB\n",
                databaseMb, secondPassMb);
    return 0;
}
