// Every page, menu and dialog of the gallery in one interface language: in
// English no visible text holds a Chinese character; in Chinese no text shows
// one of the English translations. The language comes from
// HIKEWISE_TEST_LANGUAGE ("en", the default, or "zh"): the menus keep the
// language they were first built in, so each language runs in its own process.
#include "base/MemorySettingsStore.h"
#include "base/MenuEntry.h"
#include "instruments/gui/DigitalPanelMenus.h"
#include "instruments/gui/GaugePanelMenu.h"
#include "map/gui/MapWnd.h"
#include "shell/gui/CMainFrame.h"
#include "shell/gui/QtTranslations.h"
#include "shell/gui/TabContainer.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEngine>
#include <QProcess>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextItem>
#include <QToolBar>
#include <QXmlStreamReader>
#include <QtTest>

using namespace hw;

namespace {

// Records the texts painted through it and nothing else.
class TextRecordingEngine final : public QPaintEngine {
public:
    TextRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
    }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawRects(const QRectF*, int) override {}
    void drawLines(const QLineF*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawPoints(const QPointF*, int) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }

    QStringList texts;
};

// A paint device that only records text: what a widget tree shows in words.
class TextRecorder final : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine_; }
    QStringList Texts() const { return engine_.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight: return 2000;
        case PdmWidthMM:
        case PdmHeightMM: return 530;
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable TextRecordingEngine engine_;
};

bool HasChinese(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (c.script() == QChar::Script_Han || (u >= 0x3000 && u <= 0x303F) ||
            (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

void AddMenuTexts(const QList<QAction*>& actions, QStringList& texts)
{
    for (QAction* a : actions) {
        texts << a->text() << a->toolTip();
        if (a->menu())
            AddMenuTexts(a->menu()->actions(), texts);
    }
}

// A menu table's texts as its window shows them: translated in the context
// the window builds the menu with.
void AddEntryTexts(const std::vector<MenuEntry>& entries, const char* context, QStringList& texts)
{
    for (const MenuEntry& e : entries) {
        if (!e.IsSeparator())
            texts << QCoreApplication::translate(context, e.text);
        AddEntryTexts(e.children, context, texts);
    }
}

// What a window shows: its painted texts, its title, the items its combo
// boxes offer, the tips of its parts and the titles of its hidden tabs.
QStringList VisibleTexts(QWidget* window)
{
    TextRecorder recorder;
    window->render(&recorder);
    QStringList texts = recorder.Texts();
    texts << window->windowTitle();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (!w->toolTip().isEmpty())
            texts << w->toolTip();
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            texts << edit->placeholderText();
    }
    return texts;
}

// The English translations of the program's Chinese texts, less those that
// are also source texts of their own (the Chinese windows show a few English
// words, "Distance" among them).
QSet<QString> EnglishTranslations()
{
    QSet<QString> english;
    QSet<QString> sources;
    QFile file(QStringLiteral(HIKEWISE_SOURCE_DIR "/translations/hikewise_en.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return english;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText(QXmlStreamReader::SkipChildElements);
            sources << source;
        } else if (xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (HasChinese(source) && translation.size() > 3)
                english << translation;
        }
    }
    return english - sources;
}

// A small database beside the replay: a waypoint and a geocache with logs.
constexpr const char* kGpx =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gpx version=\"1.0\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/0\"\n"
    " xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\n"
    "<wpt lat=\"22.233575\" lon=\"114.241823\"><name>Pavilion</name><sym>Scenic View</sym></wpt>\n"
    "<wpt lat=\"22.2365\" lon=\"114.2392\"><time>2026-03-01T00:00:00Z</time><name>GC1ABC</name>\n"
    "<desc>Hidden Spring by Walker, Traditional Cache (2/3)</desc><sym>Geocache</sym>\n"
    "<type>Geocache|Traditional Cache</type>\n"
    "<groundspeak:cache id=\"1\" available=\"True\" archived=\"False\">\n"
    "<groundspeak:name>Hidden "
    "Spring</groundspeak:name><groundspeak:placed_by>Walker</groundspeak:placed_by>\n"
    "<groundspeak:owner id=\"2\">Walker</groundspeak:owner><groundspeak:type>Traditional "
    "Cache</groundspeak:type>\n"
    "<groundspeak:container>Small</groundspeak:container><groundspeak:difficulty>2</"
    "groundspeak:difficulty>\n"
    "<groundspeak:terrain>3</groundspeak:terrain><groundspeak:country>Hong "
    "Kong</groundspeak:country>\n"
    "<groundspeak:state></groundspeak:state>\n"
    "<groundspeak:short_description html=\"False\">Near the "
    "spring.</groundspeak:short_description>\n"
    "<groundspeak:long_description html=\"False\">Look under the "
    "stone.</groundspeak:long_description>\n"
    "<groundspeak:encoded_hints>stone</groundspeak:encoded_hints>\n"
    "<groundspeak:logs><groundspeak:log "
    "id=\"3\"><groundspeak:date>2026-02-01T00:00:00Z</groundspeak:date>\n"
    "<groundspeak:type>Found it</groundspeak:type><groundspeak:finder "
    "id=\"4\">Hiker</groundspeak:finder>\n"
    "<groundspeak:text encoded=\"False\">Nice "
    "walk.</groundspeak:text></groundspeak:log></groundspeak:logs>\n"
    "</groundspeak:cache></wpt>\n"
    "</gpx>\n";

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    bool english_ = true;
    QSet<QString> translations_;
    QTemporaryDir dir_;

    // The texts of one window that break the language rule.
    QStringList WrongTexts(const QStringList& texts) const
    {
        QStringList wrong;
        for (const QString& t : texts) {
            const bool bad = english_ ? HasChinese(t) : translations_.contains(t);
            if (bad && !wrong.contains(t))
                wrong << t;
        }
        return wrong;
    }

    void Check(const QString& window, const QStringList& texts, QStringList& failures) const
    {
        for (const QString& t : WrongTexts(texts))
            failures << window + QStringLiteral(": ") + t;
    }

private slots:
    void initTestCase()
    {
        english_ = qEnvironmentVariable("HIKEWISE_TEST_LANGUAGE", QStringLiteral("en")) !=
                   QLatin1String("zh");
        InstallTranslations(QCoreApplication::instance(),
                            english_ ? InterfaceLanguage::English : InterfaceLanguage::Chinese);
        translations_ = EnglishTranslations();
        QVERIFY2(translations_.size() > 100, "translations/hikewise_en.ts is not readable");
        // The gallery's database, made as the gallery makes it.
        QVERIFY(dir_.isValid());
        QFile gpx(dir_.filePath(QStringLiteral("caches.gpx")));
        QVERIFY(gpx.open(QIODevice::WriteOnly));
        gpx.write(kGpx);
        gpx.close();
        QProcess tool;
        tool.start(QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-tool"),
                   {QStringLiteral("wpt-import"), dir_.filePath(QStringLiteral("points.wpt")),
                    gpx.fileName()});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
    }

    void everyPageMenuAndDialogIsInTheLanguage()
    {
        MapWnd::RunOptions run;
        run.databaseFile = dir_.filePath(QStringLiteral("points.wpt")).toStdString();
        run.trackFile = dir_.filePath(QStringLiteral("walk.trk")).toStdString();
        MapWnd::SetRunOptions(run);
        MemorySettingsStore settings;
        CMainFrame::Options options;
        options.skipFirstRun = true;
        options.replayFile = QStringLiteral(HIKEWISE_SOURCE_DIR "/resources/demo/demo.nmea");
        options.replaySpeed = 10;
        options.language = english_ ? InterfaceLanguage::English : InterfaceLanguage::Chinese;
        CMainFrame frame(settings, options);
        frame.resize(480, 640);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // Values on every page: the replay has a fix and a distance.
        std::vector<GpsFix> fixes;
        QTRY_VERIFY_WITH_TIMEOUT(frame.Parser().FixesSince(0, fixes) > 20, 30000);

        QStringList failures;
        QStringList all;
        for (QSize size : {QSize(480, 640), QSize(800, 480)}) {
            frame.resize(size);
            for (int page = 0; page < 5; ++page) {
                frame.Tabs()->ShowPage(page);
                QCoreApplication::processEvents();
                const QStringList texts = VisibleTexts(&frame);
                Check(QStringLiteral("page %1").arg(page), texts, failures);
                all << texts;
            }
        }
        QStringList menus;
        AddMenuTexts(frame.PlainMenuBar()->actions(), menus);
        AddMenuTexts(frame.MenuAndIconsBar()->actions(), menus);
        AddEntryTexts(GaugePanelPopup(), "GaugePanelMenu", menus);
        AddEntryTexts(DigitalPanelPopup(), "DigitalPanelMenus", menus);
        AddEntryTexts(NavWndPopup(), "DigitalPanelMenus", menus);
        AddEntryTexts(PanelDigitalPanelPopup(), "DigitalPanelMenus", menus);
        Check(QStringLiteral("menus"), menus, failures);
        all << menus;

        const QStringList dialogs = {"disclaimer",
                                     "setup",
                                     "misc",
                                     "units",
                                     "import",
                                     "progress",
                                     "about",
                                     "sirf",
                                     "ports",
                                     "search",
                                     "pane",
                                     "speed",
                                     "altitude",
                                     "map-properties",
                                     "plan-waypoint",
                                     "waypoint-list",
                                     "waypoint-manager",
                                     "edit-waypoint",
                                     "edit-waypoint-2",
                                     "edit-waypoint-3",
                                     "edit-waypoint-4",
                                     "edit-waypoint-5",
                                     "edit-multiple",
                                     "csv-import",
                                     "csv-import-waypoints",
                                     "import-progress",
                                     "import-summary",
                                     "import-error",
                                     "database-recovery",
                                     "replace-question",
                                     "found-question",
                                     "visits-question",
                                     "averaging-menu",
                                     "waypoint-message"};
        for (const QString& name : dialogs) {
            QWidget* window = frame.MakePicture(name);
            if (!window) {
                failures << name + QStringLiteral(": no such dialog");
                continue;
            }
            window->show();
            QCoreApplication::processEvents();
            QStringList texts = VisibleTexts(window);
            if (auto* menu = qobject_cast<QMenu*>(window))
                AddMenuTexts(menu->actions(), texts);
            Check(name, texts, failures);
            all << texts;
            if (window != &frame)
                delete window;
        }
        MapWnd::SetRunOptions({});

        // The check saw the windows' words, and in Chinese their Chinese.
        QVERIFY(all.size() > 200);
        if (!english_)
            QVERIFY(std::any_of(all.begin(), all.end(), HasChinese));
        if (!failures.isEmpty())
            QFAIL(qPrintable((english_ ? QStringLiteral("Chinese in the English windows:\n")
                                       : QStringLiteral("English in the Chinese windows:\n")) +
                             failures.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(LanguageTest)
#include "test_language.moc"
