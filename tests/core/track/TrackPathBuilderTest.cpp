#include "track/TrackPathBuilder.h"

#include <gtest/gtest.h>

#include <vector>

namespace hw {
namespace {

using Strokes = std::vector<std::vector<ScreenPoint>>;
const ScreenRect kClient{0, 0, 100, 100};

struct In {
    ScreenPoint p;
    bool segmentStart = false;
};

Strokes Build(const std::vector<In>& points, bool everyFifth = false)
{
    TrackPathBuilder builder(kClient, everyFifth);
    for (const In& in : points)
        builder.Add(in.p, in.segmentStart);
    return builder.Finish();
}

bool InsideGrown(ScreenPoint p)
{
    return kClient.Grown(TrackPathBuilder::kMargin).Contains(p);
}

TEST(TrackPathBuilderTest, SegmentsStartWithAMoveAndNothingJoinsThem)
{
    Strokes s = Build({{{10, 10}}, {{20, 10}}, {{30, 10}}, {{30, 50}, true}, {{40, 50}}});
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0], (std::vector<ScreenPoint>{{10, 10}, {20, 10}, {30, 10}}));
    EXPECT_EQ(s[1], (std::vector<ScreenPoint>{{30, 50}, {40, 50}}));
    // A lone point draws nothing; repeated positions add no vertices.
    EXPECT_TRUE(Build({{{10, 10}}}).empty());
    EXPECT_EQ(Build({{{10, 10}}, {{10, 10}}, {{12, 10}}})[0].size(), 2u);
}

TEST(TrackPathBuilderTest, FarOffPointsAreCutAtTheEdgeAndNeverJoinedToEachOther)
{
    // In, out far east, out far north, back in: the stroke leaves toward the
    // east point and comes back from the north one, cut at the grown edge.
    Strokes s = Build({{{50, 50}}, {{100050, 50}}, {{50, -900000000}}, {{60, 60}}, {{70, 60}}});
    ASSERT_EQ(s.size(), 2u);
    ASSERT_EQ(s[0].size(), 2u);
    EXPECT_EQ(s[0][0], (ScreenPoint{50, 50}));
    EXPECT_EQ(s[0][1].y, 50);
    EXPECT_EQ(s[0][1].x, 104); // last column of the client grown by 5
    ASSERT_EQ(s[1].size(), 3u);
    EXPECT_EQ(s[1][0].y, -5);
    EXPECT_NEAR(s[1][0].x, 60, 1);
    EXPECT_EQ(s[1][2], (ScreenPoint{70, 60}));
    for (const auto& stroke : s)
        for (ScreenPoint p : stroke)
            EXPECT_TRUE(InsideGrown(p)) << p.x << "," << p.y;

    // A track that only passes outside draws nothing, even across the view.
    EXPECT_TRUE(Build({{{-500, 50}}, {{600, 50}}, {{600, 700}}}).empty());
    // Starting outside, the first inside point is joined from the edge.
    Strokes entering = Build({{{-1000, 50}}, {{50, 50}}});
    ASSERT_EQ(entering.size(), 1u);
    EXPECT_EQ(entering[0].front(), (ScreenPoint{-5, 50}));
}

TEST(TrackPathBuilderTest, EveryFifthPointKeepsSegmentBreaks)
{
    std::vector<In> points;
    for (int i = 0; i < 21; ++i)
        points.push_back({{i * 4, 10 + (i >= 12 ? 30 : 0)}, i == 12});
    Strokes s = Build(points, true);
    // Drawn: 0, 5, 10 | segment start 12 skipped: the pen moves to point 14
    // (the last one skipped before 15) and goes on with 15 and 20.
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0], (std::vector<ScreenPoint>{{0, 10}, {20, 10}, {40, 10}}));
    EXPECT_EQ(s[1], (std::vector<ScreenPoint>{{56, 40}, {60, 40}, {80, 40}}));
    // Without thinning every point is drawn.
    Strokes all = Build(points);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].size(), 12u);
    EXPECT_EQ(all[1].size(), 9u);
}

} // namespace
} // namespace hw
