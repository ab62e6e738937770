#include "MapWindowFixture.h"
#include "ModalDriver.h"
#include "base/CommandIds.h"
#include "base/MemorySettingsStore.h"
#include "geo/SphericalGeometry.h"
#include "units/PositionFormatter.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointEditing.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/gui/CEditMultipleWPPropSheet.h"
#include "waypoints/gui/CEditWaypointPropPage1.h"
#include "waypoints/gui/CEditWaypointPropPage3.h"
#include "waypoints/gui/CEditWaypointPropPage5.h"
#include "waypoints/gui/CEditWaypointPropSheet.h"
#include "waypoints/gui/CPicEdit.h"
#include "waypoints/gui/SymbolChoice.h"
#include "waypoints/gui/WaypointListDialog.h"
#include "waypoints/gui/WaypointListView.h"
#include "waypoints/gui/WaypointManagerDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace hw;
using namespace hw::test;

namespace {

const QString kDuplicate = QString::fromUtf8("错误 - 路点名字重复。请为此路点选择一个不同的名字.");

// Types text into a widget as the keyboard would.
void Type(QWidget* w, const QString& text)
{
    QTest::keyClicks(w, text);
}

// Empties a masked field: select everything, then Delete.
void Empty(CPicEdit* field)
{
    field->setFocus();
    field->Model().SelectAll();
    QTest::keyClick(field, Qt::Key_Delete);
}

Waypoint Stored(const WaypointDatabase& db, const std::string& name)
{
    Waypoint found;
    db.ForEach([&](const Waypoint& w) {
        if (w.strName == name)
            found = w;
    });
    return found;
}

// Many waypoints around the start: names, notes, comments and distances
// vary so that filter and sort have work to do.
void Fill(WaypointDatabase& db, int count)
{
    for (int i = 0; i < count; ++i) {
        Waypoint w = NamedAt("", ProjectPoint(kStart, 0.01 + (i % 997) * 0.013, (i * 37) % 360));
        w.strName = "GC" + std::to_string(10000 + i);
        w.strComment = i % 10 == 0 ? "Traditional near a bridge" : "Multi";
        w.strFieldNotes = i % 250 == 0 ? "found it with Xabi" : "";
        w.nType = kWaypointGeocache;
        db.Add(w);
    }
}

} // namespace

class WaypointEditingTest : public QObject {
    Q_OBJECT
private slots:
    void typingIntoAnEmptyLatitudeMaskGivesTheDigitsAndThePosition()
    {
        MemorySettingsStore settings; // degrees and decimal minutes
        const PositionFormatter positions(settings);
        CPicEdit field;
        field.SetMask(positions.LatitudeEntryMask());
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        field.setFocus();
        QTest::mouseClick(&field, Qt::LeftButton, {}, QPoint(2, field.height() / 2));
        Type(&field, QStringLiteral("4730"));
        QCOMPARE(field.text(), QStringLiteral("47'30.    "));
        QCOMPARE(field.GetText(), std::string("4730    "));
        std::string digits = field.GetText();
        std::replace(digits.begin(), digits.end(), ' ', '0');
        QCOMPARE(positions.ParseCoordinateDigits(digits), int64_t{47500000});
        // A refused character beeps and changes nothing, the caret stays.
        const int caret = field.cursorPosition();
        Type(&field, QStringLiteral("x"));
        QCOMPARE(field.text(), QStringLiteral("47'30.    "));
        QCOMPARE(field.cursorPosition(), caret);
        // Backspace takes the digit before the caret; the literals stay.
        QTest::keyClick(&field, Qt::Key_Backspace);
        QCOMPARE(field.text(), QStringLiteral("47'3 .    "));
    }

    void clipboardAndUndoKeepTheLiterals()
    {
        MemorySettingsStore settings;
        settings.SetInt("设置", "PositionFormat", 1);
        const PositionFormatter positions(settings);
        CPicEdit field;
        field.SetMask(positions.LatitudeEntryMask());
        field.SetText("123456789");
        QCOMPARE(field.text(), QStringLiteral("12\"34'56.789"));
        field.Model().SelectAll();
        field.CopyToClipboard();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("123456789"));
        field.ClearSelection();
        QCOMPARE(field.GetText(true), std::string());
        field.UndoEdit();
        QCOMPARE(field.text(), QStringLiteral("12\"34'56.789"));
        QApplication::clipboard()->setText(QStringLiteral("4x7"));
        field.Model().SelectAll();
        field.PasteFromClipboard(); // the letter is refused, the digits go in
        QCOMPARE(field.GetText(true), std::string("47"));
    }

    void theSheetStoresEveryPageOnOkAndNothingOnCancel()
    {
        MemorySettingsStore settings;
        settings.SetInt("设置", "AltitudeElevationUnits", 1);
        settings.SetInt("设置", "距离-速度单位", 2);
        const PositionFormatter positions(settings);
        const UnitFormatter units(settings);
        Waypoint w = NamedAt("Summit", GeoPoint::FromDegrees(-33.5, 151.25));
        w.fAltitude = 812;
        const Waypoint before = w;
        {
            CEditWaypointPropSheet sheet(w, positions, units, kPageFieldNotes, 1765184400);
            QCOMPARE(sheet.windowTitle(), QString::fromUtf8("编辑路点"));
            QCOMPARE(sheet.Tabs()->count(), 5);
            QCOMPARE(sheet.Tabs()->currentIndex(), int{kPageFieldNotes});
            QCOMPARE(sheet.Settings()->LatitudeHemisphere()->currentText(), QStringLiteral("S"));
            sheet.Settings()->Name()->setText(QStringLiteral("Gipfel"));
            sheet.FieldNotes()->Notes()->setPlainText(QStringLiteral("TFTC"));
            sheet.reject();
            QVERIFY(sheet.Edited().SameContent(before));
        }
        CEditWaypointPropSheet sheet(w, positions, units, kPageSettings, 1765184400);
        sheet.Settings()->Name()->setText(QStringLiteral("Gipfel"));
        sheet.Settings()->LatitudeHemisphere()->setCurrentIndex(0);
        sheet.Settings()->Symbol()->SetSymbol(30);
        sheet.Settings()->Altitude()->setText(QStringLiteral("1000.5"));
        sheet.Geocache()->State()->setCurrentIndex(5);
        sheet.FieldNotes()->Notes()->setPlainText(QStringLiteral("TFTC"));
        sheet.FieldNotes()->Pending()->setChecked(true);
        // The never-found cache shows the sheet's now, which OK stores.
        QCOMPARE(sheet.Geocache()->Found()->dateTime().toSecsSinceEpoch(), qint64{1765184400});
        sheet.accept();
        const Waypoint& out = sheet.Edited();
        QCOMPARE(out.strName, std::string("Gipfel"));
        QCOMPARE(out.nLatitude, 33500000);
        QCOMPARE(out.nLongitude, 151250000);
        QCOMPARE(out.icon, 30);
        QCOMPARE(out.fAltitude, 1000.5f);
        QCOMPARE(out.nGeocacheState, 5);
        QCOMPARE(out.strFieldNotes, std::string("TFTC"));
        QCOMPARE(out.geocache.bFieldNotePending, 1);
        QCOMPARE(out.timeGeochacheFound, 1765184400);
    }

    void markWaypointCancelWritesNothing()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        OnNextModal<CEditWaypointPropSheet>([](CEditWaypointPropSheet* s) { s->reject(); });
        QCOMPARE(f.window->MarkWaypoint(NamedAt("WPT 00000", kStart)), 0);
        QCOMPARE(f.window->Waypoints().Count(), 0);
        QVERIFY(!QFile::exists(dir.path() + "/points.wpt"));
    }

    void aTakenNameReopensTheSheetWithTheMessageAndTheTypedValues()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        f.window->Waypoints().Add(NamedAt("Summit", ProjectPoint(kStart, 1, 0)));
        QString reopenedWith;
        OnNextModal<CEditWaypointPropSheet>([&](CEditWaypointPropSheet* s) {
            s->Settings()->Name()->setText(QStringLiteral("Summit"));
            s->Settings()->Symbol()->SetSymbol(30);
            OnNextModal<CEditWaypointPropSheet>([&](CEditWaypointPropSheet* again) {
                reopenedWith = again->Settings()->Name()->text();
                QCOMPARE(again->Settings()->Symbol()->Symbol(), 30);
                again->Settings()->Name()->setText(QStringLiteral("Summit cairn"));
                again->accept();
            });
            s->accept();
        });
        Waypoint proposed = NamedAt("WPT 00000", kStart);
        const int serial = f.window->MarkWaypoint(proposed);
        QVERIFY(serial > 0);
        QCOMPARE(f.messages, QStringList{kDuplicate});
        QCOMPARE(reopenedWith, QStringLiteral("Summit"));
        WaypointDatabase loaded;
        QCOMPARE(LoadWaypointDatabase(loaded, (dir.path() + "/points.wpt").toStdString()), 1);
        QCOMPARE(loaded.Count(), 2);
        QCOMPARE(Stored(loaded, "Summit cairn").icon, 30);
    }

    void theLatitudeTypedInTheSheetIsStored()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        OnNextModal<CEditWaypointPropSheet>([](CEditWaypointPropSheet* s) {
            CPicEdit* lat = s->Settings()->Latitude();
            Empty(lat);
            Type(lat, QStringLiteral("4730"));
            s->accept();
        });
        const int serial = f.window->MarkWaypoint(NamedAt("WPT 00000", kStart));
        Waypoint w;
        QVERIFY(f.window->Waypoints().FindBySerial(serial, w));
        QCOMPARE(w.nLatitude, 47500000);
        QCOMPARE(w.nLongitude, kStart.lon);
    }

    void theManagerFiltersSortsAndItsSelectionDrivesTheCommands()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        WaypointDatabase& db = f.window->Waypoints();
        Fill(db, 10000);
        f.settings.SetInt("Waypoint Manager Dialog", "List Distance", 100);
        f.settings.SetInt("设置", "距离-速度单位", 2);
        QStringList asked;
        f.window->SetQuestion([&](const QString& q) {
            asked << q;
            return true;
        });
        OnNextModal<WaypointManagerDialog>([&](WaypointManagerDialog* m) {
            WaypointListView* list = m->List();
            QCOMPARE(list->List().Count(), 10000);
            QCOMPARE(m->ItemCount()->text(), QStringLiteral("10000"));
            // Typing filters as it goes and ticks the filter.
            Type(m->SearchText(), QStringLiteral("xab"));
            QVERIFY(m->FilterOn()->isChecked());
            QCOMPARE(list->List().Count(), 40);
            m->CaseSensitive()->setChecked(true);
            QCOMPARE(list->List().Count(), 0);
            m->CaseSensitive()->setChecked(false);
            // Sorted by distance from a tap on that header: nearest first.
            list->SortByColumn(1);
            QCOMPARE(list->header()->sortIndicatorSection(), 1);
            const auto& rows = list->List().Rows();
            for (size_t i = 1; i < rows.size(); ++i)
                QVERIFY(rows[i - 1].distanceKm <= rows[i].distanceKm);
            // Edit the first: the sheet opens on it.
            const int first = rows.front().serial;
            list->SelectSerial(first);
            OnNextModal<CEditWaypointPropSheet>([](CEditWaypointPropSheet* s) {
                s->Settings()->Name()->setText(QStringLiteral("Renamed"));
                s->accept();
            });
            m->Edit();
            QCOMPARE(db.StoredBySerial(first)->strName, std::string("Renamed"));
            // Delete two.
            list->clearSelection();
            list->SelectSerial(list->List().Rows()[1].serial);
            list->SelectSerial(list->List().Rows()[2].serial);
            const std::vector<int> doomed = list->SelectedSerials();
            m->Delete();
            QCOMPARE(asked.back(), QString::fromUtf8("删除 2 路点?"));
            QVERIFY(!db.StoredBySerial(doomed[0]) && !db.StoredBySerial(doomed[1]));
            QCOMPARE(list->List().Count(), 38);
            // Go to the renamed one: the goto starts and the manager closes.
            list->clearSelection();
            list->SelectSerial(first);
            m->GotoSelected();
        });
        QVERIFY(f.window->HandleCommand(cmd::kWaypointManager));
        QCOMPARE(db.Count(), 9998);
        QCOMPARE(f.window->Nav().IsGotoActive(), 1);
        QCOMPARE(db.Target().strName, std::string("Renamed"));
        // What the manager did is in the file.
        WaypointDatabase loaded;
        QCOMPARE(LoadWaypointDatabase(loaded, (dir.path() + "/points.wpt").toStdString()), 1);
        QCOMPARE(loaded.Count(), 9998);
        QCOMPARE(Stored(loaded, "Renamed").strName, std::string("Renamed"));

        // Show on the map: the map centres on the chosen waypoint.
        const Waypoint far = Stored(db, "GC19999");
        OnNextModal<WaypointManagerDialog>([&](WaypointManagerDialog* m) {
            m->Mode()->setCurrentIndex(0);
            m->Refresh();
            m->List()->SelectSerial(far.nSerial);
            m->ShowSelected();
        });
        QVERIFY(f.window->HandleCommand(cmd::kWaypointManager));
        QVERIFY(f.window->Map().IsPanned());
        QCOMPARE(f.window->Map().Centre().lat, far.nLatitude);
        QCOMPARE(f.window->Map().Centre().lon, far.nLongitude);
    }

    void commandsOnOneWaypointCheckTheSelection()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        WaypointDatabase& db = f.window->Waypoints();
        db.Add(NamedAt("A", kStart));
        db.Add(NamedAt("B", kStart));
        OnNextModal<WaypointManagerDialog>([&](WaypointManagerDialog* m) {
            m->List()->clearSelection();
            m->GotoSelected();
            m->Edit();
            m->Delete();
            m->List()->selectAll();
            m->ShowSelected();
            // Several to edit: the multi-edit sheet, only the symbol changes.
            OnNextModal<CEditMultipleWPPropSheet>([](CEditMultipleWPPropSheet* s) {
                s->ChangeSymbol()->setChecked(true);
                s->Symbol()->SetSymbol(30);
                s->State()->setCurrentIndex(5);
                s->accept();
            });
            m->Edit();
            m->reject();
        });
        QVERIFY(f.window->HandleCommand(cmd::kWaypointManager));
        QCOMPARE(f.messages,
                 (QStringList{QString::fromUtf8("没有选择路点. 请选择一个路点后重试."),
                              QString::fromUtf8("无可编辑的路点.请选择一个路点然后再选择编辑."),
                              QString::fromUtf8("错误 - 不能够删除。未选择路点"),
                              QString::fromUtf8("此功能只可以选择一个路点.选择一个路点然后再试."),
                              QString::fromUtf8(
                                  "你已经选择了多个路点用于编辑。你能够改变选择的项目的细节.")}));
        QCOMPARE(Stored(db, "A").icon, 30);
        QCOMPARE(Stored(db, "B").icon, 30);
        QCOMPARE(Stored(db, "B").nGeocacheState, 0);
        QCOMPARE(f.window->Nav().IsGotoActive(), 0);
    }

    void theManagerKeepsItsColumnsAndTheListDialogShowsThem()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        f.Step(kStart);
        f.window->Waypoints().Add(NamedAt("A", kStart));
        f.settings.SetInt("Waypoint Manager Column ID", "Show_2", 0);
        f.settings.SetInt("Waypoint Manager Column ID", "WMColWidth_1", 77);
        {
            std::unique_ptr<QDialog> d(f.window->MakeDialog(QStringLiteral("waypoint-manager")));
            auto* m = qobject_cast<WaypointManagerDialog*>(d.get());
            QVERIFY(m);
            QCOMPARE(m->List()->header()->count(), 5);
            QCOMPARE(m->List()->columnWidth(1), 77);
            m->List()->setColumnWidth(0, 140);
        }
        QCOMPARE(f.settings.GetInt("Waypoint Manager Column ID", "WMColWidth_0", 0), 140);
        QCOMPARE(f.settings.GetInt("Waypoint Manager Column ID", "Show_2", 1), 0);
        std::unique_ptr<QDialog> d(f.window->MakeDialog(QStringLiteral("waypoint-list")));
        auto* list = qobject_cast<WaypointListDialog*>(d.get());
        QVERIFY(list);
        QCOMPARE(list->List()->header()->count(), 5);
        QCOMPARE(list->Chosen(), Stored(f.window->Waypoints(), "A").nSerial);
        Type(list->SearchText(), QStringLiteral("zz"));
        QCOMPARE(list->Chosen(), 0);
    }
};

QTEST_MAIN(WaypointEditingTest)
#include "test_waypoint_editing.moc"
