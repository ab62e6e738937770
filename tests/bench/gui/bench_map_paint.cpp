// The map page's full repaint with the painter: a 15,000-point track and
// 10,000 waypoints, the whole track in view, at 800 x 480 and 1920 x 1080,
// north up and course up; the road map of Monaco (made from the peer
// extract) wholly in view, alone and under that track and those waypoints;
// and start-up of the map window with that database and track loaded, to
// the first painted frame. Prints the median and the 95th percentile of
// each. Targets: repaint at most 8 ms median, start-up at most 1 s.
//   bench_map_paint [FRAMES]
//   bench_map_paint --scene-files DIR   (writes the walk's bench.wpt, bench.trk)
//   bench_map_paint --background ZOOM|all [FRAMES]   (the afresh background alone)
//   bench_map_paint --terrain   (the relief alone; HW_BENCH_PARTS=1 adds where its
//                                first frames go)
#include "base/LabelPlacer.h"
#include "basemap/RoadDrawing.h"
#include "basemap/RoadLayer.h"
#include "bench/Figures.h"
#include "bench/MapBenchScene.h"
#include "map/MapDrawing.h"
#include "map/gui/MapView.h"
#include "map/gui/MapWnd.h"
#include "map/gui/TerrainShading.h"
#include "shell/gui/MapPageParts.h"
#include "terrain/TerrainDrawing.h"
#include "terrain/TerrainLayer.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/gui/SymbolStrips.h"
#include "widgets/DrawListPainter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

double Ms(Steady::time_point from)
{
    return std::chrono::duration<double, std::milli>(Steady::now() - from).count();
}

// Monaco's middle, and the zoom (10 km) at which the whole of it is in view.
const GeoPoint kMonaco = GeoPoint::FromDegrees(43.7425, 7.4198);
constexpr int kWholeMonacoZoom = 12;

void Measure(MapView& view, const char* what, int width, int height, int frames);

void Repaint(int width, int height, bool courseUp, bool walk, int frames)
{
    // The zoom at which the scene's spread fills the view.
    auto scene = bench::MakeScene(10, courseUp, walk);
    MapView view(scene->model, scene->track, scene->waypoints, scene->units);
    view.resize(width, height);
    const std::string what =
        std::string(courseUp ? "course up" : "north up") + (walk ? " walk" : " scattered");
    Measure(view, what.c_str(), width, height, frames);
}

// The road map of Monaco wholly in view, alone or under the track and
// waypoints of the scene above.
void RepaintRoads(RoadLayer& roads, int width, int height, bool withScene, int frames)
{
    std::unique_ptr<bench::Scene> scene;
    if (withScene) {
        scene = bench::MakeScene(kWholeMonacoZoom, false, true, kMonaco);
    } else {
        scene = std::make_unique<bench::Scene>(kMonaco);
        scene->model.SetNorthUp(true);
        scene->model.SetZoomIndex(kWholeMonacoZoom);
        scene->model.SetFixIndicatorOn(true);
    }
    RoadDrawing drawing(roads);
    MapView view(scene->model, scene->track, scene->waypoints, scene->units);
    view.SetRoadLayer(&drawing);
    view.resize(width, height);
    Measure(view, withScene ? "Monaco + walk" : "Monaco roads", width, height, frames);
    std::printf("  roads: %llu nodes of %llu drawn\n",
                static_cast<unsigned long long>(drawing.NodesDrawn()),
                static_cast<unsigned long long>(roads.Map().Summary().nodes));
}

// Where an afresh background's time goes: building the list, and painting
// its fills, wide strokes, thin strokes and texts (processor time).
void BackgroundParts(bench::Scene& scene, const MapDrawing::Sources& sources, QImage& image)
{
    DrawList list;
    double start = CpuMs();
    MapDrawing::BuildBackground(scene.model, sources, scene.model.Viewport(), list);
    const double build = CpuMs() - start;
    enum { kFill, kWide, kThin, kText, kOther, kParts };
    double parts[kParts] = {};
    int counts[kParts] = {};
    QPainter p(&image);
    DrawListPainter painter(p);
    for (const DrawItem& item : list.Items()) {
        int part = kOther;
        if (std::holds_alternative<Polygon>(item))
            part = kFill;
        else if (const auto* lines = std::get_if<Polylines>(&item))
            part = lines->pen.width > 1 ? kWide : kThin;
        else if (const auto* line = std::get_if<Polyline>(&item))
            part = line->pen.width > 1 ? kWide : kThin;
        else if (std::holds_alternative<Text>(item))
            part = kText;
        start = CpuMs();
        painter.Paint(item);
        parts[part] += CpuMs() - start;
        ++counts[part];
    }
    std::printf("  parts (cpu): build %.2f ms; paint: %d fills %.2f ms, %d wide strokes %.2f ms, "
                "%d thin %.2f ms, %d texts %.2f ms, %d other %.2f ms\n",
                build, counts[kFill], parts[kFill], counts[kWide], parts[kWide], counts[kThin],
                parts[kThin], counts[kText], parts[kText], counts[kOther], parts[kOther]);
}

// The map's background built and painted afresh every frame, as when the
// view moves: sheet, grid, the topographic layer, roads, names, over Monaco
// at a zoom index, north up or course up.
void RepaintBackground(RoadLayer& roads, int width, int height, int zoom, bool courseUp, int frames)
{
    bench::Scene scene(kMonaco);
    scene.model.SetNorthUp(!courseUp);
    scene.model.SetZoomIndex(zoom);
    scene.model.SetClientRect({0, 0, width, height});
    RoadDrawing drawing(roads);
    const MapDrawing::Sources sources{scene.track, scene.waypoints, scene.units,
                                      0,           &drawing,        MeasureText};
    QImage image(width, height, QImage::Format_RGB32);
    std::vector<double> ms, cpu;
    for (int i = 0; i < frames; ++i) {
        const auto start = Steady::now();
        const double cpuStart = CpuMs();
        DrawList list;
        MapDrawing::BuildBackground(scene.model, sources, scene.model.Viewport(), list);
        QPainter p(&image);
        DrawListPainter(p).Paint(list);
        p.end();
        cpu.push_back(CpuMs() - cpuStart);
        ms.push_back(Ms(start));
    }
    const Figures f = Summarise(ms);
    const Figures c = Summarise(cpu);
    std::printf("map background %dx%d zoom %2d %s: median %.2f ms (cpu %.2f), p95 %.2f ms "
                "(cpu %.2f), %llu nodes\n",
                width, height, zoom, courseUp ? "course up" : "north up ", f.median, c.median,
                f.p95, c.p95, static_cast<unsigned long long>(drawing.NodesDrawn()));
    if (std::getenv("HW_BENCH_PARTS"))
        BackgroundParts(scene, sources, image);
}

// Where a first frame of relief over a new area goes: the contours traced
// and projected, the shading multiplied into a picture, the lines painted,
// their labels placed and painted (wall time; the tracing and the shading
// use every core).
void TerrainParts(TerrainLayer& terrain, bench::Scene& scene, int area)
{
    const MapViewport viewport = scene.model.Viewport();
    const ScreenRect& client = viewport.Client();
    TerrainDrawing drawing(terrain);
    TerrainShading shading(drawing);
    QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawList lines, names;
    auto start = Steady::now();
    drawing.Draw(viewport, scene.model.Scale(), lines);
    const double traced = Ms(start);
    start = Steady::now();
    shading.Paint(image, viewport);
    const double shaded = Ms(start);
    start = Steady::now();
    QPainter p(&image);
    DrawListPainter(p).Paint(lines);
    const double painted = Ms(start);
    start = Steady::now();
    LabelPlacer placer(client, {});
    drawing.DrawNames(viewport, scene.model.Scale(), placer, MeasureText, names);
    DrawListPainter(p).Paint(names);
    const double labelled = Ms(start);
    std::printf("  parts, area %d: contours traced and projected %.2f ms, shading %.2f ms, "
                "lines painted %.2f ms, %d labels placed and painted %.2f ms\n",
                area, traced, shaded, painted, drawing.LabelsDrawn(), labelled);
}

// Santo's relief (shading and contours) at 5 km: the repaint, and the
// first frame over an area not yet seen (nothing of it kept); with
// HW_BENCH_PARTS=1 also where each area's first frame goes.
void RepaintTerrain(TerrainLayer& terrain, int width, int height, int frames)
{
    const GeoPoint santo = GeoPoint::FromDegrees(-15.45, 166.8);
    const auto makeScene = [](const GeoPoint& centre) {
        auto scene = std::make_unique<bench::Scene>(centre);
        scene->model.SetNorthUp(true);
        scene->model.SetZoomIndex(11);
        scene->model.SetFixIndicatorOn(true);
        return scene;
    };
    {
        auto scene = makeScene(santo);
        TerrainDrawing drawing(terrain);
        MapView view(scene->model, scene->track, scene->waypoints, scene->units);
        view.SetTerrainLayer(&drawing);
        view.resize(width, height);
        Measure(view, "Santo terrain", width, height, frames);
    }
    const auto area = [](int i) {
        return GeoPoint::FromDegrees(-15.3 - 0.1 * i, 166.6 + 0.08 * i);
    };
    // Times render(i) over the five areas and prints the figures.
    const auto firstFrames = [&](const char* how, const auto& render) {
        std::vector<double> times, cpu;
        for (int i = 0; i < 5; ++i) {
            const auto start = Steady::now();
            const double cpuStart = CpuMs();
            render(i);
            cpu.push_back(CpuMs() - cpuStart);
            times.push_back(Ms(start));
        }
        std::printf("first frame %4dx%-4d Santo terrain, %s: median %.2f ms (cpu %.2f), "
                    "max %.2f ms (5 areas)\n  each area:",
                    width, height, how, Summarise(times).median, Summarise(cpu).median,
                    *std::max_element(times.begin(), times.end()));
        for (double t : times)
            std::printf(" %.2f", t);
        std::printf(" ms\n");
    };

    // A new map window over each area (its pictures made and first filled).
    std::vector<std::unique_ptr<bench::Scene>> scenes;
    std::vector<std::unique_ptr<TerrainDrawing>> drawings;
    std::vector<std::unique_ptr<MapView>> views;
    for (int i = 0; i < 5; ++i) {
        scenes.push_back(makeScene(area(i)));
        drawings.push_back(std::make_unique<TerrainDrawing>(terrain));
        bench::Scene& scene = *scenes.back();
        views.push_back(
            std::make_unique<MapView>(scene.model, scene.track, scene.waypoints, scene.units));
        views.back()->SetTerrainLayer(drawings.back().get());
        views.back()->resize(width, height);
    }
    firstFrames("new area", [&](int i) { views[static_cast<size_t>(i)]->Render(); });
    views.clear();

    // The same areas reached as the program reaches them: the map window
    // already showing Santo jumps to each area in turn (its pictures exist;
    // no tile of any area is kept: each area gets a terrain drawing of its
    // own, made within the timed frame).
    {
        auto scene = makeScene(santo);
        auto shown = std::make_unique<TerrainDrawing>(terrain);
        MapView view(scene->model, scene->track, scene->waypoints, scene->units);
        view.SetTerrainLayer(shown.get());
        view.resize(width, height);
        view.Render();
        firstFrames("jump to a new area", [&](int i) {
            auto fresh = std::make_unique<TerrainDrawing>(terrain);
            view.SetTerrainLayer(fresh.get());
            shown = std::move(fresh);
            scene->model.CentreOn(area(i));
            view.Render();
        });
    }
    if (std::getenv("HW_BENCH_PARTS"))
        for (int i = 0; i < 5; ++i) {
            auto scene = makeScene(area(i));
            scene->model.SetClientRect({0, 0, width, height});
            TerrainParts(terrain, *scene, i + 1);
        }
}

// Where a frame's time goes: the symbols alone, and the rest of the
// foreground alone, painted into an image of the view's size.
void MeasureParts(const MapView& view, int width, int height, int frames)
{
    DrawList symbols, rest;
    for (const DrawItem& item : view.LastDrawing().Items()) {
        if (std::holds_alternative<BitmapCell>(item))
            symbols.Add(item);
        else
            rest.Add(item);
    }
    QImage image(width, height, QImage::Format_RGB32);
    SymbolStrips& strips = SymbolStrips::Shared();
    const auto cpuOf = [&](const DrawList& list) {
        std::vector<double> cpu;
        for (int i = 0; i < frames; ++i) {
            const double start = CpuMs();
            QPainter p(&image);
            DrawListPainter(p, [&strips](QPainter& q, std::span<const BitmapCell> c) {
                strips.Draw(q, c);
            }).Paint(list);
            p.end();
            cpu.push_back(CpuMs() - start);
        }
        return Summarise(cpu).median;
    };
    std::printf("  parts (cpu median): %zu symbols %.2f ms, the rest %.2f ms\n",
                symbols.Items().size(), cpuOf(symbols), cpuOf(rest));
}

void Measure(MapView& view, const char* what, int width, int height, int frames)
{
    view.Render(); // loads the symbol strips
    std::vector<double> times, cpu;
    for (int i = 0; i < frames; ++i) {
        const auto start = Steady::now();
        const double cpuStart = CpuMs();
        view.Render();
        cpu.push_back(CpuMs() - cpuStart);
        times.push_back(Ms(start));
    }
    const Figures f = Summarise(times);
    const Figures c = Summarise(cpu);
    std::printf("repaint %4dx%-4d %-20s %zu items: median %.2f ms (cpu %.2f), p95 %.2f ms "
                "(cpu %.2f) (%d frames)\n",
                width, height, what, view.LastDrawing().Items().size(), f.median, c.median, f.p95,
                c.p95, frames);
    MeasureParts(view, width, height, frames);
}

// Writes the walk scene's database and track as bench.wpt and bench.trk
// into a folder, for the program's own --frame-times.
void WriteScene(const QString& folder, std::string& db, std::string& trk)
{
    auto scene = bench::MakeScene(10, false, true);
    db = (folder + "/bench.wpt").toStdString();
    trk = (folder + "/bench.trk").toStdString();
    SaveWaypointDatabase(scene->waypoints, db);
    scene->track.Save(trk);
}

void StartUp(int runs)
{
    QTemporaryDir dir;
    std::string db, trk;
    WriteScene(dir.path(), db, trk);
    std::vector<double> times, cpu;
    for (int i = 0; i < runs; ++i) {
        MapWnd::RunOptions run;
        run.databaseFile = db;
        run.trackFile = trk;
        run.zoomIndex = 10;
        MapWnd::SetRunOptions(run);
        MemorySettingsStore settings;
        settings.SetInt("地图", "当前位置纬度", bench::kCentre.lat);
        settings.SetInt("地图", "当前位置经度", bench::kCentre.lon);
        const auto start = Steady::now();
        const double cpuStart = CpuMs();
        MapWnd window(
            settings, [] { return GpsFix{}; }, std::make_unique<MapPageParts>());
        window.resize(800, 480);
        window.View()->Render();
        times.push_back(Ms(start));
        cpu.push_back(CpuMs() - cpuStart);
        if (i == 0)
            std::printf("start-up loaded %d waypoints and %d track points\n",
                        window.Waypoints().Count(), window.Track().Count());
    }
    MapWnd::SetRunOptions({});
    const Figures f = Summarise(times);
    const Figures c = Summarise(cpu);
    std::printf("start-up to first frame: median %.1f ms (cpu %.1f), p95 %.1f ms (%d runs)\n",
                f.median, c.median, f.p95, runs);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (argc > 2 && std::string(argv[1]) == "--scene-files") {
        std::string db, trk;
        WriteScene(QString::fromLocal8Bit(argv[2]), db, trk);
        std::printf("%s\n%s\n", db.c_str(), trk.c_str());
        return 0;
    }
    if (argc > 2 && std::string(argv[1]) == "--background") {
        // One zoom's afresh background over Monaco, many times (for a
        // profiler), or every zoom's; HW_BENCH_PARTS=1 adds where it goes.
        const QString map = QDir::temp().filePath(QStringLiteral("hw-bench-paint-monaco.map"));
        RoadLayer roads;
        if (QProcess::execute(QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-tool"),
                              {QStringLiteral("map-import"),
                               QStringLiteral(HIKEWISE_PEER_DATA_DIR "/osm/monaco.osm.pbf"),
                               map}) != 0 ||
            !roads.Open(map.toStdString()))
            return 1;
        QFile::remove(map);
        const int times = argc > 3 ? std::max(1, std::atoi(argv[3])) : 100;
        if (std::string(argv[2]) != "all") {
            RepaintBackground(roads, 1920, 1080, std::atoi(argv[2]), false, times);
            return 0;
        }
        for (int zoom = 0; zoom < MapModel::ZoomCount(); ++zoom)
            for (bool courseUp : {false, true})
                RepaintBackground(roads, 1920, 1080, zoom, courseUp, times);
        return 0;
    }
    const bool terrainOnly = argc > 1 && std::string(argv[1]) == "--terrain";
    const int frames = argc > 1 && !terrainOnly ? std::max(5, std::atoi(argv[1])) : 60;
    for (bool walk : {true, false})
        for (bool courseUp : {false, true}) {
            if (terrainOnly)
                break;
            Repaint(800, 480, courseUp, walk, frames);
            Repaint(1920, 1080, courseUp, walk, frames);
        }
    // The Monaco map, imported from the peer extract for this run.
    const QString extract = QStringLiteral(HIKEWISE_PEER_DATA_DIR "/osm/monaco.osm.pbf");
    const QString map = QDir::temp().filePath(QStringLiteral("hw-bench-paint-monaco.map"));
    RoadLayer roads;
    if (terrainOnly) {
        // Only the relief below (bench_map_paint --terrain).
    } else if (QProcess::execute(QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-tool"),
                                 {QStringLiteral("map-import"), extract, map}) == 0 &&
               roads.Open(map.toStdString())) {
        for (bool withScene : {false, true}) {
            RepaintRoads(roads, 800, 480, withScene, frames);
            RepaintRoads(roads, 1920, 1080, withScene, frames);
        }
        for (int zoom = 0; zoom < MapModel::ZoomCount(); ++zoom)
            for (bool courseUp : {false, true})
                RepaintBackground(roads, 1920, 1080, zoom, courseUp, std::min(frames, 20));
    } else {
        std::printf("repaint with roads: SKIPPED (no Monaco extract at %s)\n", qPrintable(extract));
    }
    QFile::remove(map);
    // Santo's relief, imported from the peer SRTM tile for this run.
    const QString hgt = QStringLiteral(HIKEWISE_PEER_DATA_DIR "/dem/S16E166.hgt");
    const QString dem = QDir::temp().filePath(QStringLiteral("hw-bench-paint-santo.dem"));
    TerrainLayer terrain;
    if (QProcess::execute(QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-tool"),
                          {QStringLiteral("dem-import"), hgt, dem}) == 0 &&
        terrain.Open(dem.toStdString())) {
        RepaintTerrain(terrain, 800, 480, frames);
        RepaintTerrain(terrain, 1920, 1080, frames);
    } else {
        std::printf("repaint with terrain: SKIPPED (no SRTM tile at %s)\n", qPrintable(hgt));
    }
    QFile::remove(dem);
    if (!terrainOnly)
        StartUp(5);
    return 0;
}
