#pragma once

#include "base/MemorySettingsStore.h"
#include "geo/GeoPoint.h"
#include "gps/GpsFix.h"
#include "map/gui/MapWnd.h"
#include "shell/gui/MapPageParts.h"
#include "waypoints/Waypoint.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// A map window over a database and track in a folder, fed by a walking
// receiver, with its messages collected instead of shown.
namespace hw::test {

inline const GeoPoint kStart = GeoPoint::FromDegrees(46.55, 7.98);

// A receiver that walks: each step moves the fix and counts the seconds.
struct Walker {
    GpsFix fix;
    int seconds = 0;
    Walker()
    {
        fix.fixQuality = 1;
        fix.satellitesUsed = 7;
        fix.altitude = 1500;
        fix.day = 8;
        fix.month = 12;
        fix.year = 2026;
        fix.dateKnown = true;
        fix.ggaHour = 9;
        Place(kStart);
    }
    void Place(const GeoPoint& p)
    {
        fix.ggaLatitude = p.LatDegrees();
        fix.ggaLongitude = p.LonDegrees();
        fix.ggaMinute = static_cast<uint8_t>(seconds / 60 % 60);
        fix.ggaSecond = static_cast<uint8_t>(seconds % 60);
        fix.ggaSeconds = fix.ggaSecond;
        ++seconds;
    }
};

class MapWindowFixture {
public:
    explicit MapWindowFixture(const QString& dir, const MapWnd::RunOptions* extra = nullptr)
    {
        MapWnd::RunOptions run;
        if (extra)
            run = *extra;
        run.trackFile = (dir + "/walk.trk").toStdString();
        if (!run.databaseFile)
            run.databaseFile = (dir + "/points.wpt").toStdString();
        MapWnd::SetRunOptions(run);
        settings.SetInt("地图", "North Up", 1);
        auto host = std::make_unique<MapPageParts>();
        parts = host.get();
        window = std::make_unique<MapWnd>(
            settings, [this] { return walker.fix; }, std::move(host));
        window->SetMessage([this](const QString& text) { messages << text; });
        window->resize(480, 640);
        window->show();
    }
    ~MapWindowFixture() { MapWnd::SetRunOptions({}); }

    void Step(const GeoPoint& p)
    {
        walker.Place(p);
        window->OnGpsUpdate();
    }

    MemorySettingsStore settings;
    Walker walker;
    std::unique_ptr<MapWnd> window;
    MapPageParts* parts = nullptr; // the window's
    QStringList messages;
};

// Runs hikewise-tool; true when it exited with 0.
inline bool RunTool(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-tool"), arguments) == 0;
}

// Skips the rest of a test when a peer file is missing; fails instead where
// the peer data is required (CI).
#define REQUIRE_PEER_PATH(path)                                                                    \
    do {                                                                                           \
        if (!QFile::exists(path)) {                                                                \
            if (qgetenv("HIKEWISE_REQUIRE_PEER_DATA") == "1")                                      \
                QFAIL(qPrintable("missing peer data: " + (path)));                                 \
            QSKIP(qPrintable("missing peer data: " + (path)));                                     \
        }                                                                                          \
    } while (0)

inline Waypoint NamedAt(const char* name, const GeoPoint& p)
{
    Waypoint w;
    w.strName = name;
    w.nLatitude = p.lat;
    w.nLongitude = p.lon;
    return w;
}

} // namespace hw::test
