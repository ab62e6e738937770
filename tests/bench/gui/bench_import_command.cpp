// Importing a 10,000-cache pocket query through the map window's import
// command against `hikewise-tool wpt-import` on the same file, each into a
// new database file, and the longest the UI thread went without running its
// timers meanwhile. Targets: at most 1.5 times the tool's time, no stall
// longer than 100 ms. Prints the median of three runs of each.
//   bench_import_command [CACHES]   (default 10,000)
#include "base/CommandIds.h"
#include "base/MemorySettingsStore.h"
#include "bench/PocketQuery.h"
#include "map/gui/MapWnd.h"
#include "map/gui/WaypointImportCommand.h"
#include "shell/gui/MapPageParts.h"
#include "widgets/UserDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace hw;

namespace {

constexpr int kRuns = 3;

// Chooses the pocket query and lets the summary go by.
class BenchUser final : public UserDialogs {
public:
    explicit BenchUser(QString file) : file_(std::move(file)) {}
    QStringList OpenFiles(QWidget*, const FileChoice&) override { return {file_}; }
    void Tell(QWidget*, const QString& text, QMessageBox::Icon) override { told = text; }
    QString told;

private:
    QString file_;
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ToolMs(const QString& tool, const QString& pq, const QString& db)
{
    QFile::remove(db);
    QElapsedTimer clock;
    clock.start();
    QProcess p;
    p.start(tool, {QStringLiteral("wpt-import"), db, pq});
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        std::fprintf(stderr, "bench_import_command: %s failed\n", qPrintable(tool));
        std::exit(1);
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct CommandRun {
    double ms = 0;
    double stallMs = 0;
    int count = 0;
};

CommandRun CommandMs(const QString& pq, const QString& db)
{
    QFile::remove(db);
    MapWnd::RunOptions run;
    run.databaseFile = QFile::encodeName(db).toStdString();
    run.trackFile = QFile::encodeName(db + QStringLiteral(".trk")).toStdString();
    MapWnd::SetRunOptions(run);
    MemorySettingsStore settings;
    MapWnd map(
        settings, [] { return GpsFix{}; }, std::make_unique<MapPageParts>());
    BenchUser user(pq);
    map.SetDialogs(&user);
    map.resize(800, 480);
    map.show();
    QApplication::processEvents();

    // A 5 ms timer: the longest gap between its ticks is the longest stall.
    QElapsedTimer sinceTick;
    double stall = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        stall = std::max(stall, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    QEventLoop loop;
    QObject::connect(&map.Import(), &WaypointImportCommand::Finished, &loop, &QEventLoop::quit);
    ticker.start();
    sinceTick.start();
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, &map, [&map] { map.HandleCommand(cmd::kImportWaypoints); });
    loop.exec();
    CommandRun r{static_cast<double>(clock.nsecsElapsed()) / 1e6, stall, map.Waypoints().Count()};
    MapWnd::SetRunOptions({});
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int caches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    QTemporaryDir dir;
    const QString pq = dir.filePath(QStringLiteral("pq.gpx"));
    if (!bench::WritePocketQuery(QFile::encodeName(pq).toStdString(), caches))
        return 1;
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/hikewise-tool");
    std::vector<double> toolMs, commandMs, stalls;
    for (int i = 0; i < kRuns; ++i) {
        toolMs.push_back(ToolMs(tool, pq, dir.filePath(QStringLiteral("tool.wpt"))));
        const CommandRun r = CommandMs(pq, dir.filePath(QStringLiteral("command.wpt")));
        QFile::remove(dir.filePath(QStringLiteral("command.wpt")));
        QFile::remove(dir.filePath(QStringLiteral("tool.wpt")));
        if (r.count != caches) {
            std::fprintf(stderr, "bench_import_command: %d caches imported\n", r.count);
            return 1;
        }
        commandMs.push_back(r.ms);
        stalls.push_back(r.stallMs);
    }
    const double ratio = Median(commandMs) / Median(toolMs);
    std::printf("import of %d caches (%.1f MB): hikewise-tool wpt-import %.0f ms, import command "
                "%.0f ms, ratio %.2f (target <= 1.50); longest UI stall %.1f ms (target <= "
                "100)\n",
                caches, static_cast<double>(QFile(pq).size()) / 1e6, Median(toolMs),
                Median(commandMs), ratio, *std::max_element(stalls.begin(), stalls.end()));
    return 0;
}
