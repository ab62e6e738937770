#include "map/MapModel.h"
#include "base/MemorySettingsStore.h"
#include "geo/SphericalGeometry.h"
#include "map/MapGrid.h"
#include "map/MapIcons.h"
#include "map/MapPanGesture.h"
#include "map/MapScaleBar.h"
#include "units/UnitFormatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

namespace hw {
namespace {

const GeoPoint kZurich = GeoPoint::FromDegrees(47.376887, 8.541694);

MapModel ModelAt(GeoPoint position, ScreenRect client = {0, 0, 240, 320})
{
    MapModel model(position);
    model.SetClientRect(client);
    return model;
}

TEST(MapModelTest, ViewSquareAtOneKilometreSpans1414MetresAtTheEquator)
{
    MapModel model = ModelAt({0, 0, 0});
    MapViewport v = model.Viewport();
    double widthKm = DistanceKmMicro({0, v.West(), 0}, {0, v.East(), 0});
    // (The corner is projected on a slightly smaller sphere than distances
    // are measured on, hence 1.4167.)
    EXPECT_NEAR(widthKm, 2 * 1.0 * std::sin(3.141592653589793 / 4), 0.003);
    // The square is the smaller side, centred in the taller client.
    EXPECT_EQ(v.XOffset(), 0);
    EXPECT_EQ(v.YOffset(), 40);
    EXPECT_NEAR(v.Xs() * (v.East() - v.West()), 240, 1e-6);
    // At the equator a degree of latitude and of longitude are equally long.
    EXPECT_NEAR(v.Ys() / v.Xs(), 1.0, 1e-3);
    EXPECT_EQ(model.GeoToScreen({0, 0, 0}), (ScreenPoint{120, 160}));
}

TEST(MapModelTest, ZoomStaysInsideTheTable)
{
    MapModel model;
    EXPECT_EQ(model.ZoomIndex(), 7);
    EXPECT_EQ(model.Scale(), 1.0);
    for (int i = 0; i < 30; ++i)
        model.ZoomIn();
    EXPECT_EQ(model.ZoomIndex(), 0);
    EXPECT_EQ(model.Scale(), 0.01);
    model.ZoomIn();
    EXPECT_EQ(model.Scale(), 0.01);
    for (int i = 0; i < 30; ++i)
        model.ZoomOut();
    EXPECT_EQ(model.ZoomIndex(), 20);
    EXPECT_EQ(model.Scale(), 500.0);
    model.ZoomIn();
    EXPECT_EQ(model.Scale(), 300.0);
    model.SetScale(0);
    model.SetScale(std::nan(""));
    EXPECT_EQ(model.Scale(), 300.0);
}

TEST(MapModelTest, CourseUpDrawsAPointDueEastStraightAbove)
{
    MapModel model = ModelAt(kZurich);
    model.SetNorthUp(false);
    model.SetCurrentCourse(90);
    GeoPoint east = ProjectPoint(kZurich, 0.3, 90);
    ScreenPoint here = model.GeoToScreen(kZurich);
    ScreenPoint there = model.GeoToScreen(east);
    EXPECT_NEAR(there.x, here.x, 1);
    EXPECT_LT(there.y, here.y - 30);
    // And north is then on the left.
    ScreenPoint north = model.GeoToScreen(ProjectPoint(kZurich, 0.3, 0));
    EXPECT_LT(north.x, here.x - 30);
    EXPECT_NEAR(north.y, here.y, 1);
}

TEST(MapModelTest, ScreenToGeoAndBackAtEveryZoomAndRotation)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> x(0, 479), y(0, 639);
    for (GeoPoint where : {kZurich, GeoPoint::FromDegrees(-33.9, 151.2),
                           GeoPoint::FromDegrees(69.6, 18.9), GeoPoint{0, 0, 0}}) {
        MapModel model = ModelAt(where, {0, 0, 480, 640});
        for (int zoom = 0; zoom < MapModel::ZoomCount(); ++zoom) {
            model.SetZoomIndex(zoom);
            for (double course : {-1.0, 0.0, 33.0, 90.0, 181.0, 270.0, 359.0}) {
                model.SetNorthUp(course < 0);
                model.SetCurrentCourse(course);
                MapViewport v = model.Viewport();
                // Rotation truncates once each way; at the closest zoom a
                // microdegree is several pixels.
                double slack = 3 + std::max(v.Xs(), v.Ys()) / 2;
                for (int i = 0; i < 50; ++i) {
                    ScreenPoint s{x(rng), y(rng)};
                    ScreenPoint back = v.GeoToScreen(v.ScreenToGeo(s));
                    ASSERT_LE(std::abs(back.x - s.x), slack) << zoom << " " << course;
                    ASSERT_LE(std::abs(back.y - s.y), slack) << zoom << " " << course;
                }
                // A position goes to the screen and comes back within a pixel.
                GeoPoint g = ProjectPoint(where, model.Scale() * 0.3, 77);
                GeoPoint again = v.ScreenToGeo(v.GeoToScreen(g));
                ASSERT_LE(std::abs(again.lon - g.lon), 3 / v.Xs() + 1) << zoom << " " << course;
                ASSERT_LE(std::abs(again.lat - g.lat), 3 / v.Ys() + 1) << zoom << " " << course;
            }
        }
    }
}

TEST(MapModelTest, DraggingKeepsThePositionUnderTheStylusAndTheReturnButtonFollowsAgain)
{
    MapModel model = ModelAt(kZurich);
    model.SetNorthUp(false);
    model.SetCurrentCourse(40);
    ScreenRect c = model.ClientRect();
    ScreenPoint centre{(c.left + c.right) / 2, (c.top + c.bottom) / 2};
    MapPanGesture gesture(model);
    // A few small moves are still a tap.
    gesture.Press({100, 100});
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(gesture.Move({100 + i, 100}));
    EXPECT_FALSE(gesture.Release());
    EXPECT_FALSE(model.IsPanned());

    ScreenPoint press{100, 100}, stylus{130, 80};
    GeoPoint grabbed = model.ScreenToGeo(press);
    gesture.Press(press);
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(gesture.Move({100 + i, 100 - i}));
    EXPECT_TRUE(gesture.Move(stylus));
    ASSERT_TRUE(model.IsPanned());
    ScreenPoint now = model.GeoToScreen(grabbed);
    EXPECT_LE(std::abs(now.x - stylus.x), 2);
    EXPECT_LE(std::abs(now.y - stylus.y), 2);
    // The next move carries on from there.
    GeoPoint grabbed2 = model.ScreenToGeo(stylus);
    EXPECT_TRUE(gesture.Move({stylus.x - 30, stylus.y + 10}));
    ScreenPoint moved = model.GeoToScreen(grabbed2);
    EXPECT_LE(std::abs(moved.x - (stylus.x - 30)), 2);
    EXPECT_LE(std::abs(moved.y - (stylus.y + 10)), 2);
    EXPECT_TRUE(gesture.Release());

    // The panned centre sits in the middle of the view, turned or not.
    ScreenPoint middle = model.GeoToScreen(model.PannedCentre());
    EXPECT_LE(std::abs(middle.x - centre.x), 1);
    EXPECT_LE(std::abs(middle.y - centre.y), 1);
    // While panned the view keeps the frozen course and the icon leaves the
    // centre as the position moves on.
    model.SetCurrentCourse(200);
    model.SetCurrentPosition(ProjectPoint(kZurich, 0.2, 0));
    EXPECT_EQ(model.RotationAngle(), 40);
    EXPECT_NE(model.GeoToScreen(model.CurrentPosition()), centre);

    EXPECT_FALSE(model.ReturnButtonHit({10, 10}));
    EXPECT_TRUE(model.IsPanned());
    EXPECT_TRUE(model.ReturnButtonHit({c.right - 5, c.top + 5}));
    EXPECT_FALSE(model.IsPanned());
    EXPECT_EQ(model.RotationAngle(), 200);
    ScreenPoint icon = model.GeoToScreen(model.CurrentPosition());
    EXPECT_LE(std::abs(icon.x - centre.x), 1);
    EXPECT_LE(std::abs(icon.y - centre.y), 1);
    // Following, the button is not there.
    EXPECT_FALSE(model.ReturnButtonHit({c.right - 5, c.top + 5}));
}

// A drag of many one-pixel moves (the way a finger reports itself) keeps the
// position grabbed at the press under the stylus all the way, whatever the
// orientation, the zoom, the window and the direction.
TEST(MapModelTest, ALongDragOfSmallMovesKeepsTheGrabbedPointUnderTheStylus)
{
    struct Drag {
        int dx, dy;
    };
    for (ScreenRect client : {ScreenRect{0, 0, 480, 640}, ScreenRect{0, 0, 800, 480}}) {
        for (double course : {-1.0, 0.0, 37.0, 200.0}) {
            for (int zoom : {2, 7, 12}) {
                for (Drag step : {Drag{0, -1}, Drag{1, 0}, Drag{-1, 1}}) {
                    MapModel model = ModelAt(kZurich, client);
                    model.SetZoomIndex(zoom);
                    model.SetNorthUp(course < 0);
                    model.SetCurrentCourse(course < 0 ? 0 : course);
                    MapPanGesture gesture(model);
                    ScreenPoint stylus{client.Width() / 2, client.Height() / 2 + 40};
                    const GeoPoint grabbed = model.ScreenToGeo(stylus);
                    gesture.Press(stylus);
                    for (int i = 1; i <= 80; ++i) {
                        stylus = {stylus.x + step.dx, stylus.y + step.dy};
                        if (!gesture.Move(stylus))
                            continue;
                        const ScreenPoint now = model.GeoToScreen(grabbed);
                        ASSERT_LE(std::abs(now.x - stylus.x), 1)
                            << "move " << i << " course " << course << " zoom " << zoom;
                        ASSERT_LE(std::abs(now.y - stylus.y), 1)
                            << "move " << i << " course " << course << " zoom " << zoom;
                    }
                    EXPECT_TRUE(gesture.Release());
                }
            }
        }
    }
}

TEST(MapModelTest, HitBoxHoldsTwoCloseWaypointsAndNotAFartherOne)
{
    for (double course : {-1.0, 45.0, 90.0}) {
        MapModel model = ModelAt(kZurich);
        model.SetZoomIndex(2); // 0.1 km
        model.SetNorthUp(course < 0);
        model.SetCurrentCourse(course);
        ScreenPoint tap = model.GeoToScreen(kZurich);
        GeoPoint near1 = model.ScreenToGeo({tap.x + 3, tap.y - 2});
        GeoPoint near2 = model.ScreenToGeo({tap.x - 4, tap.y + 4});
        // (Turned by 45 degrees the box around the tapped square is wider.)
        GeoPoint far = model.ScreenToGeo({tap.x + 15, tap.y});
        MapModel::GeoBox box = model.HitBox(tap);
        EXPECT_TRUE(box.Contains(kZurich.lat, kZurich.lon)) << course;
        EXPECT_TRUE(box.Contains(near1.lat, near1.lon)) << course;
        EXPECT_TRUE(box.Contains(near2.lat, near2.lon)) << course;
        EXPECT_FALSE(box.Contains(far.lat, far.lon)) << course;
        model.SetLargeWaypoints(true);
        EXPECT_TRUE(model.HitBox(tap).Contains(far.lat, far.lon)) << course;
    }
}

TEST(MapModelTest, TheAntimeridianAndThePolesGiveASaneView)
{
    // Across the antimeridian a point just east of it lies just east on the
    // screen, not a world away.
    MapModel model = ModelAt(GeoPoint::FromDegrees(-17.7, 179.999));
    ScreenPoint centre = model.GeoToScreen(model.CurrentPosition());
    ScreenPoint east = model.GeoToScreen(GeoPoint::FromDegrees(-17.7, -179.999));
    EXPECT_GT(east.x, centre.x);
    EXPECT_LT(east.x - centre.x, 100);
    GeoPoint back = model.ScreenToGeo(east);
    EXPECT_NEAR(back.lon, -179999000, 2000);
    MapModel::GeoBox box = model.HitBox(east);
    EXPECT_TRUE(box.Contains(-17700000, -179999000));
    EXPECT_FALSE(box.Contains(-17700000, 0));

    // Near a pole, at every zoom, with the antipode and zero-sized clients:
    // every coordinate stays a number and positions stay on the globe.
    for (GeoPoint where : {GeoPoint::FromDegrees(89.99999, 10), GeoPoint::FromDegrees(-90, 0),
                           GeoPoint::FromDegrees(0, 180)}) {
        for (ScreenRect client : {ScreenRect{0, 0, 240, 320}, ScreenRect{0, 0, 0, 0}}) {
            MapModel m = ModelAt(where, client);
            for (int zoom = 0; zoom < MapModel::ZoomCount(); ++zoom) {
                m.SetZoomIndex(zoom);
                m.SetNorthUp(zoom % 2 == 0);
                m.SetCurrentCourse(std::nan(""));
                GeoPoint antipode{-where.lat,
                                  where.lon > 0 ? where.lon - 180000000 : where.lon + 180000000, 0};
                ScreenPoint s = m.GeoToScreen(antipode);
                EXPECT_LE(std::abs(s.x), 1 << 29);
                EXPECT_LE(std::abs(s.y), 1 << 29);
                GeoPoint g = m.ScreenToGeo({5000, -7000});
                EXPECT_LE(std::abs(g.lat), 90000000);
                EXPECT_LE(std::abs(g.lon), 180000000);
                DrawList grid;
                MapGrid::Draw(m.Viewport(), m.Scale(), true, grid);
                EXPECT_LT(grid.Items().size(), 2000u);
            }
        }
    }
}

TEST(MapModelTest, GridSpacingAndLabelsFollowTheScale)
{
    EXPECT_EQ(MapGrid::SpacingForScale(60.01).stepMicro, 1000000);
    EXPECT_EQ(MapGrid::SpacingForScale(60).stepMicro, 100000);
    EXPECT_EQ(MapGrid::SpacingForScale(5.01).stepMicro, 100000);
    EXPECT_EQ(MapGrid::SpacingForScale(5).stepMicro, 10000);
    EXPECT_EQ(MapGrid::SpacingForScale(0.31).decimals, 2);
    EXPECT_EQ(MapGrid::SpacingForScale(0.3).stepMicro, 1000);

    MapModel model = ModelAt(GeoPoint::FromDegrees(47.3, 8.5));
    model.SetZoomIndex(8); // 2 km: a line every 0.01 degree
    DrawList list;
    MapGrid::Draw(model.Viewport(), model.Scale(), true, list);
    int latLabels = 0, lonLabels = 0;
    for (const Text* t : list.All<Text>()) {
        double degrees = std::atof(t->text.c_str());
        if (t->font.escapement == 900) {
            ++lonLabels;
            ScreenPoint p = model.GeoToScreen(GeoPoint::FromDegrees(47.3, degrees));
            EXPECT_NEAR(t->anchor.x, p.x, 1) << t->text;
        } else {
            ++latLabels;
            EXPECT_EQ(t->anchor.x, 3);
            ScreenPoint p = model.GeoToScreen(GeoPoint::FromDegrees(degrees, 8.5));
            EXPECT_NEAR(t->anchor.y, p.y, 1) << t->text;
        }
        EXPECT_EQ(t->text.size(), 4u + (degrees >= 10 ? 1 : 0)) << t->text; // "%0.2f"
    }
    // About 2.8 km of view: two or three lines each way are on screen.
    EXPECT_GE(latLabels, 2);
    EXPECT_GE(lonLabels, 2);

    // Turned, the lines reach 1000 pixels past the view and carry no label.
    model.SetNorthUp(false);
    model.SetCurrentCourse(30);
    DrawList turned;
    MapGrid::Draw(model.Viewport(), model.Scale(), false, turned);
    EXPECT_TRUE(turned.All<Text>().empty());
    ASSERT_FALSE(turned.All<Polyline>().empty());
    const Polyline* line = turned.All<Polyline>().front();
    double dx = line->points[1].x - line->points[0].x, dy = line->points[1].y - line->points[0].y;
    EXPECT_NEAR(std::hypot(dx, dy), 240 + 2000, 3);
}

TEST(MapModelTest, ScaleBarMeasuresAFifthOfTheView)
{
    MemorySettingsStore store;
    store.SetInt(section::kSettings, unit_setting::kDistanceSpeed, 2); // metric
    UnitFormatter units(store);
    MapModel model = ModelAt({0, 0, 0}, {0, 0, 240, 240});
    MapViewport v = model.Viewport();
    MapScaleBar::Ends ends = MapScaleBar::BarEnds(v.Client());
    EXPECT_EQ(ends.left.x, 240 - 48 - 5);
    EXPECT_EQ(ends.right.x, 235);
    // 48 of 240 pixels of a 1.414 km wide view.
    double km = MapScaleBar::GroundMiles(v) / units::kMilesPerKm;
    EXPECT_NEAR(km, 1.41421 * 48 / 240, 0.003);
    DrawList list;
    MapScaleBar::Draw(v, units, list);
    ASSERT_EQ(list.All<Text>().size(), 1u);
    const Text& label = *list.All<Text>().front();
    EXPECT_EQ(label.text.substr(0, 2), "  ");
    EXPECT_NEAR(std::atof(label.text.c_str()), km * 1000, 0.051);
    EXPECT_TRUE(label.opaque);
    // Six strokes: the white shadow, then the black bar.
    auto lines = list.All<Polyline>();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0]->pen.colour, Rgb(255, 255, 255));
    EXPECT_EQ(lines[5]->pen.colour, Rgb(0, 0, 0));
    EXPECT_EQ(lines[5]->points[0], (ScreenPoint{187, 225}));
    // The opaque label comes after the bar, so that it breaks the line
    // running through its middle instead of being struck through.
    ASSERT_TRUE(std::holds_alternative<Text>(list.Items().back()));
    EXPECT_EQ(label.anchor.y, lines[5]->points[0].y);
}

TEST(MapModelTest, IconsTurnClockwiseAboutTheirAnchor)
{
    auto north = MapIcons::Place(MapIcons::Position(), {100, 100}, 0);
    EXPECT_EQ(north[0], (ScreenPoint{100, 88}));
    auto east = MapIcons::Place(MapIcons::Position(), {100, 100}, 90);
    EXPECT_EQ(east[0], (ScreenPoint{112, 100}));
    auto big = MapIcons::Place(MapIcons::Position().vertices, {0, 0}, 8.0, 180);
    EXPECT_EQ(big[0], (ScreenPoint{0, 24}));
    EXPECT_EQ(MapIcons::Place(MapIcons::NorthArrow(), {0, 0}, 0).size(), 8u);
    EXPECT_EQ(MapModel::IconColourForQuality(2), Rgb(0, 153, 255));
    EXPECT_EQ(MapModel::IconColourForQuality(1), Rgb(0, 255, 0));
}

} // namespace
} // namespace hw
