#include "base/MemorySettingsStore.h"
#include "core/ScopedTimeZone.h"
#include "geo/SphericalGeometry.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointEditValues.h"
#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointManagerCommands.h"
#include "waypoints/WaypointManagerList.h"
#include "waypoints/WaypointTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace hw {
namespace {

const GeoPoint kHere = GeoPoint::FromDegrees(46.55, 7.98);

Waypoint At(const std::string& name, const GeoPoint& p)
{
    Waypoint w;
    w.strName = name;
    w.nLatitude = p.lat;
    w.nLongitude = p.lon;
    return w;
}

std::vector<std::string> Names(const WaypointManagerList& list, const WaypointDatabase& db)
{
    std::vector<std::string> names;
    for (const auto& row : list.Rows())
        names.push_back(db.StoredBySerial(row.serial)->strName);
    return names;
}

WaypointManagerList::Query Nearby(double km)
{
    WaypointManagerList::Query q;
    q.mode = WaypointManagerList::kNearby;
    q.maxDistanceKm = km;
    q.here = kHere;
    return q;
}

TEST(WaypointManagerListTest, NearbyKeepsTheMaximumDistanceAndSkipsTheRepeatedGrid)
{
    WaypointDatabase db;
    // Projection and distance use slightly different earth radii: the
    // distance is what counts.
    const auto at = [](double km, double bearing) {
        const double measured = DistanceKmMicro(kHere, ProjectPoint(kHere, km, bearing));
        return ProjectPoint(kHere, km * km / measured, bearing);
    };
    const GeoPoint inside = at(9.99, 45);
    const GeoPoint outside = at(10.01, 200);
    ASSERT_NEAR(DistanceKmMicro(kHere, inside), 9.99, 0.0005);
    ASSERT_NEAR(DistanceKmMicro(kHere, outside), 10.01, 0.0005);
    db.Add(At("inside", inside));
    db.Add(At("outside", outside));
    db.Add(At("twenty degrees east", GeoPoint::FromDegrees(46.55, 27.98))); // same cell
    db.Add(At("here", kHere));
    WaypointManagerList list;
    list.Build(db, Nearby(10));
    ASSERT_EQ(Names(list, db), (std::vector<std::string>{"here", "inside"}));
    // The distances are kept on the rows (the stored records may be shared
    // with an import's copy on another thread).
    EXPECT_NEAR(list.Rows()[1].distanceKm, 9.99, 0.001);
    WaypointManagerList::Query all = Nearby(10);
    all.mode = WaypointManagerList::kAll;
    list.Build(db, all);
    EXPECT_EQ(list.Count(), 4);
}

TEST(WaypointManagerListTest, FilterLooksInNameFieldNotesAndCommentWithTheCaseRule)
{
    WaypointDatabase db;
    Waypoint noted = At("Tiefenbach", kHere);
    noted.strFieldNotes = "xABy";
    db.Add(noted);
    Waypoint commented = At("Furka", kHere);
    commented.strComment = "near the abbey";
    db.Add(commented);
    db.Add(At("Grimsel", kHere));
    WaypointManagerList::Query q = Nearby(1);
    q.filterOn = true;
    q.text = "ab";
    WaypointManagerList list;
    list.Build(db, q);
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"Furka", "Tiefenbach"}));
    q.caseSensitive = true;
    list.Build(db, q);
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"Furka"}));
    q.text.clear(); // an empty text passes everything
    list.Build(db, q);
    EXPECT_EQ(list.Count(), 3);
    q.text = "zzz";
    q.filterOn = false;
    list.Build(db, q);
    EXPECT_EQ(list.Count(), 3);
}

TEST(WaypointManagerListTest, SortsByEveryKindAscendingAndStably)
{
    test::ScopedTimeZone zone("UTC0");
    WaypointDatabase db;
    Waypoint a = At("beta", ProjectPoint(kHere, 3, 0));
    a.icon = 30; // "山顶"
    a.timeGeochacheFound = 2000;
    a.strComment = "b";
    Waypoint b = At("Alpha", ProjectPoint(kHere, 1, 0));
    b.icon = 24; // "Geocache"
    b.strComment = "B";
    Waypoint c = At("gamma", ProjectPoint(kHere, 2, 0));
    c.icon = 0; // "路点"
    c.timeGeochacheFound = 1000;
    c.strComment = "a";
    db.Add(a);
    db.Add(b);
    db.Add(c);
    WaypointManagerList list;
    list.Build(db, Nearby(10));
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    list.Sort(db, kColumnDistance);
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"Alpha", "gamma", "beta"}));
    list.Sort(db, kColumnTimeFound); // never found first
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"Alpha", "gamma", "beta"}));
    list.Sort(db, kColumnSymbol);
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    list.Sort(db, kColumnComment); // "b" and "B" equal upper-cased: order kept
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"gamma", "Alpha", "beta"}));
    // A rebuild keeps the sort kind.
    list.Build(db, Nearby(10));
    EXPECT_EQ(list.SortKind(), kColumnComment);
    EXPECT_EQ(Names(list, db)[0], "gamma");
}

TEST(WaypointManagerListTest, CellTexts)
{
    test::ScopedTimeZone zone("UTC0");
    MemorySettingsStore settings;
    settings.SetInt(section::kSettings, unit_setting::kDistanceSpeed, 2); // metric
    const UnitFormatter units(settings);
    EXPECT_EQ(WaypointManagerList::DistanceText(9.999, units), "10.00 km");
    EXPECT_EQ(
        WaypointManagerList::DistanceText(10.0 / 0.621371192237334 * 0.621371192237334, units),
        "10.0 km");
    EXPECT_EQ(WaypointManagerList::DistanceText(0.25, units), "250.0 m");
    EXPECT_EQ(WaypointManagerList::DistanceText(0.005, units), "5.00 m");
    Waypoint w;
    w.icon = 30;
    w.timeGeochacheFound = 1765184400; // 2025-12-08 09:00:00 UTC
    EXPECT_EQ(WaypointManagerList::CellText(w, 0, kColumnSymbol, units), "山顶");
    EXPECT_EQ(WaypointManagerList::CellText(w, 0, kColumnTimeFound, units), "2025 12/08 09:00:00");
    EXPECT_EQ(WaypointManagerList::CellText(w, 0, 9, units), "错误 - UNKNOWN FIELD");
    w.timeGeochacheFound = 0;
    EXPECT_EQ(WaypointManagerList::CellText(w, 0, kColumnTimeFound, units), "");
    test::ScopedTimeZone shanghai("CST-8");
    w.timeGeochacheFound = 1765184400;
    EXPECT_EQ(WaypointManagerList::CellText(w, 0, kColumnTimeFound, units), "2025 12/08 17:00:00");
}

TEST(WaypointManagerListTest, OnlyTheGivenWaypointsWhenRestricted)
{
    WaypointDatabase db;
    db.Add(At("a", kHere));
    const int b = db.Add(At("b", kHere));
    const int c = db.Add(At("c", GeoPoint::FromDegrees(-30, 100)));
    WaypointManagerList::Query q = Nearby(1);
    q.only = {c, b, 999};
    WaypointManagerList list;
    list.Build(db, q);
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"b", "c"}));
}

TEST(WaypointManagerColumnsTest, SlotsRoundTripThroughTheSettings)
{
    MemorySettingsStore settings;
    WaypointManagerColumns columns;
    columns.Load(settings); // defaults: kind = slot, all shown
    EXPECT_EQ(columns.ShownKinds(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    columns.SetShown(2, false);
    EXPECT_EQ(columns.KindOfColumn(2), kColumnComment); // the third shown slot
    EXPECT_TRUE(columns.MoveDown(0));
    EXPECT_FALSE(columns.MoveDown(5));
    EXPECT_FALSE(columns.MoveUp(0));
    columns.Store(settings);
    EXPECT_EQ(settings.GetInt(manager_setting::kColumnSection, "WMColID_0", -1), kColumnDistance);
    EXPECT_EQ(settings.GetInt(manager_setting::kColumnSection, "Show_2", -1), 0);
    WaypointManagerColumns loaded;
    loaded.Load(settings);
    EXPECT_EQ(loaded.ShownKinds(), (std::vector<int>{1, 0, 3, 4, 5}));
    // Slot 0 is the item's main text: shown even when unticked.
    loaded.SetShown(0, false);
    EXPECT_EQ(loaded.ShownKinds().front(), kColumnDistance);
    EXPECT_EQ(WaypointManagerColumns::Header(7), "COL ERROR");
}

TEST(WaypointManagerColumnsTest, WidthsByPositionWithDefaults)
{
    MemorySettingsStore settings;
    WaypointManagerColumns::StoreWidths(settings, {120, 80});
    settings.SetInt(manager_setting::kColumnSection, "WMColWidth_2", -5);
    EXPECT_EQ(WaypointManagerColumns::LoadWidths(settings, 4, 100),
              (std::vector<int>{120, 80, 100, 100}));
}

TEST(WaypointManagerCommandsTest, SelectionChecksMultiEditAndDelete)
{
    EXPECT_EQ(WaypointManagerCommands::CheckOne(0).icon, WaypointManagerCommands::Icon::Error);
    EXPECT_EQ(WaypointManagerCommands::CheckOne(2).icon, WaypointManagerCommands::Icon::Warning);
    EXPECT_TRUE(WaypointManagerCommands::CheckOne(1).Ok());
    EXPECT_EQ(WaypointManagerCommands::DeleteQuestion(3), "删除 3 路点?");

    WaypointDatabase db;
    Waypoint twin = At("twin", kHere);
    const int first = db.AddUnchecked(twin);
    twin.icon = 5;
    const int second = db.AddUnchecked(twin); // a loaded file may repeat a name
    const int other = db.Add(At("other", kHere));
    MultiEditValues m;
    m.values.icon = 30;
    m.values.bActiveWaypoint = 1;
    m.symbolChanged = true;
    ASSERT_TRUE(WaypointManagerCommands::ApplyMultiEdit(db, {second, other}, m));
    EXPECT_EQ(db.StoredBySerial(first)->icon, 0); // the unselected twin stays
    EXPECT_EQ(db.StoredBySerial(second)->icon, 30);
    EXPECT_EQ(db.StoredBySerial(other)->icon, 30);
    EXPECT_EQ(db.StoredBySerial(other)->bActiveWaypoint, 0);
    // A selection that names a waypoint no longer stored changes nothing.
    EXPECT_FALSE(WaypointManagerCommands::DeleteAll(db, {first, 999}));
    EXPECT_EQ(db.Count(), 3);
    EXPECT_TRUE(WaypointManagerCommands::DeleteAll(db, {first, other}));
    EXPECT_EQ(db.Count(), 1);
}

} // namespace
} // namespace hw

namespace hw {
namespace {

TEST(WaypointManagerListTest, RowsFollowChangesMadeAfterTheBuild)
{
    WaypointDatabase db;
    const int a = db.Add(At("a", kHere));
    db.Add(At("b", kHere));
    WaypointManagerList list;
    list.Build(db, Nearby(1));
    ASSERT_EQ(list.Count(), 2);
    // A rename moves nothing, a delete removes the record: both are seen.
    Waypoint renamed = *db.StoredBySerial(a);
    renamed.strName = "c";
    db.ReplaceBySerial(a, renamed);
    db.DeleteBySerial(list.Rows()[1].serial);
    EXPECT_EQ(list.Record(db, list.Rows()[1]), nullptr);
    list.Sort(db, kColumnName);
    EXPECT_EQ(Names(list, db), (std::vector<std::string>{"c"}));
}

} // namespace
} // namespace hw

namespace hw {
namespace {

// The list's rules written as plainly as they can be: the waypoints in
// range, sorted stably by every sort since they were collected, then
// filtered, all from scratch at every step.
class PlainList {
public:
    void Build(const WaypointDatabase& db, const WaypointManagerList::Query& q)
    {
        if (db.Revision() != revision_ || q.maxDistanceKm != query_.maxDistanceKm ||
            q.mode != query_.mode) {
            inRange_.clear();
            db.ForEach([&](const Waypoint& w) {
                if (q.mode == WaypointManagerList::kAll ||
                    DistanceKmMicro(q.here, {w.nLatitude, w.nLongitude, 0}) <= q.maxDistanceKm)
                    inRange_.push_back(&w);
            });
            revision_ = db.Revision();
            if (kind_ >= 0)
                SortAll(q.here);
        }
        query_ = q;
    }
    void Sort(int kind)
    {
        kind_ = kind;
        SortAll(query_.here);
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const Waypoint* w : inRange_)
            if (WaypointManagerList::Passes(*w, query_))
                names.push_back(w->strName);
        return names;
    }

private:
    static std::string Upper(std::string s)
    {
        for (char& c : s)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return s;
    }
    void SortAll(const GeoPoint& here)
    {
        std::stable_sort(inRange_.begin(), inRange_.end(),
                         [&](const Waypoint* a, const Waypoint* b) {
                             switch (kind_) {
                             case kColumnName: return Upper(a->strName) < Upper(b->strName);
                             case kColumnDistance:
                                 return DistanceKmMicro(here, {a->nLatitude, a->nLongitude, 0}) <
                                        DistanceKmMicro(here, {b->nLatitude, b->nLongitude, 0});
                             case kColumnSymbol:
                                 return Upper(SymbolName(a->icon)) < Upper(SymbolName(b->icon));
                             case kColumnComment:
                                 return Upper(a->strComment) < Upper(b->strComment);
                             case kColumnFieldNotes:
                                 return Upper(a->strFieldNotes) < Upper(b->strFieldNotes);
                             default: return a->timeGeochacheFound < b->timeGeochacheFound;
                             }
                         });
    }

    std::vector<const Waypoint*> inRange_;
    uint64_t revision_ = ~uint64_t{0};
    WaypointManagerList::Query query_;
    int kind_ = 0;
};

TEST(WaypointManagerListTest, FilterAndSortEqualAPlainListAtEveryStep)
{
    // Texts from a few pieces, so that filters match some and sorts meet
    // many equal keys; positions in and out of range.
    std::mt19937 rng(28);
    const std::vector<std::string> pieces = {"a", "B", "ab", "AB", "c", "一", ""};
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    const auto text = [&] { return pieces[piece(rng)] + pieces[piece(rng)] + pieces[piece(rng)]; };
    std::uniform_real_distribution<double> km(0, 30), bearing(0, 360);
    std::uniform_int_distribution<int> small(0, 3), icon(0, kSymbolCount - 1);
    WaypointDatabase db;
    for (int i = 0; db.Count() < 1500; ++i) {
        Waypoint w =
            At(text() + std::to_string(i % 700), ProjectPoint(kHere, km(rng), bearing(rng)));
        w.strComment = text();
        w.strFieldNotes = small(rng) == 0 ? text() : "";
        w.icon = small(rng) == 0 ? icon(rng) : 24;
        w.timeGeochacheFound = small(rng) * 1000;
        db.Add(w);
    }

    WaypointManagerList list;
    PlainList plain;
    WaypointManagerList::Query q = Nearby(20);
    std::uniform_int_distribution<int> step(0, 9), kind(0, 5);
    for (int i = 0; i < 400; ++i) {
        switch (step(rng)) {
        case 0: // another sort column
        case 1: {
            const int k = kind(rng);
            list.Sort(db, k);
            plain.Sort(k);
            break;
        }
        case 2: // one more character, or one less
        case 3:
        case 4:
            q.filterOn = true;
            if (small(rng) == 0 && !q.text.empty())
                q.text.pop_back();
            else
                q.text += "aAbBc"[small(rng)];
            break;
        case 5: q.caseSensitive = !q.caseSensitive; break;
        case 6: q.filterOn = !q.filterOn; break;
        case 7: q.text.clear(); break;
        case 8:
            q.mode = q.mode == WaypointManagerList::kAll ? WaypointManagerList::kNearby
                                                         : WaypointManagerList::kAll;
            break;
        default: { // a change to the database
            const int serial = list.Count() > 0 ? list.Rows().front().serial : 0;
            if (serial != 0 && small(rng) == 0)
                db.DeleteBySerial(serial);
            else
                db.Add(At(text() + "new" + std::to_string(i), ProjectPoint(kHere, km(rng), 0)));
            break;
        }
        }
        list.Build(db, q);
        plain.Build(db, q);
        ASSERT_EQ(Names(list, db), plain.Names())
            << "step " << i << " text \"" << q.text << "\" case " << q.caseSensitive;
    }
}

} // namespace
} // namespace hw
