// A snapshot written on another thread while the database changes: the
// writer sees the records as they were, whatever the UI thread does (also
// under ThreadSanitizer).
#include "core/StringSink.h"
#include "core/TestFiles.h"

#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace hw
