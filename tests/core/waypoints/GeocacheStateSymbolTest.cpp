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
    using Change = std::function<void(WaypointDatabase&, int)>;
    // The edit sheet, as its OK stores the values.
    auto sheet = [&](int state, int64_t openedAt, const char* name) -> Change {
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
    auto notFound = [](int64_t at) -> Change {
        return [at](WaypointDatabase& db, int s) { LogVisitNotFound(db, s, at); };
    };
    auto found = [](WaypointDatabase& db, int s) { LogVisitFound(db, s, kCreated); };
    const struct {
        Waypoint start;
        Change change;
        int icon;
    } cases[] = {
        {Cache(1, 0, 24), found, 25},
        {Cache(1, 1, 25), notFound(kCreated + kDay), 86}, // new for 30 days
        {Cache(1, 1, 25), notFound(kCreated + 40 * kDay), 24},
        {Cache(1, 1, 25),
         [&](WaypointDatabase& db, int) { ExportVisits(db, dir.Path("visits.txt"), true); }, 83},
        {Cache(1, 0, 24), sheet(8, kCreated, "GC1"), 94},
        {Cache(1, 5, 83), sheet(0, kCreated - kDay, "GC1"), 87},
        // Drawn by its own symbol; or its state unchanged: the icon stays.
        {Cache(0, 0, 7), found, 7},
        {Cache(1, 1, 30), sheet(1, kCreated, "GC2"), 30},
    };
    for (const auto& c : cases) {
        WaypointDatabase db;
        Waypoint start = c.start;
        start.geocache.bFieldNotePending = 1;
        const int serial = db.Add(start);
        c.change(db, serial);
        EXPECT_EQ(db.StoredBySerial(serial)->icon, c.icon) << (&c - cases);
    }

    // Loaded and written anew, symbols that their states would not give stay.
    WaypointDatabase db;
    db.Add(Cache(1, 1, 0));
    Waypoint fresh = Cache(1, 0, 3);
    fresh.timeCreated = static_cast<int32_t>(time(nullptr));
    db.AddUnchecked(fresh);
    const std::string path = dir.Path("caches.wpt");
    ASSERT_EQ(SaveWaypointDatabase(db, path), 1);
    WaypointDatabase loaded;
    ASSERT_EQ(LoadWaypointDatabase(loaded, path), 1);
    test::StringSink encoded;
    ASSERT_TRUE(WriteWaypointSnapshot(loaded.TakeSnapshot(), encoded, RecordCopy::None));
    EXPECT_EQ(encoded.bytes, test::ReadFileBytes(path));
}

} // namespace
} // namespace hw
