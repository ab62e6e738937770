#include "StringSink.h"
#include "TestFiles.h"
#include "base/MemorySettingsStore.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/GeocacheVisits.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointEditValues.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointManagerCommands.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>

namespace hw {
namespace {

constexpr int32_t kCreated = 1235887500;
constexpr int64_t kDay = 86400;

Waypoint Cache(int useStateIcon, int state, int icon)
{
    Waypoint w;
    w.strName = "GC1";
    w.nType = kWaypointGeocache;
    w.bUseGeocacheStateForIconID = useStateIcon;
    w.nGeocacheState = state;
    w.icon = icon;
    w.timeCreated = kCreated;
    return w;
}

// The symbol is written where the user changes a cache's state, by the
// state's rule at the moment of the change, and nowhere else.
TEST(GeocacheStateSymbolTest, UserStateChangesWriteTheStatesSymbol)
{
    MemorySettingsStore settings;
    const PositionFormatter positions(settings);
    const UnitFormatter units(settings);
    test::TempDir dir;
    // Through the edit sheet's values, as its OK stores them.
    auto sheet = [&](int state, int64_t openedAt, const std::string& name = "GC1") {
        return [=, &positions, &units](WaypointDatabase& db, int serial) {
            Waypoint w;
            db.FindBySerial(serial, w);
            WaypointEditValues v = WaypointEditValues::From(w, positions, units, openedAt);
            v.geocacheState = state;
            v.name = name;
            v.ApplyTo(w, positions, units);
            db.ReplaceBySerial(serial, w);
        };
    };
    using Change = std::function<void(WaypointDatabase&, int)>;
    const struct {
        const char* what;
        Waypoint start;
        Change change;
        int icon;
    } cases[] = {
        {"found", Cache(1, 0, 24),
         [](WaypointDatabase& db, int s) { LogVisitFound(db, s, kCreated + 40 * kDay); }, 25},
        {"not found while new", Cache(1, 1, 25),
         [](WaypointDatabase& db, int s) { LogVisitNotFound(db, s, kCreated + kDay); }, 86},
        {"not found later", Cache(1, 1, 25),
         [](WaypointDatabase& db, int s) { LogVisitNotFound(db, s, kCreated + 40 * kDay); }, 24},
        {"not found, archived",
         [] {
             Waypoint w = Cache(1, 1, 25);
             w.geocache.bArchived = 1;
             return w;
         }(),
         [](WaypointDatabase& db, int s) { LogVisitNotFound(db, s, kCreated); }, 85},
        {"exported as logged", Cache(1, 1, 25),
         [&](WaypointDatabase& db, int s) {
             LogVisitFound(db, s, kCreated);
             ExportVisits(db, dir.Path("visits.txt"), true);
         },
         83},
        {"sheet: multi-cache", Cache(1, 0, 24), sheet(8, kCreated + 40 * kDay), 94},
        {"sheet: not found before its creation", Cache(1, 5, 83), sheet(0, kCreated - kDay), 87},
        {"several: needs maintenance", Cache(1, 0, 24),
         [](WaypointDatabase& db, int s) {
             MultiEditValues m;
             m.values.nGeocacheState = 17;
             m.values.bUseGeocacheStateForIconID = 1;
             m.stateChanged = true;
             WaypointManagerCommands::ApplyMultiEdit(db, {s}, m);
         },
         146},
        // Drawn by its own symbol: kept.
        {"found, own symbol", Cache(0, 0, 7),
         [](WaypointDatabase& db, int s) { LogVisitFound(db, s, kCreated); }, 7},
        // The state unchanged: a stored symbol stays as it was, even one that
        // its state would not give.
        {"sheet: renamed only", Cache(1, 1, 30), sheet(1, kCreated, "GC2"), 30},
    };
    for (const auto& c : cases) {
        WaypointDatabase db;
        const int serial = db.Add(c.start);
        c.change(db, serial);
        EXPECT_EQ(db.StoredBySerial(serial)->icon, c.icon) << c.what;
    }

    // Loaded and saved again, records whose symbol their state would not give
    // keep every byte, encoded anew or copied.
    WaypointDatabase db;
    db.Add(Cache(1, 1, 0));
    Waypoint fresh = Cache(1, 0, 3);
    fresh.strName = "GC2";
    fresh.timeCreated = static_cast<int32_t>(time(nullptr));
    db.Add(fresh);
    const std::string path = dir.Path("caches.wpt");
    ASSERT_EQ(SaveWaypointDatabase(db, path), 1);
    const std::string saved = test::ReadFileBytes(path);
    WaypointDatabase loaded;
    ASSERT_EQ(LoadWaypointDatabase(loaded, path), 1);
    test::StringSink encoded;
    ASSERT_TRUE(WriteWaypointSnapshot(loaded.TakeSnapshot(), encoded, RecordCopy::None));
    EXPECT_EQ(encoded.bytes, saved);
    ASSERT_EQ(SaveWaypointDatabase(loaded, path), 1);
    EXPECT_EQ(test::ReadFileBytes(path), saved);
}

} // namespace
} // namespace hw
