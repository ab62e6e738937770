#include "instruments/KORVPlotModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace hw {
namespace {

// The analysis page's speed chart.
KORVPlotModel SpeedChart()
{
    KORVPlotModel chart(20000);
    chart.SetRange(10, 0);
    chart.SetInitialRange(10, 0);
    PlotStyle& s = chart.Style();
    s.rangeMode = 2;
    s.fill = true;
    s.bottomMargin = 0;
    s.rightMargin = 0;
    s.valueLabel = false;
    s.divisions = 5;
    s.gridStyle = 2;
    return chart;
}

TEST(KORVPlotModelTest, SpeedChartKeepsItsInitialRangeUntilTheDataLeaveIt)
{
    KORVPlotModel chart = SpeedChart();
    chart.UpdateRange(200);
    EXPECT_EQ(chart.Top(), 10);
    EXPECT_EQ(chart.Bottom(), 0);
    for (double v : {0.0, 3.0, 9.9, 10.0})
        chart.Push(v);
    chart.UpdateRange(200);
    EXPECT_EQ(chart.Top(), 10);
    EXPECT_EQ(chart.Bottom(), 0);

    // 20 arrives: the top gets a 20 % margin, the bottom (0, within the
    // margin of the old bottom) stays.
    chart.Push(20);
    chart.UpdateRange(200);
    EXPECT_DOUBLE_EQ(chart.Top(), 24);
    EXPECT_EQ(chart.Bottom(), 0);
    // A maximum within the margin below the top keeps the top steady.
    chart.Push(19);
    chart.UpdateRange(200);
    EXPECT_DOUBLE_EQ(chart.Top(), 24);
    // Once 20 has scrolled out of view the range fits the visible samples.
    chart.Push(2);
    chart.Push(3);
    chart.UpdateRange(2);
    EXPECT_EQ(chart.Top(), 10);
    // The display factor scales what is measured (knots to km/h).
    chart.Style().verticalFactor = 1.852;
    chart.UpdateRange(2);
    EXPECT_EQ(chart.Top(), 10);
    chart.Push(6);
    chart.UpdateRange(2);
    EXPECT_NEAR(chart.Top(), 6 * 1.852 + 0.2 * (6 - 3) * 1.852, 1e-9);
}

TEST(KORVPlotModelTest, GrowModeWidensTowardTheLastSample)
{
    KORVPlotModel chart(10);
    chart.Style().rangeMode = 1;
    chart.SetRange(10, 0);
    chart.Push(20);
    chart.UpdateRange(100);
    EXPECT_DOUBLE_EQ(chart.Top(), 24);
    chart.Push(-10);
    chart.UpdateRange(100);
    EXPECT_DOUBLE_EQ(chart.Bottom(), -10 - 0.2 * 34);
}

TEST(KORVPlotModelTest, RingKeepsTheNewestAndClearResetsTheCount)
{
    KORVPlotModel chart(20000);
    for (int i = 0; i < 20001; ++i)
        chart.Push(i);
    EXPECT_EQ(chart.Total(), 20001u);
    EXPECT_EQ(chart.Stored(), 20000u);
    EXPECT_EQ(chart.Sample(0), 20000);
    EXPECT_EQ(chart.Sample(19999), 1); // sample 0 was overwritten
    chart.SetRange(30000, 0);
    chart.Clear(5);
    EXPECT_EQ(chart.Total(), 0u);
    EXPECT_EQ(chart.Sample(0), 5);
    EXPECT_EQ(chart.Top(), 30000); // until the next drawing
}

TEST(KORVPlotModelTest, GridStepsAndLabelSpacing)
{
    KORVPlotModel chart = SpeedChart();
    chart.SetRange(24, 0);
    EXPECT_EQ(chart.GridValues(), (std::vector<double>{0, 8, 16}));
    chart.SetRange(0.5, -0.5);
    std::vector<double> small = chart.GridValues();
    ASSERT_FALSE(small.empty());
    EXPECT_DOUBLE_EQ(small[1] - small[0], 0.4);
    chart.Style().gridStyle = 1;
    chart.SetRange(10, 0);
    EXPECT_EQ(chart.GridValues().size(), 5u);
    // An empty range has no grid rather than an endless one.
    chart.SetRange(3, 3);
    EXPECT_TRUE(chart.GridValues().empty());

    EXPECT_EQ(KORVPlotModel::LabelSpacing(1.0, 30), 80);
    EXPECT_EQ(KORVPlotModel::LabelSpacing(10.0, 20), 5);
    EXPECT_GE(KORVPlotModel::LabelSpacing(0.0, 20), 1L << 40); // ends even without width
}

TEST(KORVPlotModelTest, ZoomStepsAndVisibleSamples)
{
    double z = 1.0;
    z = PlotZoomIn(z);
    EXPECT_EQ(z, 0.5);
    z = PlotZoomIn(z);
    EXPECT_EQ(z, 0.25);
    for (double expected : {0.5, 1.0, 2.0, 3.0})
        EXPECT_EQ(z = PlotZoomOut(z), expected);
    EXPECT_EQ(PlotZoomIn(3.0), 2.0);
    EXPECT_EQ(PlotZoomIn(2.0), 1.0);
    // Zooming in without end stops before a plot would show no samples.
    for (int i = 0; i < 2000; ++i)
        z = PlotZoomIn(z);
    EXPECT_GT(z, 0);

    KORVPlotModel chart(100);
    chart.Style().horizontalZoom = 2;
    EXPECT_EQ(chart.VisibleSamples(200), 400);
    chart.Style().horizontalZoom = 0;
    EXPECT_EQ(chart.VisibleSamples(200), 200);
    chart.Style().horizontalZoom = z;
    EXPECT_GE(chart.VisibleSamples(200), 2);
}

TEST(KORVPlotModelTest, DrawingPlacesTheCurveNewestAtTheRight)
{
    KORVPlotModel chart = SpeedChart();
    chart.Style().fill = false;
    for (double v : {2.0, 4.0, 6.0})
        chart.Push(v);
    DrawList list;
    chart.Draw({0, 0, 101, 102}, {24, 12}, list);
    // Plot: 1..100 x 1..101; 100 pixels for 10 knots.
    const Polyline* curve = nullptr;
    for (const Polyline* p : list.All<Polyline>())
        if (p->pen.colour == chart.Style().curve)
            curve = p;
    ASSERT_NE(curve, nullptr);
    ASSERT_EQ(curve->points.size(), 3u);
    EXPECT_EQ(curve->points[0], (ScreenPoint{100, 101 - 60}));
    EXPECT_EQ(curve->points[1], (ScreenPoint{99, 101 - 40}));
    EXPECT_EQ(curve->points[2], (ScreenPoint{98, 101 - 20}));
    ASSERT_FALSE(list.All<Text>().empty());
    EXPECT_EQ(list.All<Text>().back()->text, "Untitled");
    // Sample numbers label the axis from the oldest pushed sample.
    bool zeroLabel = false;
    for (const Text* t : list.All<Text>())
        zeroLabel |= t->text == "0 " && t->anchor.x == 98;
    EXPECT_TRUE(zeroLabel);
}

TEST(KORVPlotModelTest, AFlatSeriesOutsideTheInitialRangeDrawsAtMidHeight)
{
    KORVPlotModel chart = SpeedChart();
    chart.Style().fill = true;
    for (int i = 0; i < 50; ++i)
        chart.Push(42);
    DrawList list;
    chart.Draw({0, 0, 101, 101}, {24, 12}, list);
    EXPECT_EQ(chart.Top(), 42);
    EXPECT_EQ(chart.Bottom(), 42);
    for (const Polyline* p : list.All<Polyline>()) {
        if (p->pen.colour != chart.Style().curve)
            continue;
        for (ScreenPoint q : p->points)
            EXPECT_EQ(q.y, 100 - 99 / 2);
    }
}

TEST(KORVPlotModelTest, ValuesThatAreNotNumbersNeverReachTheScreen)
{
    KORVPlotModel chart = SpeedChart();
    chart.Style().valueLabel = true;
    chart.Style().rightMargin = 50;
    chart.Push(std::nan(""));
    chart.Push(1e308);
    chart.Push(-std::numeric_limits<double>::infinity());
    chart.Style().verticalFactor = 1e10; // 1e308 x 1e10 overflows
    DrawList list;
    chart.Draw({0, 0, 200, 100}, {24, 12}, list);
    EXPECT_TRUE(std::isfinite(chart.Top()));
    EXPECT_TRUE(std::isfinite(chart.Bottom()));
    for (const Polyline* p : list.All<Polyline>())
        for (ScreenPoint q : p->points)
            EXPECT_LE(std::abs(q.y), 1 << 28);
    for (const Text* t : list.All<Text>()) {
        EXPECT_EQ(t->text.find("nan"), std::string::npos) << t->text;
        EXPECT_EQ(t->text.find("inf"), std::string::npos) << t->text;
    }
}

} // namespace
} // namespace hw