#include "waypoints/GeocacheVisits.h"
#include "ScopedTimeZone.h"
#include "TestFiles.h"
#include "waypoints/WaypointDatabase.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace hw {
namespace {

using test::ScopedTimeZone;

// 2009-03-01 14:05 in UTC+8.
constexpr int32_t kFoundAt = 1235887500;

Waypoint Visit(const char* name, int state, const char* note, int32_t lat = 47000000)
{
    Waypoint w;
    w.strName = name;
    w.nType = kWaypointGeocache;
    w.nLatitude = lat;
    w.nGeocacheState = state;
    w.timeGeochacheFound = kFoundAt;
    w.strFieldNotes = note;
    w.geocache.bFieldNotePending = 1;
    return w;
}

TEST(GeocacheVisitsTest, LineHasLocalTimeStateTextAndQuotedNote)
{
    ScopedTimeZone tz("CST-8");
    EXPECT_EQ(VisitLine(Visit("Name", 1, "note")), "Name,2009-03-01T14:05Z,Found it,\"note\"\r\n");
    EXPECT_EQ(VisitLine(Visit("N", 0, "")), "N,2009-03-01T14:05Z,未找到,\"\"\r\n");
    EXPECT_EQ(VisitLine(Visit("N", 2, "")), "N,2009-03-01T14:05Z,未找到,\"\"\r\n");
    EXPECT_EQ(VisitLine(Visit("N", 17, "")), "N,2009-03-01T14:05Z,需要维护,\"\"\r\n");
    EXPECT_EQ(VisitLine(Visit("N", 5, "")), "N,2009-03-01T14:05Z,Found it,\"\"\r\n");
    // A double quote in the note is doubled, so the line stays one field.
    EXPECT_EQ(VisitLine(Visit("GC1", 1, "the \"old\" oak, 2m up")),
              "GC1,2009-03-01T14:05Z,Found it,\"the \"\"old\"\" oak, 2m up\"\r\n");
    ScopedTimeZone utc("UTC0");
    EXPECT_EQ(VisitLine(Visit("Name", 1, "note")), "Name,2009-03-01T06:05Z,Found it,\"note\"\r\n");
}

TEST(GeocacheVisitsTest, ExportWritesPendingVisitsAndClearsThem)
{
    ScopedTimeZone tz("CST-8");
    test::TempDir dir;
    WaypointDatabase db;
    // Database order is cell order: the northern cache comes second.
    int north = db.Add(Visit("GCN", 1, "north", 47500000));
    int south = db.Add(Visit("GCS", 0, "south", 47000000));
    Waypoint plain;
    plain.strName = "Car";
    db.Add(plain);
    db.SetModified(false);

    VisitExport result = ExportVisits(db, dir.Path("geocache_visits.txt"), true);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.visits, 2);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("geocache_visits.txt")),
              "\xEF\xBB\xBFGCS,2009-03-01T14:05Z,未找到,\"south\"\r\n"
              "GCN,2009-03-01T14:05Z,Found it,\"north\"\r\n");
    EXPECT_TRUE(db.IsModified());
    Waypoint w;
    db.FindBySerial(north, w);
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);
    EXPECT_EQ(w.nGeocacheState, 5); // found and logged
    db.FindBySerial(south, w);
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);
    EXPECT_EQ(w.nGeocacheState, 0); // a cache not found is not marked found

    // Nothing pending: only the byte-order mark, and no change.
    db.SetModified(false);
    result = ExportVisits(db, dir.Path("again.txt"), true);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.visits, 0);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("again.txt")), "\xEF\xBB\xBF");
    EXPECT_FALSE(db.IsModified());
}

TEST(GeocacheVisitsTest, ExportWithoutMarkingKeepsStates)
{
    test::TempDir dir;
    WaypointDatabase db;
    int serial = db.Add(Visit("GC1", 1, ""));
    EXPECT_EQ(ExportVisits(db, dir.Path("v.txt"), false).visits, 1);
    Waypoint w;
    db.FindBySerial(serial, w);
    EXPECT_EQ(w.nGeocacheState, 1);
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);
}

TEST(GeocacheVisitsTest, FailedExportLeavesVisitsPendingAndOldFileIntact)
{
    test::TempDir dir;
    WaypointDatabase db;
    int serial = db.Add(Visit("GC1", 1, "note"));
    db.SetModified(false);

    VisitExport result = ExportVisits(db, dir.Path("missing/folder/v.txt"), true);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.visits, 0);
    Waypoint w;
    db.FindBySerial(serial, w);
    EXPECT_EQ(w.geocache.bFieldNotePending, 1);
    EXPECT_EQ(w.nGeocacheState, 1);
    EXPECT_FALSE(db.IsModified());

    // A folder that cannot be written keeps the file that was there.
    HW_SKIP_REST_AS_ROOT();
    test::WriteFileBytes(dir.Path("v.txt"), "old");
    ::chmod(dir.Root().c_str(), 0555);
    EXPECT_FALSE(ExportVisits(db, dir.Path("v.txt"), true).written);
    ::chmod(dir.Root().c_str(), 0755);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("v.txt")), "old");
}

TEST(GeocacheVisitsTest, FoundAndNotFoundFromTheMap)
{
    WaypointDatabase db;
    Waypoint cache;
    cache.strName = "GC1";
    cache.nType = kWaypointGeocache;
    int serial = db.Add(cache);

    EXPECT_TRUE(LogVisitFound(db, serial, kFoundAt));
    Waypoint w;
    db.FindBySerial(serial, w);
    EXPECT_EQ(w.nGeocacheState, 1);
    EXPECT_EQ(w.geocache.bFieldNotePending, 1);
    EXPECT_EQ(w.timeGeochacheFound, kFoundAt);

    EXPECT_TRUE(LogVisitNotFound(db, serial, kFoundAt));
    db.FindBySerial(serial, w);
    EXPECT_EQ(w.nGeocacheState, 0);
    EXPECT_EQ(w.geocache.bFieldNotePending, 1); // the visit still goes out, as not found

    // Found and logged stays as it is.
    w.nGeocacheState = 5;
    w.geocache.bFieldNotePending = 0;
    db.ReplaceByName(w);
    EXPECT_FALSE(LogVisitFound(db, serial, kFoundAt + 60));
    db.FindBySerial(serial, w);
    EXPECT_EQ(w.nGeocacheState, 5);
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);

    EXPECT_FALSE(LogVisitFound(db, serial + 100, kFoundAt));
    EXPECT_FALSE(LogVisitNotFound(db, serial + 100, kFoundAt));
}

// A loaded file may repeat a name: every action acts on the record itself.
TEST(GeocacheVisitsTest, RepeatedNamesActOnTheSelectedRecord)
{
    test::TempDir dir;
    WaypointDatabase db;
    int first = db.AddUnchecked(Visit("GC1", 0, "first", 47000000));
    int second = db.AddUnchecked(Visit("GC1", 0, "second", 47500000));
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    Waypoint w;
    db.FindBySerial(first, w);
    w.geocache.bFieldNotePending = 0;
    ASSERT_GT(db.ReplaceBySerial(first, w), 0);

    EXPECT_TRUE(LogVisitFound(db, second, kFoundAt + 60));
    db.FindBySerial(first, w);
    EXPECT_EQ(w.strFieldNotes, "first"); // untouched
    EXPECT_EQ(w.nLatitude, 47000000);
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);
    db.FindBySerial(second, w);
    EXPECT_EQ(w.nGeocacheState, 1);
    EXPECT_EQ(w.timeGeochacheFound, kFoundAt + 60);

    VisitExport result = ExportVisits(db, dir.Path("visits.txt"), true);
    EXPECT_EQ(result.visits, 1);
    db.FindBySerial(second, w);
    EXPECT_EQ(w.geocache.bFieldNotePending, 0);
    EXPECT_EQ(w.nGeocacheState, 5);
    EXPECT_EQ(ExportVisits(db, dir.Path("again.txt"), true).visits, 0); // logged once

    EXPECT_TRUE(LogVisitNotFound(db, first, kFoundAt));
    db.FindBySerial(first, w);
    EXPECT_EQ(w.nGeocacheState, 0);
    EXPECT_EQ(w.strFieldNotes, "first");
    db.FindBySerial(second, w);
    EXPECT_EQ(w.nGeocacheState, 5);

    // A rename onto the other record's name is still refused.
    Waypoint other;
    db.FindBySerial(first, other);
    other.strName = "GC2";
    ASSERT_GT(db.ReplaceBySerial(first, other), 0);
    other.strName = "GC1";
    EXPECT_EQ(db.ReplaceBySerial(first, other), 0); // the second record has that name
}

} // namespace
} // namespace hw
