// "Mark here" on a large waypoint database: the waypoint is added and the
// database saved beside the UI thread. Prints the longest stall of the UI
// thread from the confirmed sheet until the file is on disk (the command's
// own time and the longest gap between two ticks of a 1 ms timer), and how
// long the save took. Target: at most 50 ms with 100,000 caches.
//   bench_mark_here CACHES DIR [MARKS]   (DIR/caches-CACHES.wpt is made once,
//                                         from a generated pocket query)
#include "base/CommandIds.h"
#include "base/MemorySettingsStore.h"
#include "bench/Figures.h"
#include "bench/PocketQuery.h"
#include "map/gui/MapWnd.h"
#include "shell/gui/MapPageParts.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointImport.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace hw;
using Steady = std::chrono::steady_clock;

namespace {

double Ms(Steady::time_point from, Steady::time_point to = Steady::now())
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The database of a pocket query of that many caches, made once.
std::string Database(int caches, const std::string& dir)
{
    const std::string path = dir + "/caches-" + std::to_string(caches) + ".wpt";
    if (std::filesystem::exists(path))
        return path;
    const std::string gpx = dir + "/pq-" + std::to_string(caches) + ".gpx";
    ::bench::WritePocketQuery(gpx, caches);
    WaypointDatabase db;
    ImportGpx(db, gpx, false);
    std::filesystem::remove(gpx);
    SaveWaypointDatabase(db, path);
    return path;
}

// The longest gap between two ticks of a 1 ms timer while it runs.
class StallMeter {
public:
    StallMeter()
    {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const auto now = Steady::now();
            longest_ = std::max(longest_, Ms(last_, now));
            last_ = now;
        });
    }
    void Start()
    {
        longest_ = 0;
        last_ = Steady::now();
        timer_.start();
    }
    double Stop()
    {
        timer_.stop();
        return longest_;
    }

private:
    QTimer timer_;
    Steady::time_point last_;
    double longest_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_mark_here CACHES DIR [MARKS]\n");
        return 2;
    }
    const int caches = std::atoi(argv[1]);
    const std::string dir = argv[2];
    const int marks = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
    const std::string source = Database(caches, dir);
    const std::string db = dir + "/mark-here.wpt";
    std::filesystem::copy_file(source, db, std::filesystem::copy_options::overwrite_existing);

    MapWnd::RunOptions run;
    run.databaseFile = db;
    run.trackFile = dir + "/mark-here.trk";
    MapWnd::SetRunOptions(run);
    MemorySettingsStore settings;
    const auto loadStart = Steady::now();
    MapWnd window(
        settings, [] { return GpsFix{}; }, std::make_unique<MapPageParts>());
    const double loadMs = Ms(loadStart);
    window.resize(800, 480);
    window.show();
    QApplication::processEvents();

    std::vector<double> stalls, commands, gaps, saves, idle;
    StallMeter meter;
    // The machine's own noise: the same timer with nothing to do.
    for (int i = 0; i < marks; ++i) {
        meter.Start();
        const auto until = Steady::now() + std::chrono::milliseconds(400);
        while (Steady::now() < until)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        idle.push_back(meter.Stop());
    }
    for (int i = 0; i < marks; ++i) {
        Steady::time_point confirmed;
        // The sheet "编辑路点" opens; the user confirms it.
        QTimer::singleShot(0, [&confirmed, &meter] {
            if (auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                confirmed = Steady::now();
                meter.Start();
                sheet->accept();
            }
        });
        window.HandleCommand(cmd::kMarkWaypoint); // at the current position
        const double command = Ms(confirmed);
        const auto saveStart = Steady::now();
        while (!window.DatabaseWriter().WaitFor(std::chrono::milliseconds(0)))
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        saves.push_back(Ms(saveStart));
        const double gap = meter.Stop();
        commands.push_back(command);
        gaps.push_back(gap);
        stalls.push_back(std::max(command, gap));
    }
    // The save alone: a change, then the request, as every command makes it.
    std::vector<double> requests;
    for (int i = 0; i < marks; ++i) {
        Waypoint w;
        w.strName = "bench " + std::to_string(i);
        w.nLatitude = 47500000;
        w.nLongitude = 8500000;
        window.Waypoints().Add(w);
        const auto asked = Steady::now();
        window.SaveDatabase();
        requests.push_back(Ms(asked));
        window.DatabaseWriter().Wait();
    }
    MapWnd::SetRunOptions({});
    WaypointDatabase check;
    LoadWaypointDatabase(check, db, nullptr, false, WaypointTexts::Deferred);
    std::printf("%d caches, %.0f MB database: load %.0f ms; %d marks, %d saved\n", caches,
                static_cast<double>(std::filesystem::file_size(db)) / 1e6, loadMs, marks,
                check.Count() - caches - marks);
    const auto print = [](const char* what, const std::vector<double>& ms) {
        const hw::bench::Figures f = hw::bench::Summarise(ms);
        std::printf("  %-44s median %7.1f ms, max %7.1f ms\n", what, f.median,
                    *std::max_element(ms.begin(), ms.end()));
    };
    print("longest UI stall (confirm to file on disk)", stalls);
    print("  the command after the confirm", commands);
    print("  longest gap of a 1 ms timer", gaps);
    print("  the same gap with nothing to do (400 ms)", idle);
    print("background save, asked to on disk", saves);
    print("a save asked for, on the UI thread", requests);
    std::filesystem::remove(db);
    return 0;
}
