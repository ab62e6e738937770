// The gauge, trip and analysis pages inside the tab container, fed from a
// recorded walk as the receiver would feed them, on the offscreen platform.
#include "base/MemorySettingsStore.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"
#include "instruments/DialGeometry.h"
#include "instruments/FormatPanelField.h"
#include "instruments/PanelField.h"
#include "instruments/PanelReadings.h"
#include "instruments/SpeedometerDial.h"
#include "instruments/gui/AltitudeSettingsDialog.h"
#include "instruments/gui/AnalysisWnd.h"
#include "instruments/gui/DigitalPanelMenus.h"
#include "instruments/gui/GaugePanel.h"
#include "instruments/gui/GaugePanelMenu.h"
#include "instruments/gui/SpeedSettingsDialog.h"
#include "map/gui/MapWnd.h"
#include "shell/TabPages.h"
#include "shell/gui/QtSettingsStore.h"
#include "shell/gui/TabContainer.h"
#include "units/UnitFormatter.h"
#include "waypoints/Waypoint.h"
#include "widgets/DrawListPainter.h"
#include "widgets/NotificationEvent.h"

#include "core/NmeaTestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace hw;

namespace {

// The tab container over a parser that the test feeds line by line, so
// that every fix reaches the pages before the next one arrives.
class Pages {
public:
    explicit Pages(SettingsStore& settings) : settings_(settings)
    {
        MapWnd::RunOptions run;
        run.trackFile = (dir_.path() + "/walk.trk").toStdString();
        run.databaseFile = (dir_.path() + "/points.wpt").toStdString();
        MapWnd::SetRunOptions(run);
        tabs = std::make_unique<TabContainer>(settings_, [this] { return parser.Snapshot(); });
        tabs->Analysis()->SetAccelerationHistory([this](uint64_t after, std::vector<double>& out) {
            return parser.AccelerationsSince(after, out);
        });
        sink_ = std::make_unique<QtNotificationSink>(tabs.get());
        parser.SetSink(sink_.get());
        tabs->resize(480, 600);
        tabs->show();
    }
    ~Pages() { MapWnd::SetRunOptions({}); }

    // Feeds the sentences of a log, up to `maxFixes` GPGGAs, after leaving
    // out those of the first `skipFixes`.
    void FeedLog(const QString& path, int maxFixes, int skipFixes = 0)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        int fixes = 0;
        while (!file.atEnd() && fixes < maxFixes) {
            const QByteArray line = file.readLine();
            if (skipFixes > 0) {
                if (line.startsWith("$GPRMC"))
                    --skipFixes;
                continue;
            }
            parser.Feed(line.constData(), static_cast<size_t>(line.size()));
            if (!line.startsWith("$GPGGA"))
                continue;
            ++fixes;
            // Through the tab container to the map window.
            for (int i = 0; i < 3; ++i)
                QCoreApplication::sendPostedEvents();
        }
    }

    GaugePanel* Gauges() const { return tabs->Gauges(); }
    AnalysisWnd* Analysis() const { return tabs->Analysis(); }

    NmeaParser parser;
    std::unique_ptr<TabContainer> tabs;

private:
    SettingsStore& settings_;
    QTemporaryDir dir_;
    std::unique_ptr<QtNotificationSink> sink_;
};

// A walk due north at 1.5 m/s from 22.2°N 114.2°E, one GGA and one RMC a
// second, written as a log; returns its file name. The RMC speed is 2.9
// knots plus `speedUp` × t² at second t.
QString StraightWalk(const QString& dir, int seconds, double speedUp = 0)
{
    const QString path = dir + QStringLiteral("/straight.nmea");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    const double degreesPerSecond = 1.5 / 111194.93;
    for (int t = 0; t < seconds; ++t) {
        const double lat = 22.2 + t * degreesPerSecond;
        const double minutes = (lat - 22) * 60;
        char time[16], body[160];
        std::snprintf(time, sizeof time, "%02d%02d%02d", 10 + t / 3600, t / 60 % 60, t % 60);
        std::snprintf(body, sizeof body,
                      "GPGGA,%s.00,22%07.4f,N,11412.0000,E,1,08,0.9,%.1f,M,-3.0,M,,", time, minutes,
                      100 + t * 0.1);
        file.write(test::NmeaSentence(body).c_str());
        std::snprintf(body, sizeof body, "GPRMC,%s,A,22%07.4f,N,11412.0000,E,%.2f,0.0,071226,,",
                      time, minutes, 2.9 + speedUp * t * t);
        file.write(test::NmeaSentence(body).c_str());
    }
    return path;
}

QString DemoLog()
{
    return QStringLiteral(HIKEWISE_SOURCE_DIR "/resources/demo/demo.nmea");
}

QAction* FindAction(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction* inner = FindAction(a->menu(), text))
                return inner;
    }
    return nullptr;
}

} // namespace

class InstrumentPagesTest : public QObject {
    Q_OBJECT
private slots:
    void tripOdometerAndChartsFollowTheWalk()
    {
        MemorySettingsStore settings;
        settings.SetInt(section::kSettings, unit_setting::kDistanceSpeed, 2); // kilometres
        settings.SetInt(section::kAnalysis, "海拔采样模式", 0);               // every fix
        Pages pages(settings);
        pages.tabs->ShowPage(kAnalysisPage);
        QTemporaryDir dir;
        const QString log = StraightWalk(dir.path(), 600);
        QVERIFY(!log.isEmpty());
        pages.FeedLog(log, 100000);
        // 599 steps of 1.5 m.
        const double walked = 599 * 1.5 / 1000;

        // What the trip page's odometer cell shows.
        MapWnd* map = pages.tabs->MapWindow();
        const UnitFormatter units(settings);
        const PanelReadings readings = PanelReadings::From(pages.parser.Snapshot(), map->Nav());
        const PanelFieldContext context{map->Trip(),       readings,       units,
                                        map->SystemTime(), map->Battery(), map->Zone()};
        PanelFieldTexts texts;
        FormatPanelField(kFieldOdometer, context, texts);
        // Short distances show in metres.
        const QString unit = QString::fromStdString(texts.unit);
        QVERIFY(unit == QStringLiteral("km") || unit == QStringLiteral("m"));
        const double shown = QString::fromStdString(texts.value).toDouble() /
                             (unit == QStringLiteral("m") ? 1000 : 1);
        QVERIFY2(std::abs(shown - walked) <= walked * 0.01,
                 qPrintable(QStringLiteral("odometer %1 km, walked %2 km").arg(shown).arg(walked)));

        // Every GPGGA gave the speed, altitude, vertical speed and track
        // error a sample; every GPRMC fed the acceleration.
        AnalysisPageModel& model = pages.Analysis()->Model();
        QCOMPARE(model.Chart(kSpeedCurve).Total(), uint64_t(600));
        QCOMPARE(model.Chart(kAltitudeCurve).Total(), uint64_t(600));
        QCOMPARE(model.Chart(kTrackErrorCurve).Total(), uint64_t(600));
        QCOMPARE(model.Chart(kAccelerationCurve).Total(), uint64_t(599));
        QCOMPARE(model.Chart(kAltitudeCurve).Last(), pages.parser.Snapshot().altitude);
    }

    void trackErrorChartTakesTheErrorOfTheSameFix()
    {
        MemorySettingsStore settings;
        Pages pages(settings);
        QTemporaryDir dir;
        const QString log = StraightWalk(dir.path(), 30);
        pages.FeedLog(log, 5);
        // A goto 1 km east: walking north leaves the leg further each fix.
        MapWnd* map = pages.tabs->MapWindow();
        Waypoint east;
        east.strName = "East";
        const GpsFix here = pages.parser.Snapshot();
        east.nLatitude = static_cast<int32_t>(std::lround(here.ggaLatitude * 1e6));
        east.nLongitude = static_cast<int32_t>(std::lround((here.ggaLongitude + 0.0097) * 1e6));
        map->Nav().StartGoto(east);
        pages.FeedLog(log, 20, 5);
        const double miles = 3437.7467707849396 * 1.852 * 0.621371192237;
        const double now = map->Nav().CrossTrackError() * miles;
        QVERIFY(std::abs(now) > 0.005); // some 20 m off the leg
        QVERIFY2(std::abs(pages.Analysis()->Model().Chart(kTrackErrorCurve).Last() - now) < 1e-9,
                 qPrintable(QStringLiteral("charted %1, navigation %2")
                                .arg(pages.Analysis()->Model().Chart(kTrackErrorCurve).Last())
                                .arg(now)));
    }

    void everyFixAndRmcOfABurstReachesTheChartsOnceInOrder()
    {
        // Mid-stream, many seconds decoded before the pages run (a fast
        // replay, a receiver's queue): each fix and each RMC is charted once,
        // in order, not the newest over and over.
        MemorySettingsStore settings;
        settings.SetInt(section::kAnalysis, "海拔采样模式", 0); // every fix
        Pages pages(settings);
        MapWnd* map = pages.tabs->MapWindow();
        map->SetFixHistory([&pages](uint64_t after, std::vector<GpsFix>& out) {
            return pages.parser.FixesSince(after, out);
        });
        QTemporaryDir dir;
        const int seconds = 40;
        const int calm = 5; // seconds handled one at a time before the burst
        const double speedUp = 0.01;
        QFile file(StraightWalk(dir.path(), seconds, speedUp));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (int rmcs = 0; rmcs < calm;) {
            const QByteArray line = file.readLine();
            pages.parser.Feed(line.constData(), static_cast<size_t>(line.size()));
            rmcs += line.startsWith("$GPRMC") ? 1 : 0;
            for (int i = 0; i < 3; ++i)
                QCoreApplication::sendPostedEvents();
        }
        const QByteArray burst = file.readAll();
        pages.parser.Feed(burst.constData(), static_cast<size_t>(burst.size()));
        const KORVPlotModel& altitude = pages.Analysis()->Model().Chart(kAltitudeCurve);
        const KORVPlotModel& acceleration = pages.Analysis()->Model().Chart(kAccelerationCurve);
        QTRY_COMPARE(altitude.Total(), uint64_t(seconds));
        QTRY_COMPARE(acceleration.Total(), uint64_t(seconds));
        QCoreApplication::processEvents(); // every notice handled: none adds a sample
        QCOMPARE(altitude.Total(), uint64_t(seconds));
        QCOMPARE(acceleration.Total(), uint64_t(seconds));
        QCOMPARE(pages.Analysis()->Model().Chart(kSpeedCurve).Total(), uint64_t(seconds));
        for (int t = 0; t < seconds; ++t) {
            const auto back = static_cast<size_t>(seconds - 1 - t);
            QVERIFY2(std::abs(altitude.Sample(back) - (100 + t * 0.1)) < 1e-6,
                     qPrintable(QStringLiteral("altitude of second %1").arg(t)));
            // The first RMC only sets the speed the next is measured from.
            const double expected = t == 0 ? 0 : speedUp * (2 * t - 1) * 0.277777777778;
            QVERIFY2(std::abs(acceleration.Sample(back) - expected) < 1e-9,
                     qPrintable(QStringLiteral("acceleration of second %1: %2, not %3")
                                    .arg(t)
                                    .arg(acceleration.Sample(back))
                                    .arg(expected)));
        }
    }

    void aReceiverWithoutGgaStillGetsAnAccelerationChart()
    {
        // GPRMC alone, speeding up by 1 knot a second: every RMC reaches
        // the acceleration chart through the tab container.
        MemorySettingsStore settings;
        Pages pages(settings);
        const int seconds = 12;
        for (int t = 0; t < seconds; ++t) {
            char body[120];
            std::snprintf(body, sizeof body,
                          "GPRMC,1000%02d,A,2212.0000,N,11412.0000,E,%.1f,0.0,071226,,", t,
                          1.0 * t);
            const std::string line = test::NmeaSentence(body);
            pages.parser.Feed(line.data(), line.size());
            for (int i = 0; i < 3; ++i)
                QCoreApplication::sendPostedEvents();
        }
        const KORVPlotModel& chart = pages.Analysis()->Model().Chart(kAccelerationCurve);
        QCOMPARE(chart.Total(), uint64_t(seconds));
        QVERIFY(std::abs(chart.Last() - 0.277777777778) < 1e-9); // 1 knot/s in m/s per s
        QCOMPARE(pages.Analysis()->Model().Chart(kSpeedCurve).Total(), uint64_t(0));
    }

    void smoothingStopsWhileThePageIsHidden()
    {
        MemorySettingsStore settings;
        settings.SetInt(section::kPanel, "启用平滑模式", 1);
        Pages pages(settings);
        pages.FeedLog(DemoLog(), 30);
        GaugePanel* gauges = pages.Gauges();
        QVERIFY(!gauges->SmoothingTimerActive()); // the GPS page is shown
        pages.tabs->ShowPage(kGaugePage);
        QTRY_VERIFY(gauges->SmoothingTimerActive());
        // The heading moves toward the course while shown.
        QTRY_VERIFY(gauges->Model().Altitude() != 0);

        pages.tabs->ShowPage(kTripPage);
        QVERIFY(!gauges->SmoothingTimerActive());
        pages.FeedLog(DemoLog(), 40);
        // Hidden, the once-a-second tick takes the readings unfiltered.
        QTRY_COMPARE(gauges->Model().Altitude(), pages.parser.Snapshot().altitude);
        QVERIFY(!gauges->SmoothingTimerActive());

        // Two gauges at once suspend it, even on the shown page.
        pages.tabs->ShowPage(kGaugePage);
        QTRY_VERIFY(gauges->SmoothingTimerActive());
        gauges->HandleCommand(gauge_cmd::kAltimeter);
        gauges->HandleCommand(gauge_cmd::kCycle);
        QVERIFY(!gauges->SmoothingTimerActive());
        QCOMPARE(settings.GetInt(section::kPanel, "循环测量仪", 1), 0);
    }

    void dialReadoutsClearTheScaleInTheRealFont()
    {
        // The speedometer's and altimeter's readout boxes, measured in the
        // font the page paints with, beside every scale number; all four
        // dials at once and one at a time, in both window sizes.
        for (int cycle : {0, 1}) {
            MemorySettingsStore settings;
            for (const char* name : {"启用高度表", "启用速度表", "启用垂直速度"})
                settings.SetInt(section::kPanel, name, 1);
            settings.SetInt(section::kPanel, "循环测量仪", cycle);
            Pages pages(settings);
            pages.tabs->ShowPage(kGaugePage);
            GaugePanel* gauges = pages.Gauges();
            for (const QSize size : {QSize(480, 640), QSize(800, 480)}) {
                pages.tabs->resize(size);
                QTRY_COMPARE(gauges->width(), size.width());
                const GaugePanelRects rects =
                    gauges->Model().Layout({0, 0, gauges->width(), gauges->height()});
                std::string speedLabels[10];
                for (int i = 0; i < 10; ++i)
                    speedLabels[i] = SpeedometerDial::TickLabel(i, 150);
                const std::string digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
                for (int code : {kSpeedometerGauge, kAltimeterGauge}) {
                    const DialGeometry dial(rects.gauges[static_cast<size_t>(code)]);
                    const auto& labels = code == kSpeedometerGauge ? speedLabels : digits;
                    for (const char* unit : {"-00000.00 km/h", "-00000.00 MPH", "-00000.00 ft"}) {
                        const ScreenRect box = dial.ReadoutBox(
                            unit, dial.ReadoutFontClearOf(unit, labels, MeasureText), MeasureText);
                        for (const ScreenRect& label : dial.ScaleLabelBoxes(labels, MeasureText))
                            QVERIFY2(!box.Intersects(label),
                                     qPrintable(QStringLiteral("gauge %1, %2 at %3x%4")
                                                    .arg(code)
                                                    .arg(QString::fromUtf8(unit))
                                                    .arg(size.width())
                                                    .arg(size.height())));
                    }
                }
            }
        }
    }

    void gaugeMenuKeepsOneGaugeAndPlacesTheStrip()
    {
        MemorySettingsStore settings;
        Pages pages(settings);
        pages.tabs->ShowPage(kGaugePage);
        GaugePanel* gauges = pages.Gauges();
        std::unique_ptr<QMenu> menu(gauges->BuildPopupMenu(gauges));
        // The compass alone: its item checked and disabled.
        QAction* compass = FindAction(menu.get(), QStringLiteral("罗盘"));
        QVERIFY(compass && compass->isChecked() && !compass->isEnabled());
        QAction* altimeter = FindAction(menu.get(), QStringLiteral("高度表"));
        QVERIFY(altimeter && !altimeter->isChecked() && altimeter->isEnabled());
        altimeter->trigger();
        QCOMPARE(settings.GetInt(section::kPanel, "启用高度表", 0), 1);
        menu.reset(gauges->BuildPopupMenu(gauges));
        QVERIFY(FindAction(menu.get(), QStringLiteral("罗盘"))->isEnabled());
        QVERIFY(FindAction(menu.get(), QStringLiteral("循环显示仪表"))->isChecked());

        // The strip: an upright page puts it along the bottom.
        QVERIFY(gauges->Strip()->isVisible());
        QCOMPARE(gauges->Strip()->geometry().bottom(), gauges->height() - 1);
        QCOMPARE(gauges->Strip()->Layout().Columns(), 3);
        FindAction(menu.get(), QStringLiteral("显示导航窗口"))->trigger();
        QVERIFY(!gauges->Strip()->isVisible());
        QCOMPARE(settings.GetInt(section::kPanel, "启用 Nav Wnd", 1), 0);
    }

    void stripPanelTypesSurviveARestart()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("panel.conf"));
        {
            QtSettingsStore settings(file);
            Pages pages(settings);
            DigitalPanelLayout& strip = pages.Gauges()->Strip()->Layout();
            QCOMPARE(strip.Type(0), 1); // a fresh strip: speed, distance, course
            strip.SetType(0, kFieldOdometer, settings);
            strip.SetType(2, 17, settings);
        }
        QtSettingsStore settings(file);
        QCOMPARE(settings.GetInt("Digital PanelPanelView", "Panel Type 0", -1),
                 static_cast<int>(kFieldOdometer));
        Pages pages(settings);
        const DigitalPanelLayout& strip = pages.Gauges()->Strip()->Layout();
        QCOMPARE(strip.Type(0), static_cast<int>(kFieldOdometer));
        QCOMPARE(strip.Type(1), 2);
        QCOMPARE(strip.Type(2), 17);
        // The strip's 1 × 3 is never stored.
        QCOMPARE(settings.GetInt("Digital PanelPanelView", "屏幕列", -1), -1);
    }

    void tapOnAnAreaOpensItsMenuItems()
    {
        MemorySettingsStore settings;
        settings.SetInt(section::kAnalysis, "屏幕配置", 4);
        Pages pages(settings);
        pages.tabs->ShowPage(kAnalysisPage);
        AnalysisWnd* page = pages.Analysis();
        const int w = page->width(), h = page->height();

        page->TapAt(QPoint(w - 10, h - 10)); // area 3: vertical speed
        std::unique_ptr<QMenu> menu(page->BuildPopupMenu(page));
        QVERIFY(FindAction(menu.get(), QStringLiteral("垂直速度"))->isChecked());
        QVERIFY(!FindAction(menu.get(), QStringLiteral("速度"))->isChecked());
        QVERIFY(FindAction(menu.get(), QStringLiteral("2X2"))->isChecked());
        QVERIFY(!FindAction(menu.get(), QStringLiteral("属性..."))->isEnabled());

        page->TapAt(QPoint(10, h - 10)); // area 2: altitude
        menu.reset(page->BuildPopupMenu(page));
        QVERIFY(FindAction(menu.get(), QStringLiteral("海拔"))->isChecked());
        QVERIFY(FindAction(menu.get(), QStringLiteral("属性..."))->isEnabled());

        // Choosing a curve there stores it for area 2.
        FindAction(menu.get(), QStringLiteral("轨迹错误"))->trigger();
        QCOMPARE(settings.GetInt(section::kAnalysis, "曲线类型 2", -1), kTrackErrorCurve);
        QCOMPARE(page->Model().CurveOfArea(2), kTrackErrorCurve);

        // Up and Down reach the visible page and zoom every chart.
        QTest::keyClick(pages.tabs.get(), Qt::Key_Down);
        QCOMPARE(page->Model().Zoom(), 2.0);
        QCOMPARE(page->Model().Chart(kAltitudeCurve).Style().horizontalZoom, 2.0);
    }

    void dialogsStoreWhatTheyShow()
    {
        MemorySettingsStore settings;
        Pages pages(settings);
        {
            std::unique_ptr<QDialog> d(pages.Gauges()->MakeSpeedDialog(nullptr));
            auto* speed = static_cast<SpeedSettingsDialog*>(d.get());
            QCOMPARE(speed->Combo()->currentText(), QStringLiteral("150"));
            QCOMPARE(speed->Combo()->count(), 8);
            speed->Combo()->setEditText(QStringLiteral("0"));
            QCOMPARE(speed->Chosen(), 0);
            speed->Combo()->setEditText(QStringLiteral("35"));
            QCOMPARE(speed->Chosen(), 35);
        }
        std::unique_ptr<QDialog> d(pages.Analysis()->MakeAltitudeDialog(nullptr));
        auto* altitude = static_cast<AltitudeSettingsDialog*>(d.get());
        // 0.01609344 km is 0.01 statute miles.
        QCOMPARE(altitude->Distance()->text(), QStringLiteral("0.01"));
        QCOMPARE(altitude->Mode()->currentIndex(), 1);
        altitude->Distance()->setText(QStringLiteral("0"));
        altitude->accept(); // refused: nothing stored
        QVERIFY(!settings.Contains(section::kAnalysis, "海拔采样距离阈值"));
        altitude->Mode()->setCurrentIndex(0);
        altitude->Distance()->setText(QStringLiteral("0.5"));
        altitude->accept();
        QCOMPARE(settings.GetInt(section::kAnalysis, "海拔采样模式", -1), 0);
        QCOMPARE(
            QString::fromStdString(settings.GetText(section::kAnalysis, "海拔采样距离阈值", "")),
            QStringLiteral("0.804672000000"));
    }
};

QTEST_MAIN(InstrumentPagesTest)
#include "test_instrument_pages.moc"
