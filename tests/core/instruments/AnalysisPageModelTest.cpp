#include "instruments/AnalysisPageModel.h"
#include "base/Colour.h"
#include "base/MemorySettingsStore.h"
#include "units/UnitFormatter.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using analysis_cmd::kCurveFirst;
using analysis_cmd::kLayout1x1;

TEST(AnalysisPageModelTest, AreasOfEachLayout)
{
    const ScreenRect c{0, 0, 800, 451};
    using V = std::vector<ScreenRect>;
    EXPECT_EQ(AnalysisPageModel::Areas(0, c), V{c});
    EXPECT_EQ(AnalysisPageModel::Areas(1, c), (V{{0, 0, 800, 225}, {0, 225, 800, 451}}));
    // Three bands of a third; the last reaches the bottom.
    EXPECT_EQ(AnalysisPageModel::Areas(2, c),
              (V{{0, 0, 800, 150}, {0, 150, 800, 300}, {0, 300, 800, 451}}));
    EXPECT_EQ(AnalysisPageModel::Areas(3, c), (V{{0, 0, 400, 451}, {400, 0, 800, 451}}));
    EXPECT_EQ(AnalysisPageModel::Areas(4, c),
              (V{{0, 0, 400, 225}, {400, 0, 800, 225}, {0, 225, 400, 451}, {400, 225, 800, 451}}));

    EXPECT_EQ(AnalysisPageModel::AreaAt(4, c, {600, 400}), 3);
    EXPECT_EQ(AnalysisPageModel::AreaAt(4, c, {100, 400}), 2);
    EXPECT_EQ(AnalysisPageModel::AreaAt(2, c, {5, 449}), 2);
    EXPECT_EQ(AnalysisPageModel::AreaAt(0, c, {799, 450}), 0);
    EXPECT_EQ(AnalysisPageModel::AreaAt(3, c, {400, 10}), 1);
}

TEST(AnalysisPageModelTest, SettingsAndTheirDefaults)
{
    MemorySettingsStore settings;
    AnalysisPageModel model;
    model.Load(settings);
    EXPECT_EQ(model.Layout(), 1);
    EXPECT_EQ(model.AreaCount(), 2);
    EXPECT_EQ(model.CurveOfArea(0), kSpeedCurve);
    EXPECT_EQ(model.CurveOfArea(1), kAccelerationCurve);
    EXPECT_EQ(model.CurveOfArea(2), kAltitudeCurve);
    EXPECT_EQ(model.CurveOfArea(3), kVerticalSpeedCurve);
    EXPECT_EQ(model.Chart(kSpeedCurve).Top(), 10);
    EXPECT_EQ(model.Chart(kAccelerationCurve).Bottom(), -1);
    EXPECT_EQ(model.Chart(kAltitudeCurve).Style().title, "海拔");

    // Stored values outside their range fall back to the defaults.
    settings.SetInt(section::kAnalysis, analysis_setting::kScreenLayout, 9);
    settings.SetInt(section::kAnalysis, "曲线类型 2", -1);
    settings.SetInt(section::kAnalysis, "曲线类型 3", kTrackErrorCurve);
    model.Load(settings);
    EXPECT_EQ(model.Layout(), 1);
    EXPECT_EQ(model.CurveOfArea(2), kAltitudeCurve);
    EXPECT_EQ(model.CurveOfArea(3), kTrackErrorCurve);
}

TEST(AnalysisPageModelTest, ChartsHoldTwentyThousandAndDropTheOldest)
{
    MemorySettingsStore settings;
    const UnitFormatter units(settings);
    AnalysisPageModel model;
    for (int i = 0; i < 20000; ++i)
        model.OnRmc(i, units);
    const KORVPlotModel& chart = model.Chart(kAccelerationCurve);
    EXPECT_EQ(chart.Stored(), 20000u);
    EXPECT_EQ(chart.Sample(19999), 0);
    model.OnRmc(20000, units);
    EXPECT_EQ(chart.Stored(), 20000u);
    EXPECT_EQ(chart.Total(), 20001u);
    EXPECT_EQ(chart.Sample(0), 20000);
    EXPECT_EQ(chart.Sample(19999), 1); // sample 0 is gone
}

TEST(AnalysisPageModelTest, FixesFeedTheirChartsWithUnitsInTheTitles)
{
    MemorySettingsStore settings;
    settings.SetInt(section::kSettings, unit_setting::kDistanceSpeed, 2); // metric
    const UnitFormatter units(settings);
    AnalysisPageModel model;
    model.Load(settings);
    model.Sampler().SetMode(AltitudeSampler::EveryFix);
    AnalysisFixSample s;
    s.speedKnots = 3;
    s.altitudeMetres = 250;
    s.verticalSpeed = 12;
    s.trackErrorRadians = 1e-6;
    s.position = GeoPoint::FromDegrees(22.25, 114.2);
    model.OnGga(s, units);
    EXPECT_EQ(model.Chart(kSpeedCurve).Last(), 3);
    EXPECT_DOUBLE_EQ(model.Chart(kSpeedCurve).Style().verticalFactor, units.SpeedFactor());
    EXPECT_EQ(model.Chart(kSpeedCurve).Style().title, "速度 (" + units.SpeedUnitLabel() + ")");
    EXPECT_EQ(model.Chart(kAltitudeCurve).Last(), 250);
    EXPECT_EQ(model.Chart(kVerticalSpeedCurve).Last(), 12);
    // Radians to statute miles.
    EXPECT_NEAR(model.Chart(kTrackErrorCurve).Last(),
                1e-6 * 3437.7467707849396 * 1.852 * 0.621371192237, 1e-15);
    EXPECT_EQ(model.Chart(kAccelerationCurve).Total(), 0u);

    // By distance, the first fix only sets the position.
    AnalysisPageModel byDistance;
    byDistance.Load(MemorySettingsStore{});
    byDistance.OnGga(s, units);
    EXPECT_EQ(byDistance.Chart(kAltitudeCurve).Total(), 0u);
    EXPECT_EQ(byDistance.Chart(kSpeedCurve).Total(), 1u);
}

TEST(AnalysisPageModelTest, TappedAreaDecidesTheMenuItems)
{
    MemorySettingsStore settings;
    AnalysisPageModel model;
    model.Load(settings);
    ASSERT_EQ(model.Handle(kLayout1x1 + 4, 0, settings), AnalysisPageModel::Outcome::Done);
    EXPECT_EQ(settings.GetInt(section::kAnalysis, "屏幕配置", -1), 4);

    AnalysisPageModel::CommandState state;
    ASSERT_TRUE(model.Query(kLayout1x1 + 4, 2, state));
    EXPECT_TRUE(state.checked);
    ASSERT_TRUE(model.Query(kLayout1x1, 2, state));
    EXPECT_FALSE(state.checked);

    // Area 2 shows the altitude: its item is checked, properties enabled.
    ASSERT_TRUE(model.Query(kCurveFirst + kAltitudeCurve, 2, state));
    EXPECT_TRUE(state.checked);
    ASSERT_TRUE(model.Query(analysis_cmd::kProperties, 2, state));
    EXPECT_TRUE(state.enabled);
    EXPECT_EQ(model.Handle(analysis_cmd::kProperties, 2, settings),
              AnalysisPageModel::Outcome::OpenAltitudeSettings);
    // Area 0 shows the speed: properties disabled and not opened.
    ASSERT_TRUE(model.Query(analysis_cmd::kProperties, 0, state));
    EXPECT_FALSE(state.enabled);
    EXPECT_EQ(model.Handle(analysis_cmd::kProperties, 0, settings),
              AnalysisPageModel::Outcome::Done);

    // Choosing a curve for area 3 stores it under that area only.
    model.Handle(kCurveFirst + kTrackErrorCurve, 3, settings);
    EXPECT_EQ(model.CurveOfArea(3), kTrackErrorCurve);
    EXPECT_EQ(settings.GetInt(section::kAnalysis, "曲线类型 3", -1), kTrackErrorCurve);
    EXPECT_FALSE(settings.Contains(section::kAnalysis, "曲线类型 0"));
    EXPECT_FALSE(model.Query(12345, 0, state));
    EXPECT_EQ(model.Handle(12345, 0, settings), AnalysisPageModel::Outcome::NotMine);
}

TEST(AnalysisPageModelTest, ClearingAndZoomReachTheRightCharts)
{
    MemorySettingsStore settings;
    const UnitFormatter units(settings);
    AnalysisPageModel model;
    model.Load(settings);
    AnalysisFixSample s;
    s.speedKnots = 5;
    model.OnGga(s, units);
    model.OnRmc(0.5, units);
    model.Handle(analysis_cmd::kClearCurve, 1, settings); // area 1: acceleration
    EXPECT_EQ(model.Chart(kAccelerationCurve).Total(), 0u);
    EXPECT_EQ(model.Chart(kSpeedCurve).Total(), 1u);
    model.Handle(analysis_cmd::kClearAll, 0, settings);
    EXPECT_EQ(model.Chart(kSpeedCurve).Total(), 0u);

    model.ZoomOut();
    EXPECT_DOUBLE_EQ(model.Zoom(), 2);
    for (int c = 0; c < AnalysisPageModel::kCurves; ++c)
        EXPECT_DOUBLE_EQ(model.Chart(c).Style().horizontalZoom, 2);
    // With zoom 2 a 200-pixel plot shows 400 samples.
    EXPECT_EQ(model.Chart(kSpeedCurve).VisibleSamples(200), 400);
    model.ZoomIn();
    model.ZoomIn();
    EXPECT_DOUBLE_EQ(model.Zoom(), 0.5);
}

TEST(AnalysisPageModelTest, FramesLightenOutwardAroundEachChart)
{
    MemorySettingsStore settings;
    AnalysisPageModel model;
    model.Load(settings);
    DrawList list;
    const std::vector<ScreenRect> charts = model.DrawFrames({0, 0, 400, 300}, Rgb(0, 0, 255), list);
    ASSERT_EQ(charts.size(), 2u);
    EXPECT_EQ(charts[0], (ScreenRect{5, 5, 395, 145}));
    EXPECT_EQ(charts[1], (ScreenRect{5, 155, 395, 295}));
    const std::vector<const Polygon*> frames = list.All<Polygon>();
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames[0]->pen.colour, WithLightness(Rgb(0, 0, 255), 0.96));
    EXPECT_EQ(frames[4]->pen.colour, WithLightness(Rgb(0, 0, 255), 0.80));
}

TEST(AnalysisPageModelTest, EachFixGivesOneSample)
{
    MemorySettingsStore settings;
    settings.SetInt(section::kAnalysis, "海拔采样模式", 0);
    const UnitFormatter units(settings);
    AnalysisPageModel model;
    model.Load(settings);
    model.ConfigureAltitude(units);
    GpsFix fix;
    fix.ggaCount = 1;
    fix.altitude = 10;
    fix.rmcCount = 1; // the acceleration comes from the RMC notices alone
    model.OnFix(fix, 0.001, units);
    EXPECT_EQ(model.Chart(kAltitudeCurve).Total(), 1u);
    EXPECT_EQ(model.Chart(kSpeedCurve).Total(), 1u);
    EXPECT_EQ(model.Chart(kAccelerationCurve).Total(), 0u);
    EXPECT_NEAR(model.Chart(kTrackErrorCurve).Last(),
                0.001 * 3437.7467707849396 * 1.852 * 0.621371192237, 1e-9);
    // The cleared fix of a reset is no sample.
    model.OnFix(GpsFix{}, 0, units);
    EXPECT_EQ(model.Chart(kSpeedCurve).Total(), 1u);
}

} // namespace
} // namespace hw
