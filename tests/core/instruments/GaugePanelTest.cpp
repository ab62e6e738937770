#include "base/MemorySettingsStore.h"
#include "base/TextClearance.h"
#include "instruments/AltimeterDial.h"
#include "instruments/CompassDial.h"
#include "instruments/DialGeometry.h"
#include "instruments/GaugePanelModel.h"
#include "instruments/SpeedometerDial.h"
#include "instruments/VerticalSpeedDial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace hw {
namespace {

// Texts measured as a proportional face would: 0.6 of the height a byte.
TextExtent FixedMeasure(const std::string& text, const Font& font)
{
    const int h = font.pointSize < 0 ? -font.pointSize : font.pointSize;
    return {static_cast<int>(static_cast<double>(text.size()) * h * 0.6), h};
}

bool HasPolygonWithPoint(const DrawList& list, ScreenPoint p)
{
    for (const Polygon* poly : list.All<Polygon>())
        for (const ScreenPoint& q : poly->points)
            if (q == p)
                return true;
    return false;
}

// Every point of every line and filled shape lies on the dial's square.
void ExpectInsideDial(const DrawList& list, const DialGeometry& dial)
{
    const ScreenRect s = dial.Square().Grown(1);
    auto inside = [&](ScreenPoint p) {
        return p.x >= s.left && p.x <= s.right && p.y >= s.top && p.y <= s.bottom;
    };
    for (const Polygon* poly : list.All<Polygon>())
        for (const ScreenPoint& p : poly->points)
            EXPECT_TRUE(inside(p)) << p.x << "," << p.y;
    for (const Polyline* line : list.All<Polyline>())
        for (const ScreenPoint& p : line->points)
            EXPECT_TRUE(inside(p)) << p.x << "," << p.y;
}

std::vector<std::string> Texts(const DrawList& list)
{
    std::vector<std::string> texts;
    for (const Text* t : list.All<Text>())
        texts.push_back(t->text);
    return texts;
}

TEST(GaugeDialsTest, AltimeterHandsForAKnownAltitude)
{
    // 1234.5: the hundreds hand at 234.5 × 0.36°, the thousands at 1234 × 0.036°.
    EXPECT_NEAR(AltimeterDial::HundredsAngle(1234.5), 84.42, 1e-9);
    EXPECT_NEAR(AltimeterDial::ThousandsAngle(1234.5), 44.424, 1e-9);
    EXPECT_NEAR(AltimeterDial::HundredsAngle(2000), 0, 1e-9);

    const DialGeometry dial({0, 0, 202, 302});
    EXPECT_EQ(dial.Side(), 200);
    EXPECT_EQ(dial.Centre(), (ScreenPoint{101, 151}));
    DrawList list;
    AltimeterDial::Draw(dial, 1234.5, "m", GaugeColours{}, FixedMeasure, list);
    // The diamond's tip at 75 % of the radius along the hundreds angle, the
    // thousands triangle's tip at 45 %.
    EXPECT_TRUE(HasPolygonWithPoint(list, dial.At(75, 84.42)));
    EXPECT_TRUE(HasPolygonWithPoint(list, dial.At(45, 44.424)));
    const std::vector<std::string> texts = Texts(list);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "01234.50 m"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "ALT"), texts.end());
}

TEST(GaugeDialsTest, SpeedometerNeedleAndLabelsForTheFullScale)
{
    EXPECT_DOUBLE_EQ(SpeedometerDial::NeedleAngle(75, 150), 180);
    EXPECT_DOUBLE_EQ(SpeedometerDial::NeedleAngle(37.5, 150), 90);
    // Beyond the scale the needle rests at its end instead of wrapping to a
    // small speed; it never points below 0.
    EXPECT_DOUBLE_EQ(SpeedometerDial::NeedleAngle(160, 150), 360);
    EXPECT_DOUBLE_EQ(SpeedometerDial::NeedleAngle(-3, 150), 0);
    EXPECT_DOUBLE_EQ(SpeedometerDial::NeedleAngle(5, 0), 0);

    std::vector<std::string> labels;
    for (int i = 0; i < 10; ++i)
        labels.push_back(SpeedometerDial::TickLabel(i, 150));
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "15", "30", "45", "60", "75", "90", "105",
                                                "120", "135"}));

    const DialGeometry dial({10, 10, 212, 212});
    DrawList list;
    SpeedometerDial::Draw(dial, 75, 150, "km/h", GaugeColours{}, FixedMeasure, list);
    EXPECT_TRUE(HasPolygonWithPoint(list, dial.At(65, 180)));
    const std::vector<std::string> texts = Texts(list);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "75.00 km/h"), texts.end());
}

TEST(GaugeDialsTest, VerticalSpeedZeroLeftAndPinnedBeyondTheScale)
{
    EXPECT_DOUBLE_EQ(VerticalSpeedDial::NeedleAngle(0, 2000), 270);
    EXPECT_DOUBLE_EQ(VerticalSpeedDial::NeedleAngle(1000, 2000), 345);
    EXPECT_DOUBLE_EQ(VerticalSpeedDial::NeedleAngle(2000, 2000), 420);
    EXPECT_DOUBLE_EQ(VerticalSpeedDial::NeedleAngle(9000, 2000), 420);
    EXPECT_DOUBLE_EQ(VerticalSpeedDial::NeedleAngle(-9000, 2000), 120);
    EXPECT_DOUBLE_EQ(VerticalSpeedDial::FullScale(true), 2000);
    EXPECT_DOUBLE_EQ(VerticalSpeedDial::FullScale(false), 5.0);

    std::vector<std::string> feet, metres;
    for (int k = 0; k < 5; ++k) {
        feet.push_back(VerticalSpeedDial::TickLabel(k, 2000));
        metres.push_back(VerticalSpeedDial::TickLabel(k, 5.0));
    }
    EXPECT_EQ(feet, (std::vector<std::string>{"0", "5", "10", "15", "20"}));
    EXPECT_EQ(metres, (std::vector<std::string>{"0", "1.25", "2.5", "3.75", "5"}));
}

TEST(GaugeDialsTest, CompassCardTurnsAndTheNeedlePointsToTheBearing)
{
    EXPECT_DOUBLE_EQ(CompassDial::CardAngle(0, 90), 270);
    EXPECT_DOUBLE_EQ(CompassDial::CardAngle(90, 90), 0);
    EXPECT_DOUBLE_EQ(CompassDial::NeedleAngle(45, 350), 55);

    const DialGeometry dial({0, 0, 250, 250});
    DrawList list;
    CompassDial::Draw(dial, 90, 0, GaugeColours{}, list);
    // Heading east: north stands at the left, and the red head's tip (41
    // units out) points there.
    for (const Text* t : list.All<Text>()) {
        if (t->text == "N") {
            EXPECT_EQ(t->anchor, dial.At(52, 270));
        }
    }
    const double unit = dial.Side() * 0.008;
    EXPECT_TRUE(HasPolygonWithPoint(list, dial.Turned(0, -41, unit, 270)));
    EXPECT_LT(dial.Turned(0, -41, unit, 270).x, dial.Centre().x - 50);
}

TEST(GaugeDialsTest, NoNeedleOrTickLeavesItsDial)
{
    for (const ScreenRect& rect :
         {ScreenRect{0, 0, 120, 90}, ScreenRect{5, 7, 405, 300}, ScreenRect{0, 0, 61, 61}}) {
        const DialGeometry dial(rect);
        for (double v : {-12345.0, -1.0, 0.0, 37.0, 149.9, 151.0, 99999.0}) {
            DrawList list;
            AltimeterDial::Draw(dial, v, "ft", GaugeColours{}, FixedMeasure, list);
            SpeedometerDial::Draw(dial, v, 150, "mph", GaugeColours{}, FixedMeasure, list);
            VerticalSpeedDial::Draw(dial, v, 2000, "ft/min", GaugeColours{}, FixedMeasure, list);
            CompassDial::Draw(dial, v, v / 3, GaugeColours{}, list);
            ExpectInsideDial(list, dial);
        }
    }
}

// The rectangle a centred text covers, as the measure gives it.
ScreenRect CentredTextBox(const Text& t, const TextMeasure& measure)
{
    const TextExtent e = measure(t.text, t.font);
    const int left = t.anchor.x - e.width / 2, top = t.anchor.y - e.height / 2;
    return {left, top, left + e.width, top + e.height};
}

// The readout box: the one four-cornered shape filled in the face colour.
ScreenRect ReadoutBoxOf(const DrawList& list, Colour face)
{
    for (const Polygon* poly : list.All<Polygon>())
        if (poly->points.size() == 4 && poly->brush.colour == face)
            return {poly->points[0].x, poly->points[0].y, poly->points[2].x, poly->points[2].y};
    return {};
}

TEST(GaugeDialsTest, ReadoutsStayClearOfTheScaleNumbersInEveryArrangement)
{
    // The gauge page's client in the two window sizes; all four dials at
    // once with the strip, and each alone.
    const ScreenRect clients[] = {{0, 0, 480, 583}, {0, 0, 800, 423}};
    GaugeColours colours;
    colours.face = Rgb(250, 250, 240);
    for (bool together : {true, false}) {
        MemorySettingsStore settings;
        for (const char* name : {gauge_setting::kAltimeter, gauge_setting::kSpeedometer,
                                 gauge_setting::kVerticalSpeed})
            settings.SetInt(section::kPanel, name, 1);
        settings.SetInt(section::kPanel, gauge_setting::kCycle, together ? 0 : 1);
        GaugePanelModel model;
        model.Load(settings);
        for (const ScreenRect& client : clients) {
            const GaugePanelRects rects = model.Layout(client);
            for (int code : {kSpeedometerGauge, kAltimeterGauge}) {
                for (const char* unit : {"km/h", "mph", "m", "ft"}) {
                    const DialGeometry dial(rects.gauges[static_cast<size_t>(code)]);
                    DrawList list;
                    if (code == kSpeedometerGauge)
                        SpeedometerDial::Draw(dial, 12.5, 150, unit, colours, FixedMeasure, list);
                    else
                        AltimeterDial::Draw(dial, 212.5, unit, colours, FixedMeasure, list);
                    const ScreenRect box = ReadoutBoxOf(list, colours.face);
                    ASSERT_GT(box.Width(), 0);
                    int scaleLabels = 0;
                    for (const Text* t : list.All<Text>()) {
                        if (t->font.pointSize != dial.LargeFont().pointSize || t->text == "速度" ||
                            t->text == "ALT")
                            continue;
                        ++scaleLabels;
                        EXPECT_FALSE(box.Intersects(CentredTextBox(*t, FixedMeasure)))
                            << "gauge " << code << " " << unit << " on " << client.Width() << "x"
                            << client.Height() << (together ? " 2x2" : " alone")
                            << ": the readout touches \"" << t->text << "\"";
                    }
                    EXPECT_EQ(scaleLabels, 10);
                }
            }
        }
    }
    // The one-digit scale leaves room: the readout keeps its own font.
    const DialGeometry large({0, 0, 400, 400});
    const std::string digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    EXPECT_EQ(large.ReadoutFontClearOf("-00000.00 m", digits, FixedMeasure).pointSize,
              large.ReadoutFont().pointSize);
}

// Sweeping the altitude and the speed over the dials in every window size:
// the captions "ALT" and "速度" are never crossed by a hand, a tick or the
// readout, nor run into another text, and stay on the face.
TEST(GaugeDialsTest, CaptionsStepAsideFromTheHandsAtEveryValue)
{
    const ScreenRect clients[] = {{0, 0, 480, 583}, {0, 0, 800, 423}, {0, 0, 1920, 1023}};
    for (bool together : {true, false}) {
        MemorySettingsStore settings;
        for (const char* name : {gauge_setting::kAltimeter, gauge_setting::kSpeedometer,
                                 gauge_setting::kVerticalSpeed})
            settings.SetInt(section::kPanel, name, 1);
        settings.SetInt(section::kPanel, gauge_setting::kCycle, together ? 0 : 1);
        GaugePanelModel model;
        model.Load(settings);
        for (const ScreenRect& client : clients) {
            const GaugePanelRects rects = model.Layout(client);
            for (int code : {kSpeedometerGauge, kAltimeterGauge}) {
                const DialGeometry dial(rects.gauges[static_cast<size_t>(code)]);
                const std::string caption = code == kSpeedometerGauge ? "速度" : "ALT";
                for (int step = 0; step < 400; ++step) {
                    DrawList list;
                    const double value = code == kSpeedometerGauge ? step * 0.37 : step * 13.7;
                    if (code == kSpeedometerGauge)
                        SpeedometerDial::Draw(dial, value, 150, "km/h", GaugeColours{},
                                              FixedMeasure, list);
                    else
                        AltimeterDial::Draw(dial, value, "m", GaugeColours{}, FixedMeasure, list);
                    ScreenRect box;
                    std::vector<ScreenRect> others;
                    for (const Text* t : list.All<Text>())
                        (t->text == caption ? box : others.emplace_back()) =
                            CentredTextBox(*t, FixedMeasure);
                    const auto where = [&] {
                        return caption + " at " + std::to_string(value) + " on " +
                               std::to_string(client.Width()) + "x" +
                               std::to_string(client.Height()) + (together ? " 2x2" : " alone");
                    };
                    ASSERT_GT(box.Width(), 0) << where();
                    std::vector<TextObstacle> lines = DialGeometry::LinesOf(list);
                    ASSERT_TRUE(ClearOf(box, lines, 0)) << where();
                    for (const ScreenRect& other : others)
                        ASSERT_FALSE(box.Intersects(other)) << where();
                    const ScreenPoint c = dial.Centre();
                    for (ScreenPoint corner :
                         {ScreenPoint{box.left, box.top}, ScreenPoint{box.right, box.bottom},
                          ScreenPoint{box.left, box.bottom}, ScreenPoint{box.right, box.top}})
                        ASSERT_LT(std::hypot(corner.x - c.x, corner.y - c.y), dial.Side() / 2.0)
                            << where();
                }
            }
        }
    }
}

// The vertical-speed numbers ("1.25 2.5 3.75" in metres a second) neither
// run into each other nor into the ticks, the caption, the unit or the "上"
// and "Dn" marks, in either unit, every window size and arrangement.
TEST(GaugeDialsTest, VerticalSpeedNumbersStayApartInEveryWindow)
{
    const ScreenRect clients[] = {{0, 0, 480, 583}, {0, 0, 800, 423}, {0, 0, 1920, 1023}};
    for (bool together : {true, false}) {
        MemorySettingsStore settings;
        settings.SetInt(section::kPanel, gauge_setting::kVerticalSpeed, 1);
        settings.SetInt(section::kPanel, gauge_setting::kAltimeter, 1);
        settings.SetInt(section::kPanel, gauge_setting::kCycle, together ? 0 : 1);
        GaugePanelModel model;
        model.Load(settings);
        for (const ScreenRect& client : clients) {
            const DialGeometry dial(model.Layout(client).gauges[kVerticalGauge]);
            for (double full : {5.0, 2000.0}) {
                DrawList list;
                VerticalSpeedDial::Draw(dial, 1.0, full, full < 10 ? "m/s" : "ft/min",
                                        GaugeColours{}, FixedMeasure, list);
                // The scale's numbers come first, then the caption, the unit
                // and the marks.
                std::vector<ScreenRect> numbers, marks;
                for (const Text* t : list.All<Text>())
                    (numbers.size() < 9 ? numbers : marks)
                        .push_back(CentredTextBox(*t, FixedMeasure));
                // Moved inward rather than shrunk to nothing: readable.
                EXPECT_GE(-list.All<Text>()[0]->font.pointSize, 9);
                std::vector<TextObstacle> ticks;
                for (const Polyline* line : list.All<Polyline>())
                    if (line->points.size() == 2 && line->points[0] != dial.Centre())
                        ticks.push_back(
                            TextObstacle::Line(line->points[0], line->points[1], line->pen.width));
                const std::string where = std::to_string(client.Width()) + "x" +
                                          std::to_string(client.Height()) +
                                          (together ? " 2x2 " : " alone ") + std::to_string(full);
                for (size_t i = 0; i < numbers.size(); ++i) {
                    EXPECT_TRUE(ClearOf(numbers[i], ticks, 0)) << where << " number " << i;
                    for (size_t j = i + 1; j < numbers.size(); ++j)
                        EXPECT_FALSE(numbers[i].Intersects(numbers[j]))
                            << where << " numbers " << i << " " << j;
                    for (const ScreenRect& m : marks)
                        EXPECT_FALSE(numbers[i].Intersects(m)) << where << " number " << i;
                }
            }
        }
    }
}

TEST(GaugeDialsTest, SpeedometerReadoutStaysReadableWhereTheFullSizingWouldCrowdTheScale)
{
    std::string labels[10], digits[10];
    for (int i = 0; i < 10; ++i) {
        labels[i] = SpeedometerDial::TickLabel(i, 150);
        digits[i] = SpeedometerDial::TickLabel(i, 10);
    }
    // One-digit numbers leave room for the box the altimeter uses too.
    const DialGeometry alone({0, 0, 400, 400});
    EXPECT_EQ(SpeedometerDial::ReadoutSizing(alone, 10, "kt", digits, FixedMeasure),
              "-00000.00 kt");
    EXPECT_EQ(SpeedometerDial::ReadoutSizing(alone, 150, "km/h", labels, FixedMeasure),
              "000.00 km/h");
    // A quarter of a 480-pixel page: sized to the scale's speeds, never
    // fewer than three whole digits.
    const DialGeometry quarter({0, 0, 240, 238});
    EXPECT_EQ(SpeedometerDial::ReadoutSizing(quarter, 150, "km/h", labels, FixedMeasure),
              "000.00 km/h");
    EXPECT_EQ(SpeedometerDial::ReadoutSizing(quarter, 10, "km/h", labels, FixedMeasure),
              "000.00 km/h");
    EXPECT_EQ(SpeedometerDial::ReadoutSizing(quarter, 2000, "km/h", labels, FixedMeasure),
              "0000.00 km/h");
    EXPECT_EQ(SpeedometerDial::ReadoutSizing(quarter, NAN, "km/h", labels, FixedMeasure),
              "000.00 km/h");

    DrawList list;
    SpeedometerDial::Draw(quarter, 12.5, 150, "km/h", GaugeColours{}, FixedMeasure, list);
    const Text* readout = nullptr;
    for (const Text* t : list.All<Text>())
        if (t->text == "12.50 km/h")
            readout = t;
    ASSERT_NE(readout, nullptr);
    // No smaller than the dial's small font (pixel heights are negative).
    EXPECT_LE(readout->font.pointSize, quarter.SmallFont().pointSize);
}

TEST(GaugePanelModelTest, DefaultsAndStoredTogglesSurviveALoad)
{
    MemorySettingsStore settings;
    GaugePanelModel model;
    model.Load(settings);
    EXPECT_TRUE(model.Cycling());
    EXPECT_TRUE(model.ShowNav());
    EXPECT_FALSE(model.SmoothingOn());
    EXPECT_DOUBLE_EQ(model.MaxSpeed(), 150);
    EXPECT_EQ(model.CycleList(), std::vector<int>{kCompassGauge});
    EXPECT_NEAR(model.FilterAlpha(), std::exp(-0.2), 1e-12);

    // The only gauge cannot be switched off.
    EXPECT_FALSE(model.CanToggle(kCompassGauge));
    EXPECT_FALSE(model.ToggleGauge(kCompassGauge, settings));
    EXPECT_FALSE(settings.Contains(section::kPanel, gauge_setting::kCompass));

    EXPECT_TRUE(model.ToggleGauge(kVerticalGauge, settings));
    EXPECT_TRUE(model.ToggleGauge(kAltimeterGauge, settings));
    EXPECT_TRUE(model.CanToggle(kCompassGauge));
    model.ToggleCycle(settings);
    model.ToggleSmoothing(settings);
    EXPECT_FALSE(model.SetMaxSpeed(0, settings));
    EXPECT_TRUE(model.SetMaxSpeed(20, settings));

    GaugePanelModel again;
    again.Load(settings);
    EXPECT_EQ(again.CycleList(),
              (std::vector<int>{kCompassGauge, kAltimeterGauge, kVerticalGauge}));
    EXPECT_FALSE(again.Cycling());
    EXPECT_TRUE(again.SmoothingOn());
    EXPECT_DOUBLE_EQ(again.MaxSpeed(), 20);
    EXPECT_EQ(again.ShownCount(), 3);
}

TEST(GaugePanelModelTest, CycleShowsEachEnabledGaugeFourSecondsInOrder)
{
    MemorySettingsStore settings;
    settings.SetInt(section::kPanel, gauge_setting::kAltimeter, 1);
    settings.SetInt(section::kPanel, gauge_setting::kSpeedometer, 1);
    GaugePanelModel model;
    model.Load(settings);
    std::vector<int> shown;
    for (int second = 0; second < 13; ++second) {
        shown.push_back(model.CurrentGauge());
        model.SecondTick({}, true);
    }
    const int c = kCompassGauge, a = kAltimeterGauge, s = kSpeedometerGauge;
    EXPECT_EQ(shown, (std::vector<int>{c, c, c, c, a, a, a, a, s, s, s, s, c}));
    EXPECT_EQ(model.GaugesToDraw(), std::vector<int>{c});

    // Switching the shown gauge off keeps the cycle on a gauge that is on.
    model.ToggleGauge(kCompassGauge, settings);
    EXPECT_NE(model.CurrentGauge(), c);
    EXPECT_EQ(model.CycleList(), (std::vector<int>{a, s}));
}

TEST(GaugePanelModelTest, SmoothingRunsOnlyForOneGaugeOnAShownPage)
{
    MemorySettingsStore settings;
    settings.SetInt(section::kPanel, gauge_setting::kSmoothing, 1);
    settings.SetInt(section::kPanel, gauge_setting::kAltimeter, 1);
    GaugePanelModel model;
    model.Load(settings);
    using S = GaugePanelModel::Smoothing;
    EXPECT_EQ(model.SmoothingState(true), S::Running);
    EXPECT_EQ(model.SmoothingState(false), S::Suspended);
    model.ToggleCycle(settings); // two gauges at once
    EXPECT_EQ(model.SmoothingState(true), S::Suspended);
    model.ToggleSmoothing(settings);
    EXPECT_EQ(model.SmoothingState(true), S::Off);

    // Suspended or off, the second's tick copies the readings unchanged.
    GaugeReadings r{812.5, 3.25, -40, 123.4};
    model.SecondTick(r, true);
    EXPECT_DOUBLE_EQ(model.Altitude(), 812.5);
    EXPECT_DOUBLE_EQ(model.Speed(), 3.25);
    EXPECT_DOUBLE_EQ(model.VerticalSpeed(), -40);
    EXPECT_DOUBLE_EQ(model.Heading(), 123.4);
}

TEST(GaugePanelModelTest, SmoothedValuesApproachTheReadingsAndTurnTheShortWay)
{
    GaugePanelModel model;
    model.CopyValues({100, 0, 0, 350});
    const double alpha = std::exp(-0.2);
    model.SmoothingTick({200, 10, 60, 10});
    EXPECT_NEAR(model.Altitude(), 100 * alpha + 200 * (1 - alpha), 1e-9);
    EXPECT_NEAR(model.Speed(), 10 * (1 - alpha), 1e-9);
    EXPECT_NEAR(model.Heading(), 354, 1e-9);

    for (int i = 0; i < 60; ++i) {
        model.SmoothingTick({200, 10, 60, 10});
        // Through 0, never back past 180.
        EXPECT_TRUE(model.Heading() >= 350 || model.Heading() <= 10) << model.Heading();
    }
    EXPECT_NEAR(model.Heading(), 10, 0.05);
    EXPECT_NEAR(model.Altitude(), 200, 0.01);
}

TEST(GaugePanelModelTest, LayoutOfStripAndGauges)
{
    MemorySettingsStore settings;
    GaugePanelModel model;
    model.Load(settings);
    // Upright: the strip is the bottom band, W × 2 / 9 high.
    GaugePanelRects r = model.Layout({0, 0, 240, 268});
    EXPECT_EQ(r.strip, (ScreenRect{0, 215, 240, 268}));
    EXPECT_EQ(r.stripRows, 1);
    EXPECT_EQ(r.stripColumns, 3);
    EXPECT_EQ(r.gauges[kCompassGauge], (ScreenRect{0, 0, 240, 215}));
    // Wide: the right quarter, three cells stacked.
    r = model.Layout({0, 0, 320, 240});
    EXPECT_EQ(r.strip, (ScreenRect{240, 0, 320, 240}));
    EXPECT_EQ(r.stripRows, 3);
    EXPECT_EQ(r.stripColumns, 1);

    // All four at once, without the strip: the quadrants.
    for (const char* name :
         {gauge_setting::kAltimeter, gauge_setting::kSpeedometer, gauge_setting::kVerticalSpeed})
        settings.SetInt(section::kPanel, name, 1);
    settings.SetInt(section::kPanel, gauge_setting::kCycle, 0);
    settings.SetInt(section::kPanel, gauge_setting::kShowNav, 0);
    model.Load(settings);
    r = model.Layout({0, 0, 400, 300});
    EXPECT_EQ(r.strip, ScreenRect{});
    EXPECT_EQ(r.gauges[kSpeedometerGauge], (ScreenRect{0, 0, 200, 150}));
    EXPECT_EQ(r.gauges[kAltimeterGauge], (ScreenRect{200, 0, 400, 150}));
    EXPECT_EQ(r.gauges[kCompassGauge], (ScreenRect{0, 150, 200, 300}));
    EXPECT_EQ(r.gauges[kVerticalGauge], (ScreenRect{200, 150, 400, 300}));
    EXPECT_EQ(model.GaugesToDraw().size(), 4u);
}

TEST(GaugePanelModelTest, NoGaugeEnabledDrawsNothing)
{
    MemorySettingsStore settings;
    settings.SetInt(section::kPanel, gauge_setting::kCompass, 0);
    GaugePanelModel model;
    model.Load(settings);
    EXPECT_TRUE(model.CycleList().empty());
    EXPECT_EQ(model.CurrentGauge(), -1);
    EXPECT_TRUE(model.GaugesToDraw().empty());
    model.SecondTick({}, true); // nothing to advance
    EXPECT_TRUE(model.CanToggle(kCompassGauge));
}

} // namespace
} // namespace hw
