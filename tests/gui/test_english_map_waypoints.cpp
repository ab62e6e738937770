#include "MapWindowFixture.h"
#include "base/Translate.h"
#include "instruments/FormatPanelField.h"
#include "instruments/gui/AnalysisWnd.h"
#include "instruments/gui/DigitalPanelMenus.h"
#include "instruments/gui/GaugePanelMenu.h"
#include "shell/gui/QtTranslations.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointTables.h"
#include "waypoints/gui/WPAverageStatusWnd.h"
#include "widgets/PopupMenu.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace hw;

namespace {

bool HasChinese(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

// Every text a window shows: its title, labels, buttons, group titles, tabs,
// list and choice items, and the header of item views.
QStringList ShownTexts(QWidget* root)
{
    QStringList texts{root->windowTitle()};
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w))
            texts << group->title();
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model())
            for (int c = 0; c < view->model()->columnCount(); ++c)
                texts << view->model()->headerData(c, Qt::Horizontal).toString();
    }
    return texts;
}

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts{menu->title()};
    for (QAction* a : menu->actions()) {
        texts << a->text();
        if (a->menu())
            texts << MenuTexts(a->menu());
    }
    return texts;
}

// Takes the commands of a menu table without carrying any out.
class NoCommands final : public CommandTarget {
public:
    bool QueryCommand(int, CommandStatus&) const override { return false; }
    bool HandleCommand(int) override { return false; }
};

} // namespace

// The map, waypoint and instrument windows in English: no Chinese left in
// what they show, and the records' own texts still as they are stored.
class EnglishMapWaypointsTest : public QObject {
    Q_OBJECT

    static void VerifyEnglish(const QStringList& texts, const QString& where)
    {
        for (const QString& text : texts)
            QVERIFY2(!HasChinese(text), qPrintable(where + QLatin1String(": ") + text));
    }

private slots:
    void initTestCase() { InstallTranslations(qApp, InterfaceLanguage::English); }

    void dialogsOfTheMapPage()
    {
        QTemporaryDir dir;
        test::MapWindowFixture f(dir.path());
        Waypoint w = test::NamedAt("水塘", test::kStart);
        w.icon = 30; // "山顶"
        QVERIFY(f.window->Waypoints().Add(w) > 0);
        const char* names[] = {"map-properties",   "map-properties-roads", "map-properties-terrain",
                               "plan-waypoint",    "waypoint-list",        "waypoint-manager",
                               "edit-waypoint",    "edit-waypoint-2",      "edit-waypoint-3",
                               "edit-waypoint-4",  "edit-waypoint-5",      "edit-multiple",
                               "csv-import",       "csv-import-waypoints", "import-summary",
                               "database-recovery"};
        for (const char* name : names) {
            std::unique_ptr<QDialog> dialog(f.window->MakeDialog(QString::fromLatin1(name)));
            QVERIFY2(dialog, name);
            dialog->show();
            QStringList texts = ShownTexts(dialog.get());
            // The waypoint's own name stays as it was typed; nothing else is Chinese.
            texts.removeAll(QStringLiteral("水塘"));
            VerifyEnglish(texts, QString::fromLatin1(name));
        }

        // The list shows the symbol in English.
        std::unique_ptr<QDialog> list(f.window->MakeDialog(QStringLiteral("waypoint-list")));
        auto* view = list->findChild<QAbstractItemView*>();
        QVERIFY(view && view->model()->rowCount() == 1);
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("水塘"));
        QStringList row;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            row << view->model()->index(0, c).data().toString();
        QVERIFY2(row.contains(QStringLiteral("Summit")), qPrintable(row.join(QLatin1Char('|'))));
    }

    void popupMenus()
    {
        QTemporaryDir dir;
        test::MapWindowFixture f(dir.path());
        std::unique_ptr<QMenu> map(f.window->BuildPopupMenu(f.window.get()));
        const QStringList mapTexts = MenuTexts(map.get());
        VerifyEnglish(mapTexts, QStringLiteral("map menu"));
        QVERIFY(mapTexts.contains(QStringLiteral("Found it")));
        QVERIFY(mapTexts.contains(QStringLiteral("Didn't find it")));
        QVERIFY(mapTexts.contains(QStringLiteral("Go &To This Waypoint...")));

        NoCommands none;
        const std::pair<const std::vector<MenuEntry>*, const char*> tables[] = {
            {&DigitalPanelPopup(), "DigitalPanelMenus"},
            {&NavWndPopup(), "DigitalPanelMenus"},
            {&PanelDigitalPanelPopup(), "DigitalPanelMenus"},
            {&GaugePanelPopup(), "GaugePanelMenu"},
        };
        for (const auto& [table, context] : tables) {
            std::unique_ptr<QMenu> menu(BuildPopupMenu(*table, none, nullptr, context));
            VerifyEnglish(MenuTexts(menu.get()), QString::fromLatin1(context));
        }
        MemorySettingsStore settings;
        AnalysisWnd analysis(settings);
        std::unique_ptr<QMenu> charts(analysis.BuildPopupMenu(&analysis));
        VerifyEnglish(MenuTexts(charts.get()), QStringLiteral("analysis menu"));
        std::unique_ptr<QMenu> averaging(f.parts->Averaging()->BuildPopupMenu(nullptr));
        VerifyEnglish(MenuTexts(averaging.get()), QStringLiteral("averaging menu"));
    }

    void coreTextsInEnglishAndFilesUntouched()
    {
        QCOMPARE(ShownTableName(SymbolName(30)), std::string("Summit"));
        QCOMPARE(std::string(SymbolName(30)), std::string("山顶")); // what GPX files hold
        QCOMPARE(WaypointManagerColumns::Header(kColumnSymbol), std::string("Symbol"));
        ImportResult counts;
        counts.added = 3;
        counts.replaced = 1;
        QCOMPARE(ImportSummaryText(counts),
                 std::string("Added 3 new waypoints.\n\nReplaced 1 waypoints."));
        QCOMPARE(LanguageCode(), std::string("en"));
    }
};

QTEST_MAIN(EnglishMapWaypointsTest)
#include "test_english_map_waypoints.moc"
