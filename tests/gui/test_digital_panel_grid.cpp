// The digital-panel grid keeps the faces of its cells (frames, labels, units,
// selection) as a picture: what it paints with the kept faces must be what
// it paints without them, and a new value must show on the very next frame.
#include "base/MemorySettingsStore.h"
#include "instruments/BatteryStatus.h"
#include "instruments/PanelField.h"
#include "instruments/TimeZoneBias.h"
#include "instruments/TripComputer.h"
#include "instruments/gui/DigitalPanelGrid.h"
#include "map/MapModel.h"
#include "map/Navigation.h"
#include "waypoints/WaypointDatabase.h"

#include "core/TestClock.h"

#include <QImage>
#include <QtTest>

using namespace hw;

namespace {

// A grid of the map's navigation column, fed from a fix the test sets.
struct Panel {
    Panel()
    {
        layout.Layout().SetType(0, kFieldAltitude, settings);
        layout.Layout().SetType(1, kFieldSpeed, settings);
        layout.Layout().SetType(2, kFieldTime24, settings);
        layout.SetLayout(3, 1, false);
        layout.resize(480, 1031);
    }
    QImage Frame()
    {
        QImage image(layout.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        layout.render(&image);
        return image;
    }
    // The same frame painted with every part drawn anew.
    QImage FrameWithoutKeptFaces()
    {
        layout.SetFaceCache(false);
        QImage image = Frame();
        layout.SetFaceCache(true);
        return image;
    }

    MemorySettingsStore settings;
    test::ManualClock clock{1765000000};
    FixedBatteryStatus battery;
    FixedTimeZoneBias zone;
    TripComputer trip{clock};
    WaypointDatabase database;
    MapModel model{GeoPoint{46550000, 7980000, 0}};
    Navigation navigation{database, model};
    GpsFix fix;
    DigitalPanelGrid layout{
        PanelSources{trip, navigation, clock, battery, zone, [this] { return fix; }}, settings,
        QStringLiteral("MapView")};
};

int DifferingPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

class DigitalPanelGridTest : public QObject {
    Q_OBJECT
private slots:
    void keptFacesLookLikeFacesPaintedAnew()
    {
        Panel panel;
        panel.fix.altitude = 512.5;
        const QImage kept = panel.Frame();
        QCOMPARE(panel.layout.FacesMade(), 1);
        QCOMPARE(DifferingPixels(kept, panel.FrameWithoutKeptFaces()), 0);
        // Something was painted: the frames' grey and the ink of the texts.
        QVERIFY(DifferingPixels(kept, QImage(kept.size(), QImage::Format_RGB32)) > 1000);

        // The selection frame belongs to the faces and is drawn as before.
        panel.layout.SetSelectionMode(true, false);
        const QImage selected = panel.Frame();
        QCOMPARE(panel.layout.FacesMade(), 2);
        QVERIFY(DifferingPixels(selected, kept) > 0);
        QCOMPARE(DifferingPixels(selected, panel.FrameWithoutKeptFaces()), 0);
    }

    void aNewValueShowsOnTheNextFrameOverTheKeptFaces()
    {
        Panel panel;
        panel.fix.altitude = 512.5;
        const QImage before = panel.Frame();
        panel.fix.altitude = 1884.0;
        const QImage after = panel.Frame();
        QCOMPARE(panel.layout.FacesMade(), 1); // the faces were kept
        // The altitude's cell (the top third) changed, and only it.
        const int third = after.height() / 3;
        QVERIFY(DifferingPixels(before.copy(0, 0, after.width(), third),
                                after.copy(0, 0, after.width(), third)) > 100);
        QCOMPARE(DifferingPixels(before.copy(0, third + 2, after.width(), third * 2 - 2),
                                 after.copy(0, third + 2, after.width(), third * 2 - 2)),
                 0);
        QCOMPARE(DifferingPixels(after, panel.FrameWithoutKeptFaces()), 0);
    }

    void aNewFieldOrSizeMakesTheFacesAgain()
    {
        Panel panel;
        panel.Frame();
        panel.layout.Layout().SetType(1, kFieldOdometer, panel.settings); // another label
        const QImage odometer = panel.Frame();
        QCOMPARE(panel.layout.FacesMade(), 2);
        QCOMPARE(DifferingPixels(odometer, panel.FrameWithoutKeptFaces()), 0);
        panel.layout.resize(800, 107); // the strip under a tall map
        panel.layout.SetLayout(1, 3, false);
        const QImage strip = panel.Frame();
        QCOMPARE(panel.layout.FacesMade(), 3);
        QCOMPARE(DifferingPixels(strip, panel.FrameWithoutKeptFaces()), 0);
    }
};

QTEST_MAIN(DigitalPanelGridTest)
#include "test_digital_panel_grid.moc"
