#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointTables.h"

#include <gtest/gtest.h>

#include <set>

namespace hw {
namespace {

Waypoint At(const std::string& name, int32_t lat, int32_t lon)
{
    Waypoint w;
    w.strName = name;
    w.nLatitude = lat;
    w.nLongitude = lon;
    return w;
}

std::set<int> AreaCells(WaypointDatabase& db, GeoPoint a, GeoPoint b)
{
    std::set<int> cells;
    db.BeginArea(a, b);
    for (int c = db.NextCell(); c >= 0; c = db.NextCell())
        EXPECT_TRUE(cells.insert(c).second) << "cell " << c << " returned twice";
    return cells;
}

std::vector<std::string> NamesInArea(WaypointDatabase& db, GeoPoint a, GeoPoint b)
{
    std::vector<std::string> names;
    for (int c : AreaCells(db, a, b))
        for (const Waypoint& w : db.Cell(c))
            names.push_back(w.strName);
    return names;
}

TEST(WaypointRecord, DefaultsAndTables)
{
    Waypoint w;
    EXPECT_EQ(w.strName, "Untitled");
    EXPECT_EQ(w.strSoundFile, "Alarm1.wav");
    EXPECT_DOUBLE_EQ(w.dActiveWPDistance, 1000 * 0.0003048);
    EXPECT_EQ(w.geocache.bAvailable, 1);
    EXPECT_FALSE(w.strURL.empty());
    EXPECT_EQ(SymbolNames[kSymbolCount], nullptr);
    EXPECT_STREQ(SymbolNames[41], "标记 01");
    EXPECT_STREQ(SymbolNames[55], "摄像 - 路边");
    EXPECT_STREQ(SymbolNames[150], "自行车路线");
    EXPECT_STREQ(SymbolName(9999), "路点");
    EXPECT_STREQ(GeocacheStateNames[17], "Geocache 需要维护");
    EXPECT_STREQ(ActiveWaypointMessageTypeNames[4], "模拟 速度表-预警");
}

TEST(WaypointDatabase, CellFormulaAndRefusedPositions)
{
    EXPECT_EQ(WaypointDatabase::CellIndex(0, 0), 20000);
    EXPECT_EQ(WaypointDatabase::CellIndex(-90000000, -180000000), 0);
    // 20 degrees apart in longitude: the same cell
    EXPECT_EQ(WaypointDatabase::CellIndex(47500000, -122250000),
              WaypointDatabase::CellIndex(47500000, -102250000));
    WaypointDatabase db;
    EXPECT_EQ(db.Add(At("south", -91000000, 0)), -1);
    EXPECT_EQ(db.Add(At("west", 0, -181000000)), -1);
    EXPECT_EQ(db.Add(At("extreme", INT32_MAX, INT32_MAX)) > 0, true); // no overflow
    EXPECT_EQ(db.Count(), 1);
}

TEST(WaypointDatabase, AddFindDeleteAndNames)
{
    WaypointDatabase db;
    EXPECT_FALSE(db.IsModified());
    int a = db.Add(At("Untitled", 1000, 1000));
    EXPECT_EQ(a, 1);
    EXPECT_TRUE(db.IsModified());
    EXPECT_EQ(db.Add(At("Untitled", 5000000, 5000000)), 0); // same name refused
    EXPECT_EQ(db.Count(), 1);
    int b = db.Add(At("untitled", 2000, 2000)); // names are case-sensitive
    EXPECT_EQ(b, 2);

    Waypoint out;
    EXPECT_TRUE(db.FindBySerial(b, out));
    EXPECT_EQ(out.strName, "untitled");
    EXPECT_EQ(out.nSerial, b);
    EXPECT_FALSE(db.FindBySerial(99, out));
    EXPECT_EQ(out.strName, "Untitled");
    EXPECT_EQ(out.nSerial, 0);

    int cell = WaypointDatabase::CellIndex(1000, 1000);
    ASSERT_EQ(db.Cell(cell).size(), 2u);
    db.SetModified(false);
    EXPECT_EQ(db.DeleteBySerial(a), 1);
    EXPECT_TRUE(db.IsModified());
    EXPECT_EQ(db.DeleteBySerial(a), 0);
    EXPECT_EQ(db.Count(), 1);
    EXPECT_FALSE(db.NameExists(std::string_view("Untitled")));
    EXPECT_EQ(db.DeleteBySerial(b), 1);
    EXPECT_TRUE(db.Cell(cell).empty());
    EXPECT_EQ(db.Count(), 0);

    // Serial ids never come back, not even after Clear.
    db.Clear();
    EXPECT_EQ(db.Add(At("again", 0, 0)), 3);
}

TEST(WaypointDatabase, AutomaticNames)
{
    WaypointDatabase db;
    EXPECT_EQ(db.NewAutomaticName(), "WPT 00000");
    db.Add(At("WPT 00000", 0, 0));
    db.Add(At("WPT 00002", 0, 0));
    EXPECT_EQ(db.NewAutomaticName(), "WPT 00001");
    db.Add(At(db.NewAutomaticName(), 0, 0));
    EXPECT_EQ(db.NewAutomaticName(), "WPT 00003");
}

TEST(WaypointDatabase, ReplaceKeepsSerialAndMovesToTheNewCell)
{
    WaypointDatabase db;
    int first = db.AddUnchecked(At("twin", 47000000, 8000000));
    int second = db.AddUnchecked(At("twin", 10000000, 8000000)); // earlier cell in order
    db.Add(At("other", 47000000, 8000000));
    EXPECT_EQ(db.ReplaceByName(At("nobody", 0, 0)), 0);

    Waypoint moved = At("twin", 30000000, 30000000);
    moved.strComment = "moved";
    EXPECT_EQ(db.ReplaceByName(moved), second); // first in database order
    EXPECT_EQ(db.Count(), 3);
    EXPECT_TRUE(db.Cell(WaypointDatabase::CellIndex(10000000, 8000000)).empty());
    auto names = NamesInArea(db, {29990000, 29990000, 0}, {30010000, 30010000, 0});
    EXPECT_EQ(names, std::vector<std::string>{"twin"});
    EXPECT_EQ(db.StoredBySerial(second)->strComment, "moved");
    EXPECT_EQ(db.StoredBySerial(first)->nLatitude, 47000000);

    // A replace within one cell keeps the record's place in the cell.
    Waypoint same = At("other", 47000001, 8000001);
    db.ReplaceByName(same);
    const auto& cell = db.Cell(WaypointDatabase::CellIndex(47000000, 8000000));
    ASSERT_EQ(cell.size(), 2u);
    EXPECT_EQ(cell[0].nSerial, first);
    EXPECT_EQ(cell[1].nLatitude, 47000001);
    // Outside the grid: nothing changes.
    EXPECT_EQ(db.ReplaceByName(At("other", -95000000, 0)), -1);
    EXPECT_EQ(cell[1].nLatitude, 47000001);
}

TEST(WaypointDatabase, ReplaceBySerialRefusesATakenName)
{
    WaypointDatabase db;
    int a = db.Add(At("A", 0, 0));
    db.Add(At("B", 0, 0));
    EXPECT_EQ(db.ReplaceBySerial(a, At("B", 0, 0)), 0);
    EXPECT_EQ(db.ReplaceBySerial(a, At("C", 1000000, 0)), a);
    EXPECT_TRUE(db.NameExists(std::string_view("C")));
    EXPECT_FALSE(db.NameExists(std::string_view("A")));
    EXPECT_EQ(db.ReplaceBySerial(a, At("C", -95000000, 0)), -1);
    EXPECT_EQ(db.StoredBySerial(a)->nLatitude, 1000000);
}

TEST(WaypointDatabase, WholeDatabaseOrderIsCellsThenInsertion)
{
    WaypointDatabase db;
    db.Add(At("north", 1000000, 0));
    db.Add(At("origin-1", 0, 0));
    db.Add(At("south", -1000000, 0));
    db.Add(At("origin-2", 0, 0));
    std::vector<std::string> order;
    db.ForEach([&](const Waypoint& w) { order.push_back(w.strName); });
    EXPECT_EQ(order, (std::vector<std::string>{"south", "origin-1", "origin-2", "north"}));
}

TEST(WaypointDatabase, AreaWalk)
{
    WaypointDatabase db;
    // One cell.
    EXPECT_EQ(AreaCells(db, {10, 10, 0}, {20, 20, 0}), std::set<int>{20000});
    // Across the 20-degree wrap of the columns: 199 then 0, in two rows.
    std::set<int> across = AreaCells(db, {50000, -160050000, 0}, {150000, -159950000, 0});
    EXPECT_EQ(across, (std::set<int>{199 + 200 * 100, 0 + 200 * 100, 199 + 200 * 101, 200 * 101}));
    // Two waypoints 20 degrees apart: a query around either finds both.
    db.Add(At("here", 47500000, -122250000));
    db.Add(At("there", 47500000, -102250000));
    auto names = NamesInArea(db, {47490000, -122260000, 0}, {47510000, -122240000, 0});
    EXPECT_EQ(names.size(), 2u);
    // A box of exactly 20 degrees covers every column, not one.
    EXPECT_EQ(AreaCells(db, {0, 0, 0}, {0, 20000000, 0}).size(), 200u);
    // Huge boxes are limited and walk every cell once.
    EXPECT_EQ(AreaCells(db, {INT32_MIN, INT32_MIN, 0}, {INT32_MAX, INT32_MAX, 0}).size(), 40000u);
    // The box may be given with its corners either way round.
    EXPECT_EQ(AreaCells(db, {150000, -159950000, 0}, {50000, -160050000, 0}), across);
}

TEST(WaypointDatabase, ProximityAlarmFiresOnceAndReArms)
{
    WaypointDatabase db;
    // In the middle of its cell, so that the 0.001-degree search box around
    // a position 0.3 km away still covers it.
    Waypoint w = At("alarm", 47050000, 8050000);
    w.bActiveWaypoint = 1; // radius 0.3048 km
    db.Add(w);
    db.Add(At("silent", 47050000, 8050000));
    // One microdegree of latitude is 0.1113 m.
    GeoPoint inside{47050000 + 2690, 8050000, 0};  // 0.2995 km
    GeoPoint outside{47050000 + 2760, 8050000, 0}; // 0.3072 km
    Waypoint out;
    EXPECT_EQ(db.CheckProximity(outside, out), 0);
    EXPECT_EQ(db.CheckProximity(inside, out), 1);
    EXPECT_EQ(out.strName, "alarm");
    EXPECT_EQ(out.bAlarmTriggered, 1);
    EXPECT_EQ(db.CheckProximity(inside, out), 0);  // staying inside: once only
    EXPECT_EQ(db.CheckProximity(outside, out), 0); // leaving re-arms
    EXPECT_EQ(db.CheckProximity(inside, out), 1);

    // One alarm per call: two waypoints entered at once alarm on two calls.
    Waypoint a = At("a", 20050000, 20050000);
    a.bActiveWaypoint = 1;
    Waypoint b = At("b", 20050100, 20050000);
    b.bActiveWaypoint = 1;
    db.Add(a);
    db.Add(b);
    GeoPoint both{20050050, 20050000, 0};
    EXPECT_EQ(db.CheckProximity(both, out), 1);
    EXPECT_EQ(out.strName, "a");
    EXPECT_EQ(db.CheckProximity(both, out), 1);
    EXPECT_EQ(out.strName, "b");
    EXPECT_EQ(db.CheckProximity(both, out), 0);
}

TEST(WaypointDatabase, TargetSlot)
{
    WaypointDatabase db;
    EXPECT_EQ(db.IsTargetActive(), 0);
    EXPECT_EQ(db.Target().strName, "");
    Waypoint w = At("goal", 1, 2);
    w.bArrived = 1;
    db.SetTarget(w, {3, 4, 5});
    db.SetTargetActive(1);
    EXPECT_EQ(db.Target().strName, "goal");
    EXPECT_EQ(db.Target().bArrived, 0);
    EXPECT_EQ(db.TargetStart(), (GeoPoint{3, 4, 5}));
    db.SetTargetActive(0);
    EXPECT_EQ(db.Target().strName, "");
    EXPECT_EQ(db.Target().nLatitude, 0);
}

} // namespace
} // namespace hw
