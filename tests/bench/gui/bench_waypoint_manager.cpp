// The waypoint manager over 10,000 waypoints (the map scene), or over the
// waypoints of a database file: opening it to its first painted frame,
// re-filtering on each keystroke as the user types a name, and re-sorting
// after a tap on each column's header. Prints the median and the 95th
// percentile of each. Targets: each at most 200 ms at 100,000 waypoints.
//   bench_waypoint_manager [RUNS] [DATABASE LAT LON]   (LAT, LON in degrees:
//   the position, which every waypoint lies within 1,000 km of)
#include "bench/Figures.h"
#include "bench/MapBenchScene.h"
#include "map/gui/MapWnd.h"
#include "shell/gui/MapPageParts.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/gui/WaypointListView.h"
#include "waypoints/gui/WaypointManagerDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using namespace hw;
using Steady = std::chrono::steady_clock;

namespace {

using bench::Figures;
using bench::Summarise;

// This thread's processor time in ms: the figure that a busy machine does
// not inflate.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall and processor times of one kind of step.
struct Timings {
    struct Start {
        Steady::time_point wall = Steady::now();
        double cpu = CpuMs();
    };
    void Add(const Start& from)
    {
        wall.push_back(
            std::chrono::duration<double, std::milli>(Steady::now() - from.wall).count());
        cpu.push_back(CpuMs() - from.cpu);
    }
    std::vector<double> wall, cpu;
};

void Print(const std::string& what, const Timings& t, int rows)
{
    const Figures wall = Summarise(t.wall), cpu = Summarise(t.cpu);
    std::printf("%-36s %6d rows: median %7.2f ms (cpu %7.2f), p95 %7.2f ms (cpu %7.2f), %zu runs\n",
                what.c_str(), rows, wall.median, cpu.median, wall.p95, cpu.p95, t.wall.size());
}

// Shows the dialog and waits until its list has painted.
void ShowAndPaint(WaypointManagerDialog& m)
{
    m.show();
    m.List()->viewport()->repaint();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 20;
    QTemporaryDir dir;
    std::string db = (dir.path() + "/bench.wpt").toStdString();
    GeoPoint centre = bench::kCentre;
    if (argc > 4) {
        db = argv[2];
        centre = GeoPoint::FromDegrees(std::atof(argv[3]), std::atof(argv[4]));
    } else {
        SaveWaypointDatabase(bench::MakeScene(10, false, true)->waypoints, db);
    }
    MapWnd::RunOptions run;
    run.databaseFile = db;
    run.trackFile = (dir.path() + "/bench.trk").toStdString();
    MapWnd::SetRunOptions(run);
    MemorySettingsStore settings;
    settings.SetInt("地图", "当前位置纬度", centre.lat);
    settings.SetInt("地图", "当前位置经度", centre.lon);
    settings.SetInt("Waypoint Manager Dialog", "List Distance", 1000); // nearby: every one
    MapWnd window(
        settings, [] { return GpsFix{}; }, std::make_unique<MapPageParts>());
    window.resize(800, 480);
    window.show();

    // A name the user types, one keystroke after another: the first six
    // characters of the middle waypoint's.
    QString typed;
    Timings open, filter;
    std::vector<Timings> sort(WaypointManagerColumns::kSlotCount);
    int rows = 0;
    for (int i = 0; i < runs; ++i) {
        const Timings::Start start;
        std::unique_ptr<QDialog> d(window.MakeDialog(QStringLiteral("waypoint-manager")));
        auto& m = static_cast<WaypointManagerDialog&>(*d);
        ShowAndPaint(m);
        open.Add(start);
        const WaypointManagerList& list = m.List()->List();
        rows = list.Count();
        if (typed.isEmpty() && rows > 0) {
            const Waypoint* w =
                list.Record(window.Waypoints(), list.Rows()[list.Rows().size() / 2]);
            typed = QString::fromStdString(w->strName).left(6);
        }
        for (qsizetype k = 1; k <= typed.size(); ++k) {
            m.SearchText()->setText(typed.left(k));
            const Timings::Start t;
            emit m.SearchText()->textEdited(m.SearchText()->text());
            m.List()->viewport()->repaint();
            filter.Add(t);
        }
        m.SearchText()->clear();
        emit m.SearchText()->textEdited({});
        // Every column, each from another column's order.
        for (int c = WaypointManagerColumns::kSlotCount - 1; c >= 0; --c) {
            const Timings::Start t;
            m.List()->SortByColumn(c);
            m.List()->viewport()->repaint();
            sort[static_cast<size_t>(c)].Add(t);
        }
    }
    MapWnd::SetRunOptions({});
    Print("manager open to first frame", open, rows);
    Print("re-filter on a keystroke (\"" + typed.toStdString() + "\")", filter, rows);
    for (int c = 0; c < WaypointManagerColumns::kSlotCount; ++c)
        Print("re-sort by \"" + WaypointManagerColumns::Header(c) + "\"",
              sort[static_cast<size_t>(c)], rows);
    return 0;
}
