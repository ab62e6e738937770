#include "basemap/AreaLabelPoint.h"

#include <gtest/gtest.h>

#include <vector>

namespace hw {
namespace {

using Ring = std::vector<RoadPoint>;

// Even-odd, as the map fills areas.
bool Inside(const std::vector<Ring>& rings, RoadPoint p)
{
    bool inside = false;
    for (const Ring& ring : rings)
        for (std::size_t i = 0, n = ring.size(), j = n - 1; i < n; j = i++) {
            const RoadPoint a = ring[i], b = ring[j];
            if ((a.lat > p.lat) != (b.lat > p.lat) &&
                p.lon <
                    static_cast<double>(b.lon - a.lon) * (p.lat - a.lat) / (b.lat - a.lat) + a.lon)
                inside = !inside;
        }
    return inside;
}

// A lake shaped like a C, about 7 km across near 46° N: its centroid lies in
// the bay, outside the water. The name goes where the water is, and the
// span it is given lies over water from end to end.
TEST(AreaLabelPointTest, AConcaveAreaGetsItsNameInsideNotAtItsCentroid)
{
    const int32_t lat = 46000000, lon = 8000000;
    const Ring c{{lat, lon},
                 {lat, lon + 100000},
                 {lat + 20000, lon + 100000},
                 {lat + 20000, lon + 30000},
                 {lat + 70000, lon + 30000},
                 {lat + 70000, lon + 100000},
                 {lat + 90000, lon + 100000},
                 {lat + 90000, lon},
                 {lat, lon}};
    ASSERT_FALSE(Inside({c}, {lat + 45000, lon + 40454})) << "the centroid is in the bay";
    const AreaLabelPoint label = AreaLabelPoint::Of({c});
    EXPECT_TRUE(Inside({c}, label.at));
    EXPECT_GE(label.span, 30000);
    for (double f : {-0.48, -0.25, 0.25, 0.48})
        EXPECT_TRUE(
            Inside({c}, {label.at.lat, label.at.lon + static_cast<int32_t>(f * label.span)}))
            << f;
    // Well away from the water's edge across the span too.
    EXPECT_TRUE(Inside({c}, {label.at.lat + 5000, label.at.lon}));
    EXPECT_TRUE(Inside({c}, {label.at.lat - 5000, label.at.lon}));

    // A ring with a hole in its middle: the point keeps out of the hole.
    const Ring outer{{lat, lon},
                     {lat, lon + 100000},
                     {lat + 70000, lon + 100000},
                     {lat + 70000, lon},
                     {lat, lon}};
    const Ring hole{{lat + 20000, lon + 20000},
                    {lat + 20000, lon + 80000},
                    {lat + 50000, lon + 80000},
                    {lat + 50000, lon + 20000},
                    {lat + 20000, lon + 20000}};
    const AreaLabelPoint ring = AreaLabelPoint::Of({outer, hole});
    EXPECT_TRUE(Inside({outer, hole}, ring.at));
    EXPECT_GT(ring.span, 0);
    EXPECT_LE(ring.span, 100000);
}

TEST(AreaLabelPointTest, ARoundAreaKeepsItsMiddleAndDegenerateRingsTheirFirstPoint)
{
    const int32_t lat = 10000000, lon = 20000000;
    const Ring square{
        {lat, lon}, {lat, lon + 10000}, {lat + 10000, lon + 10000}, {lat + 10000, lon}, {lat, lon}};
    const AreaLabelPoint label = AreaLabelPoint::Of({square});
    EXPECT_NEAR(label.at.lat, lat + 5000, 200);
    EXPECT_NEAR(label.at.lon, lon + 5000, 200);
    EXPECT_NEAR(label.span, 10000, 10);

    const Ring line{{lat, lon}, {lat, lon + 5000}, {lat, lon}};
    EXPECT_EQ(AreaLabelPoint::Of({line}).at.lon, lon);
    EXPECT_EQ(AreaLabelPoint::Of({line}).span, 0);
    EXPECT_EQ(AreaLabelPoint::Of({}).span, 0);
}

} // namespace
} // namespace hw
