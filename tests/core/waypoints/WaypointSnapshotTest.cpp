// A snapshot written on another thread while the database changes: the
// writer sees the records as they were, whatever the UI thread does (also
// under ThreadSanitizer).
#include "core/StringSink.h"
#include "core/TestFiles.h"

#include "geo/SphericalGeometry.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"
#include "waypoints/WaypointManagerList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace hw {
namespace {

using test::StringSink;

Waypoint Cache(int i)
{
    Waypoint w;
    w.strName = "GC" + std::to_string(i);
    w.nLatitude = 47000000 + (i % 40) * 1000;
    w.nLongitude = 8000000 + (i % 7) * 1000;
    w.bActiveWaypoint = 1;
    w.geocache.strLongDescription = std::string(2000, 'a' + static_cast<char>(i % 26));
    w.geocache.logs[2].strText = "log of " + std::to_string(i);
    return w;
}

TEST(WaypointSnapshot, AWriterSeesTheRecordsAsTheyWereWhileTheyChange)
{
    test::TempDir dir;
    {
        WaypointDatabase made;
        for (int i = 0; i < 400; ++i)
            made.Add(Cache(i));
        ASSERT_EQ(SaveWaypointDatabase(made, dir.Path("db.wpt")), 1);
    }
    WaypointDatabase db;
    ASSERT_EQ(LoadWaypointDatabase(db, dir.Path("db.wpt"), nullptr, false, WaypointTexts::Deferred),
              1);
    const WaypointDatabase::Snapshot before = db.TakeSnapshot();
    StringSink expected;
    ASSERT_TRUE(WriteWaypointSnapshot(before, expected, RecordCopy::None));

    int mismatches = 0;
    std::thread writer([&] {
        for (int round = 0; round < 20; ++round) {
            StringSink sink;
            WriteWaypointSnapshot(before, sink);
            mismatches += sink.bytes == expected.bytes ? 0 : 1;
        }
    });
    std::vector<int> serials;
    db.ForEach([&](const Waypoint& w) { serials.push_back(w.nSerial); });
    for (size_t i = 0; i < serials.size(); ++i) {
        Waypoint w;
        switch (i % 4) {
        case 0: db.DeleteBySerial(serials[i]); break;
        case 1:
            w = *db.StoredBySerial(serials[i]); // texts still in the file
            w.nLongitude += 300000;
            db.ReplaceBySerial(serials[i], w);
            break;
        case 2:
            db.FindBySerial(serials[i], w);
            w.geocache.strLongDescription = "changed";
            db.ReplaceBySerial(serials[i], w);
            break;
        default: db.Add(Cache(1000 + static_cast<int>(i))); break;
        }
        Waypoint fired;
        db.CheckProximity({47000000 + static_cast<int32_t>(i % 40) * 1000, 8000000, 0}, fired);
    }
    writer.join();
    EXPECT_EQ(mismatches, 0);
    StringSink after;
    ASSERT_TRUE(WriteWaypointSnapshot(before, after));
    EXPECT_TRUE(after.bytes == expected.bytes);
}

// The writer lets a snapshot go while the UI thread edits the cells it
// held: once the UI thread finds a cell no longer shared, it edits it in
// place, after every read of the writer's.
TEST(WaypointSnapshot, AnEditInPlaceComesAfterTheWriterLetsTheSnapshotGo)
{
    WaypointDatabase db;
    for (int i = 0; i < 40; ++i)
        db.Add(Cache(i));
    for (int round = 0; round < 20; ++round) {
        std::atomic<bool> released{false};
        std::optional<WaypointDatabase::Snapshot> held = db.TakeSnapshot();
        std::thread writer([&held, &released] {
            StringSink sink;
            WriteWaypointSnapshot(*held, sink);
            held.reset();
            released.store(true, std::memory_order_relaxed); // no order of its own
        });
        while (!released.load(std::memory_order_relaxed))
            std::this_thread::yield();
        // No longer shared: edited in place.
        for (int i = 0; i < 40; ++i) {
            Waypoint w = *db.StoredBySerial(1 + i);
            w.strComment = std::to_string(round);
            db.ReplaceBySerial(w.nSerial, w);
        }
        writer.join();
    }
    EXPECT_EQ(db.Count(), 40);
}

// An import adds to its copy of the database on its own thread while the
// waypoint manager lists and measures the waypoints of the database.
TEST(WaypointSnapshot, AnImportCopiesCellsWhileTheListMeasuresDistances)
{
    WaypointDatabase db;
    for (int i = 0; i < 400; ++i)
        db.Add(Cache(i));
    WaypointDatabase copy = db;
    std::thread import([&copy] {
        for (int i = 0; i < 400; ++i) {
            Waypoint w = Cache(1000 + i);
            copy.Add(w);
        }
    });
    WaypointManagerList list;
    WaypointManagerList::Query query;
    query.mode = WaypointManagerList::kAll;
    for (int round = 0; round < 50; ++round) {
        query.here = {47000000 + round * 100, 8000000, 0};
        list.Build(db, query);
    }
    import.join();
    EXPECT_EQ(list.Count(), 400);
    EXPECT_EQ(copy.Count(), 800);
    EXPECT_EQ(list.Rows().front().distanceKm,
              DistanceKmMicro(query.here, {list.Rows().front().record->nLatitude,
                                           list.Rows().front().record->nLongitude, 0}));
}

} // namespace
} // namespace hw
