#include "instruments/AltitudeProfile.h"
#include "base/MemorySettingsStore.h"
#include "geo/SphericalGeometry.h"
#include "instruments/AltitudeSampler.h"
#include "instruments/KORVPlotModel.h"
#include "units/UnitFormatter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hw {
namespace {

class AltitudeProfileTest : public ::testing::Test {
protected:
    AltitudeProfileTest() { store.SetInt(section::kSettings, unit_setting::kAltitude, 1); }

    // The silhouette's columns as (x, top y).
    std::vector<ScreenPoint> Columns(const DrawList& list)
    {
        std::vector<ScreenPoint> tops;
        for (const Polyline* p : list.All<Polyline>())
            tops.push_back(p->points[0]);
        return tops;
    }

    MemorySettingsStore store;
    UnitFormatter units{store};
    AltitudeProfile profile;
};

TEST_F(AltitudeProfileTest, The4097thPushOverwritesTheOldest)
{
    for (int i = 0; i < 4097; ++i)
        profile.Push(i);
    EXPECT_EQ(profile.WriteIndex(), 1u);
    EXPECT_EQ(profile.Sample(0), 4096);
    EXPECT_EQ(profile.Sample(4095), 1);
    EXPECT_EQ(profile.Maximum(), 4096);
    EXPECT_EQ(profile.Minimum(), 0);
    profile.Clear();
    EXPECT_EQ(profile.WriteIndex(), 0u);
    EXPECT_EQ(profile.Sample(0), 0);
    EXPECT_EQ(profile.Maximum(), AltitudeProfile::kEmptyMaximum);
}

TEST_F(AltitudeProfileTest, EqualMaximumAndMinimumDrawAFlatLineAtMidHeight)
{
    profile.Push(412.5);
    EXPECT_EQ(profile.Maximum(), 412.5f);
    EXPECT_EQ(profile.Minimum(), 412.5f);
    DrawList list;
    profile.Draw({0, 0, 50, 41}, units, list);
    std::vector<ScreenPoint> tops = Columns(list);
    ASSERT_EQ(tops.size(), 50u);
    for (ScreenPoint p : tops)
        EXPECT_EQ(p.y, 40 - 41 / 2);
    auto texts = list.All<Text>();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text.rfind("412.50 ", 0), 0u) << texts[0]->text;
    EXPECT_EQ(texts[0]->anchor, (ScreenPoint{3, 3}));
    EXPECT_EQ(texts[1]->anchor, (ScreenPoint{3, 38}));
    // An empty profile shows a blank sheet, not a million metres.
    profile.Clear();
    DrawList empty;
    profile.Draw({0, 0, 50, 41}, units, empty);
    EXPECT_TRUE(empty.All<Text>().empty());
}

TEST_F(AltitudeProfileTest, PaintingNarrowsTheRangeButEmptySlotsNeverLowerIt)
{
    profile.Push(100);
    profile.Push(200);
    profile.Push(150);
    DrawList list;
    profile.Draw({0, 0, 100, 101}, units, list); // wider than the samples
    EXPECT_EQ(profile.Minimum(), 100);
    EXPECT_EQ(profile.Maximum(), 200);
    std::vector<ScreenPoint> tops = Columns(list);
    EXPECT_EQ(tops[0], (ScreenPoint{99, 100 - 50}));
    EXPECT_EQ(tops[1], (ScreenPoint{98, 0}));
    EXPECT_EQ(tops[2], (ScreenPoint{97, 100}));

    // Only the two newest on screen: the range narrows to them.
    DrawList narrow;
    profile.Draw({0, 0, 2, 101}, units, narrow);
    EXPECT_EQ(profile.Maximum(), 200);
    EXPECT_EQ(profile.Minimum(), 150);
    // A push outside widens it at once.
    profile.Push(90);
    EXPECT_EQ(profile.Minimum(), 90);
    // No number reaches the screen from a missing altitude.
    profile.Push(std::nan(""));
    EXPECT_EQ(profile.Sample(0), 0);
}

TEST(AltitudeSamplerTest, ThresholdOfZeroOrBelowIsRefusedAndThePreviousKept)
{
    MemorySettingsStore store;
    AltitudeSampler sampler;
    sampler.Load(store);
    EXPECT_EQ(sampler.Mode(), AltitudeSampler::ByDistance);
    EXPECT_DOUBLE_EQ(sampler.ThresholdKm(), 0.01609344);
    EXPECT_TRUE(sampler.Store(store, 1, 0.5));
    EXPECT_EQ(store.GetText(section::kAnalysis, analysis_setting::kSamplingDistance, ""),
              "0.500000000000");
    for (double bad : {0.0, -1.0, std::nan("")}) {
        EXPECT_FALSE(sampler.Store(store, 0, bad));
        EXPECT_EQ(sampler.ThresholdKm(), 0.5);
        EXPECT_EQ(sampler.Mode(), AltitudeSampler::ByDistance);
    }
    EXPECT_EQ(store.GetText(section::kAnalysis, analysis_setting::kSamplingDistance, ""),
              "0.500000000000");
    // A stored bad value reads as the default.
    store.SetText(section::kAnalysis, analysis_setting::kSamplingDistance, "0");
    sampler.Load(store);
    EXPECT_DOUBLE_EQ(sampler.ThresholdKm(), 0.01609344);
}

TEST(AltitudeSamplerTest, DistanceModeSamplesAfterTheThresholdFromTheFirstFix)
{
    AltitudeSampler sampler;
    ASSERT_TRUE(sampler.SetThresholdKm(0.1));
    GeoPoint start = GeoPoint::FromDegrees(46.5, 7.9);
    KORVPlotModel chart(20000);
    // The first fix only sets the last position: the jump from the zero
    // position resets the sum.
    sampler.Feed(start, 1000, chart);
    EXPECT_EQ(chart.Total(), 0u);
    sampler.Feed(ProjectPoint(start, 0.06, 0), 1001, chart);
    EXPECT_EQ(chart.Total(), 0u);
    sampler.Feed(ProjectPoint(start, 0.12, 0), 1002, chart);
    EXPECT_EQ(chart.Total(), 1u);
    EXPECT_EQ(chart.Last(), 1002);
    // 0.35 km in one step gives three samples (and 0.07 km carried on).
    sampler.Feed(ProjectPoint(start, 0.47, 0), 1003, chart);
    EXPECT_EQ(chart.Total(), 4u);
    EXPECT_NEAR(sampler.AccumulatedKm(), 0.07, 1e-3);
    // A jump of more than a mile gives nothing and starts counting afresh.
    sampler.Feed(ProjectPoint(start, 5, 0), 1004, chart);
    EXPECT_EQ(chart.Total(), 4u);
    EXPECT_EQ(sampler.AccumulatedKm(), 0);

    // The smallest threshold cannot stall a fix.
    ASSERT_TRUE(sampler.SetThresholdKm(1e-300));
    EXPECT_EQ(sampler.Offer(ProjectPoint(start, 5.5, 0)), AltitudeSampler::kMaxSamplesPerFix);

    sampler.SetMode(AltitudeSampler::EveryFix);
    EXPECT_EQ(sampler.Offer(start), 1);
    EXPECT_EQ(sampler.Offer(start), 1);
}

TEST(AltitudeSamplerTest, TheChartAxisFollowsTheMode)
{
    MemorySettingsStore store;
    store.SetInt(section::kSettings, unit_setting::kDistanceSpeed, 2);
    store.SetInt(section::kSettings, unit_setting::kAltitude, 1);
    UnitFormatter units(store);
    AltitudeSampler sampler;
    ASSERT_TRUE(sampler.SetThresholdKm(0.25));
    KORVPlotModel chart(100);
    sampler.ConfigureChart(chart, units);
    EXPECT_EQ(chart.Style().horizontalLabelUnit, units.LargeDistanceUnitLabel());
    EXPECT_DOUBLE_EQ(chart.Style().horizontalLabelFactor, 0.25);
    EXPECT_EQ(chart.Style().title, "海拔 (" + units.AltitudeUnitLabel() + ")");
    sampler.SetMode(AltitudeSampler::EveryFix);
    sampler.ConfigureChart(chart, units);
    EXPECT_TRUE(chart.Style().horizontalLabelUnit.empty());
    EXPECT_EQ(chart.Style().horizontalLabelFactor, 1.0);
}

} // namespace
} // namespace hw
