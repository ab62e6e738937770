#include "instruments/SatellitePageLayout.h"
#include "instruments/SignalBarLayout.h"
#include "instruments/SkyPlotGeometry.h"

#include <gtest/gtest.h>

using namespace hw;

TEST(SkyPlotGeometryTest, SquareCentreAndDirections)
{
    SkyPlotGeometry g({10, 20, 310, 220}); // 300 x 200: square 200 centred
    EXPECT_EQ(g.Square(), (ScreenRect{60, 20, 260, 220}));
    EXPECT_EQ(g.Centre(), (ScreenPoint{160, 120}));
    EXPECT_EQ(g.Point(123, 90), g.Centre());            // zenith at the centre
    EXPECT_EQ(g.Point(90, 0), (ScreenPoint{260, 120})); // east horizon on the right edge
    EXPECT_EQ(g.Point(0, 0), (ScreenPoint{160, 20}));   // north up
    EXPECT_EQ(g.Point(180, 0), (ScreenPoint{160, 220}));
    EXPECT_EQ(g.Point(270, 0), (ScreenPoint{60, 120}));
    EXPECT_EQ(g.Point(45, 45).x, 160 + 35); // trunc(45 * 100/90 * sin 45°)
    EXPECT_EQ(g.RingRadius(45), 50);
    EXPECT_EQ(g.LabelHeight(), 16);
    EXPECT_EQ(g.CompassLabel(1).anchor, SkyPlotGeometry::Anchor::RightMiddle);
    EXPECT_EQ(g.CompassLabel(2).point.y, 120 + 97);
    // An empty or inverted area gives a zero-size plot, not garbage.
    SkyPlotGeometry empty({5, 5, 0, 0});
    EXPECT_EQ(empty.Side(), 0);
    EXPECT_EQ(empty.Point(90, 0), empty.Centre());
}

TEST(SignalBarLayoutTest, SlotsAndBars)
{
    SatelliteSnapshot sats;
    EXPECT_EQ(SignalBarLayout::BarHeight(27, 90), 44);
    EXPECT_EQ(SignalBarLayout::BarHeight(5, 90), 0);
    EXPECT_EQ(SignalBarLayout::BarHeight(0, 90), 0);
    EXPECT_EQ(SignalBarLayout::BarHeight(99, 90), 90);

    // No satellites in view: twelve empty slots.
    SignalBarLayout none({0, 0, 240, 100}, 7, sats);
    ASSERT_EQ(none.Slots().size(), 12u);
    EXPECT_EQ(none.Slots()[0].frame, (ScreenRect{1, 3, 19, 93}));
    EXPECT_EQ(none.Slots()[11].frame.left, 221);
    for (const auto& s : none.Slots())
        EXPECT_FALSE(s.hasBar);

    sats.inView = 3;
    sats.entries[0] = {12, 27, true, 0, 0};
    sats.entries[1] = {5, 60, false, 0, 0};
    sats.entries[2] = {7, 4, false, 0, 0};
    SignalBarLayout three({0, 0, 300, 100}, 7, sats); // bar area 3..93, 90 high
    ASSERT_EQ(three.Slots().size(), 3u);
    const auto& a = three.Slots()[0];
    EXPECT_TRUE(a.hasBar);
    EXPECT_TRUE(a.used);
    EXPECT_EQ(a.bar.Height(), 44);
    EXPECT_EQ(a.bar.top, 93 - 44);
    EXPECT_TRUE(a.snrFits);
    EXPECT_EQ(three.Slots()[1].bar.top, 3); // clamped to the area
    EXPECT_FALSE(three.Slots()[2].hasBar);
    EXPECT_EQ(three.Slots()[2].prn, 7);

    // A combined receiver's 40 get 40 slots; more in view than the copy
    // holds: never past the table.
    sats.inView = 40;
    EXPECT_EQ(SignalBarLayout({0, 0, 640, 100}, 7, sats).Slots().size(), 40u);
    sats.inView = 200;
    EXPECT_EQ(SignalBarLayout({0, 0, 640, 100}, 7, sats).Slots().size(),
              std::size_t(SatelliteSnapshot::kMaxSatellites));
    // Up to 12 slots the labels keep 4 % of the width; more shrink them.
    EXPECT_EQ(SignalBarLayout::FontHeight(640, 12), 26);
    EXPECT_EQ(SignalBarLayout::FontHeight(640, 40), 8); // 16 px slots
    EXPECT_GE(SignalBarLayout::FontHeight(100, 96), 1);
    sats.inView = -3;
    EXPECT_EQ(SignalBarLayout({0, 0, 640, 100}, 7, sats).Slots().size(), 12u);
}

// With more than twelve satellites of several systems ("G18", "R73") the
// labels under the bars never run together: in every window width and for
// every count the boxes of neighbouring labels stay apart and inside the
// area, taking a second row only when one would not do.
TEST(SignalBarLayoutTest, LabelsOfAFullSkyStayApart)
{
    SatelliteSnapshot sats;
    sats.severalSystems = true;
    for (int i = 0; i < SatelliteSnapshot::kMaxSatellites; ++i)
        sats.entries[static_cast<size_t>(i)] = {i % 3 == 0 ? 18 + i : 1 + i,
                                                30,
                                                true,
                                                0,
                                                0,
                                                i % 2 == 0 ? GnssSystem::Gps : GnssSystem::Glonass};
    for (int width : {480, 800, 1920}) {
        for (int count : {8, 12, 13, 18, 24, 32, 40}) {
            sats.inView = count;
            const int font = SignalBarLayout::FontHeight(width, SignalBarLayout::SlotCount(sats));
            // A proportional face: 0.6 of the height a character.
            const auto measure = [font](const std::string& label) {
                return static_cast<int>(label.size() * font * 0.6 + 0.5);
            };
            const ScreenRect area{0, 0, width, 200};
            const SignalBarLayout bars(area, font, sats, measure);
            const auto& slots = bars.Slots();
            for (size_t i = 0; i < slots.size(); ++i) {
                const ScreenRect box = bars.LabelBox(slots[i]);
                // A pixel of air to each side.
                const ScreenRect wide{box.left - 1, box.top, box.right + 1, box.bottom};
                EXPECT_LE(box.bottom, area.bottom) << width << " " << count;
                EXPECT_EQ(box.Width(), measure(slots[i].label));
                for (size_t j = i + 1; j < slots.size() && j <= i + 2; ++j) {
                    EXPECT_FALSE(wide.Intersects(bars.LabelBox(slots[j])))
                        << width << " px, " << count << " satellites: labels " << i << " and " << j;
                }
            }
            if (count <= 12) {
                EXPECT_EQ(slots.back().labelRow, 0) << width << " " << count;
            }
        }
    }
}

TEST(SatellitePageLayoutTest, PanelsRowsAndViews)
{
    SatellitePageLayout l(480, 600);
    EXPECT_EQ(l.UpperPanel(), (ScreenRect{0, 0, 480, 200}));
    EXPECT_EQ(l.LowerPanel(), (ScreenRect{0, 200, 480, 600}));
    EXPECT_EQ(l.Row(0), (ScreenRect{5, 205, 475, 305}));
    EXPECT_EQ(l.Row(2).top, 205 + 2 * 133);
    EXPECT_EQ(l.Row(1, SatellitePageLayout::Column::Left).right, 238);
    EXPECT_EQ(l.Row(1, SatellitePageLayout::Column::Right).left, 242);
    EXPECT_EQ(l.ValueFontHeight(), 60);
    EXPECT_EQ(l.LabelFontHeight(9), 30);
    EXPECT_EQ(l.LabelFontHeight(40), 40);
    int mode = 0;
    mode = SatellitePageLayout::NextView(mode);
    mode = SatellitePageLayout::NextView(mode);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(SatellitePageLayout::NextView(mode), 0);
    EXPECT_EQ(SatellitePageLayout::PreviousView(0), 2);
}
