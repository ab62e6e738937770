#include "waypoints/WaypointEditing.h"
#include "base/MemorySettingsStore.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointEditValues.h"
#include "waypoints/WaypointSymbol.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace hw {
namespace {

struct Units {
    MemorySettingsStore settings;
    PositionFormatter positions{settings};
    UnitFormatter units{settings};
    Units(int altitude, int distance, int format)
    {
        settings.SetInt(section::kSettings, unit_setting::kAltitude, altitude);
        settings.SetInt(section::kSettings, unit_setting::kDistanceSpeed, distance);
        settings.SetInt(section::kSettings, unit_setting::kPositionFormat, format);
    }
    WaypointEditValues Show(const Waypoint& w, int64_t now = 0) const
    {
        return WaypointEditValues::From(w, positions, units, now);
    }
    Waypoint SaveUnchanged(const Waypoint& w) const
    {
        Waypoint out = w;
        Show(w).ApplyTo(out, positions, units);
        return out;
    }
};

TEST(WaypointEditValuesTest, AltitudeInFeetShowsAndStoresBackTheSameMetres)
{
    const Units u(0, 0, 0);
    Waypoint w;
    w.fAltitude = 100;
    const WaypointEditValues v = u.Show(w);
    EXPECT_EQ(v.altitude, "328.083990");
    EXPECT_NEAR(u.SaveUnchanged(w).fAltitude, 100.0f, 0.0001f);
    // An altitude setting outside the table shows and keeps metres.
    const Units odd(7, 0, 0);
    EXPECT_EQ(odd.Show(w).altitude, "100.000000");
    EXPECT_FLOAT_EQ(odd.SaveUnchanged(w).fAltitude, 100.0f);
}

TEST(WaypointEditValuesTest, HemisphereChoiceSignsTheMagnitude)
{
    const Units u(1, 2, 0);
    Waypoint w;
    w.nLatitude = -33500000;
    w.nLongitude = -117800000;
    WaypointEditValues v = u.Show(w);
    EXPECT_EQ(v.latitudeMask, "99'99.9999");
    EXPECT_EQ(v.latitudeDigits, "33300000");
    EXPECT_EQ(v.latitudeSouth, 1);
    EXPECT_EQ(v.longitudeWest, 1);
    v.latitudeSouth = 0;
    Waypoint out = w;
    v.ApplyTo(out, u.positions, u.units);
    EXPECT_EQ(out.nLatitude, 33500000);
    EXPECT_EQ(out.nLongitude, -117800000);
}

TEST(WaypointEditValuesTest, EveryPositionFormatRoundTripsAndBlanksReadAsZero)
{
    for (int format = 0; format <= 2; ++format) {
        const Units u(1, 2, format);
        Waypoint w;
        w.nLatitude = 46550000;
        w.nLongitude = 7980000;
        w.nLatitude = 46550793; // finer than the field shows
        const Waypoint out = u.SaveUnchanged(w);
        EXPECT_EQ(out.nLatitude, w.nLatitude) << format;
        EXPECT_EQ(out.nLongitude, w.nLongitude) << format;
        // A changed field is read: one digit more in the last place.
        WaypointEditValues v = u.Show(w);
        std::string& digits = v.latitudeDigits;
        digits.back() = static_cast<char>(digits.back() == '9' ? '8' : digits.back() + 1);
        Waypoint changed = w;
        v.ApplyTo(changed, u.positions, u.units);
        EXPECT_NE(changed.nLatitude, w.nLatitude) << format;
        EXPECT_NEAR(changed.nLatitude, w.nLatitude, 30) << format;
    }
    const Units u(1, 2, 0);
    Waypoint w;
    w.nLatitude = 46550000;
    WaypointEditValues v = u.Show(w);
    v.latitudeDigits = std::string(v.latitudeDigits.size(), ' '); // a cleared field
    v.ApplyTo(w, u.positions, u.units);
    EXPECT_EQ(w.nLatitude, 0);
}

TEST(WaypointEditValuesTest, TriggerDistanceInFeetAndMessageTypeOrder)
{
    const Units u(0, 0, 0);
    Waypoint w; // the default radius, 1000 feet
    WaypointEditValues v = u.Show(w);
    EXPECT_EQ(v.triggerDistance, "1000.00");
    v.triggerDistance = "500";
    v.messageType = 5;
    v.ApplyTo(w, u.positions, u.units);
    EXPECT_NEAR(w.dActiveWPDistance, 0.1524, 1e-9);
    EXPECT_EQ(w.nActiveWaypointMessageType, 5);
    EXPECT_EQ(WaypointEditValues::kMessageTypeOrder[1], 3); // "罗盘和方向预警" second
}

TEST(WaypointEditValuesTest, UnsetFoundTimeShowsNowAndOkStoresIt)
{
    const Units u(1, 2, 0);
    Waypoint w;
    const int64_t now = 1765184400;
    const WaypointEditValues v = u.Show(w, now);
    EXPECT_EQ(v.foundTime, now);
    v.ApplyTo(w, u.positions, u.units);
    EXPECT_EQ(w.timeGeochacheFound, now);
    w.timeGeochacheFound = 1000;
    EXPECT_EQ(u.Show(w, now).foundTime, 1000);
}

TEST(WaypointEditValuesTest, FieldsTheSheetDoesNotShowStayAsTheyWere)
{
    const Units u(1, 2, 1);
    Waypoint w;
    w.nType = kWaypointGeocache;
    w.geocache.strCacheName = "Tiefenbach";
    w.geocache.bFieldNotePending = 1;
    w.nVisitLogType = 3;
    w.timeCreated = 12345;
    w.strFieldNotes = "TFTC";
    const Waypoint out = u.SaveUnchanged(w);
    EXPECT_EQ(out.geocache.strCacheName, "Tiefenbach");
    EXPECT_EQ(out.geocache.bFieldNotePending, 1);
    EXPECT_EQ(out.nVisitLogType, 3);
    EXPECT_EQ(out.timeCreated, 12345);
    EXPECT_EQ(out.strFieldNotes, "TFTC");
}

TEST(MultiEditValuesTest, OnlyTheMarkedGroupsChange)
{
    MultiEditValues m;
    m.values.icon = 30;
    m.values.nGeocacheState = 5;
    m.values.bUseGeocacheStateForIconID = 1;
    m.values.bActiveWaypoint = 1;
    m.values.dActiveWPDistance = 2.0;
    m.symbolChanged = true;
    Waypoint w;
    w.icon = 7;
    w.nGeocacheState = 2;
    w.dActiveWPDistance = 0.5;
    m.ApplyTo(w);
    EXPECT_EQ(w.icon, 30);
    EXPECT_EQ(w.nGeocacheState, 2);
    EXPECT_EQ(w.bUseGeocacheStateForIconID, 0);
    EXPECT_EQ(w.dActiveWPDistance, 0.5);
    m.symbolChanged = false;
    m.stateChanged = m.alarmChanged = true;
    m.ApplyTo(w);
    // A changed state drawn by its state stores the state's symbol.
    EXPECT_EQ(w.icon, WaypointSymbol::Choose(w, m.changedAt));
    EXPECT_NE(w.icon, 30);
    EXPECT_EQ(w.nGeocacheState, 5);
    EXPECT_EQ(w.bUseGeocacheStateForIconID, 1);
    EXPECT_EQ(w.bActiveWaypoint, 1);
    EXPECT_EQ(w.dActiveWPDistance, 2.0);
}

// A user at the sheet: each round edits the waypoint as the next answer
// says; no answers left means Cancel.
class ScriptedUser final : public WaypointSheet {
public:
    std::vector<std::function<void(Waypoint&)>> answers;
    std::vector<std::string> seenNames; // the name shown at each opening
    std::vector<int> pages;
    int duplicates = 0;
    int refused = 0;

    bool Edit(Waypoint& w, int startPage) override
    {
        seenNames.push_back(w.strName);
        pages.push_back(startPage);
        if (answers.empty())
            return false;
        answers.front()(w);
        answers.erase(answers.begin());
        return true;
    }
    void ShowDuplicateName() override { ++duplicates; }
    void ShowCannotAdd() override { ++refused; }
};

Waypoint Named(const std::string& name, int32_t lat = 46000000)
{
    Waypoint w;
    w.strName = name;
    w.nLatitude = lat;
    return w;
}

TEST(WaypointEditingTest, AddNewReopensOnATakenNameWithTheEditedValues)
{
    WaypointDatabase db;
    db.Add(Named("Summit"));
    ScriptedUser user;
    user.answers.push_back([](Waypoint& w) {
        w.strName = "Summit";
        w.strComment = "typed";
    });
    user.answers.push_back([](Waypoint& w) { w.strName = "Spring"; });
    const int serial = WaypointEditing::AddNew(db, Named("WPT 00000"), user);
    ASSERT_GT(serial, 0);
    EXPECT_EQ(user.duplicates, 1);
    ASSERT_EQ(user.seenNames.size(), 2u);
    EXPECT_EQ(user.seenNames[1], "Summit"); // reopened on what was typed
    Waypoint stored;
    ASSERT_TRUE(db.FindBySerial(serial, stored));
    EXPECT_EQ(stored.strName, "Spring");
    EXPECT_EQ(stored.strComment, "typed");
    EXPECT_EQ(db.Count(), 2);
}

TEST(WaypointEditingTest, CancelAddsAndChangesNothing)
{
    WaypointDatabase db;
    const int summit = db.Add(Named("Summit"));
    db.SetModified(false);
    ScriptedUser user;
    EXPECT_EQ(WaypointEditing::AddNew(db, Named("WPT 00000"), user), 0);
    EXPECT_FALSE(WaypointEditing::EditStored(db, summit, kPageFieldNotes, user));
    EXPECT_EQ(user.pages.back(), kPageFieldNotes);
    EXPECT_EQ(db.Count(), 1);
    EXPECT_FALSE(db.IsModified());
}

TEST(WaypointEditingTest, EditStoredRefusesATakenNameAndKeepsTheUneditedRecord)
{
    WaypointDatabase db;
    const int summit = db.Add(Named("Summit"));
    db.Add(Named("Spring"));
    ScriptedUser user;
    user.answers.push_back([](Waypoint& w) {
        w.strName = "Spring";
        w.icon = 30;
    });
    EXPECT_FALSE(WaypointEditing::EditStored(db, summit, kPageSettings, user));
    EXPECT_EQ(user.duplicates, 1);
    ASSERT_EQ(user.seenNames.size(), 2u);
    EXPECT_EQ(user.seenNames[1], "Spring");
    Waypoint stored;
    ASSERT_TRUE(db.FindBySerial(summit, stored));
    EXPECT_EQ(stored.strName, "Summit");
    EXPECT_EQ(stored.icon, 0);
}

TEST(WaypointEditingTest, EditStoredKeepsTheSerialAndMovesToTheNewCell)
{
    WaypointDatabase db;
    const int summit = db.Add(Named("Summit", 46000000));
    db.SetModified(false);
    ScriptedUser user;
    user.answers.push_back([](Waypoint& w) {
        w.strName = "Gipfel";
        w.nLatitude = 47500000;
    });
    EXPECT_TRUE(WaypointEditing::EditStored(db, summit, kPageSettings, user));
    const Waypoint* stored = db.StoredBySerial(summit);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->strName, "Gipfel");
    const auto& cell = db.Cell(WaypointDatabase::CellIndex(47500000, 0));
    ASSERT_EQ(cell.size(), 1u);
    EXPECT_EQ(cell.front().nSerial, summit);
    EXPECT_TRUE(db.IsModified());
    // OK without a change is no change.
    user.answers.push_back([](Waypoint&) {});
    EXPECT_FALSE(WaypointEditing::EditStored(db, summit, kPageSettings, user));
}

TEST(WaypointEditingTest, APositionOutsideTheGridIsRefusedAndTheSheetReopens)
{
    WaypointDatabase db;
    ScriptedUser user;
    user.answers.push_back([](Waypoint& w) { w.nLatitude = -99000000; });
    user.answers.push_back([](Waypoint& w) { w.nLatitude = -45000000; });
    EXPECT_GT(WaypointEditing::AddNew(db, Named("Far"), user), 0);
    EXPECT_EQ(user.refused, 1);
    EXPECT_EQ(db.Count(), 1);
}

} // namespace
} // namespace hw
