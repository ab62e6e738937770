#include "MapWindowFixture.h"
#include "ModalDriver.h"
#include "base/CommandIds.h"
#include "core/TestFiles.h"
#include "geo/SphericalGeometry.h"
#include "map/gui/MapPropertiesSheet.h"
#include "map/gui/MapView.h"
#include "map/gui/MapWnd.h"
#include "terrain/TerrainDrawing.h"
#include "terrain/TerrainFile.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>

using namespace hw;
using namespace hw::test;

namespace {

// Santo's southern half, from the peer SRTM tile.
const GeoPoint kSanto = GeoPoint::FromDegrees(-15.42, 166.82);
const GeoPoint kSea = GeoPoint::FromDegrees(-15.93, 166.05);

// The peer tile imported into a terrain file in dir, or an empty string
// (with the test skipped) when the peer data are not at hand.
QString ImportSanto(const QTemporaryDir& dir)
{
    const QString hgt = QString::fromStdString(test::PeerDataDir() + "/dem/S16E166.hgt");
    if (!QFile::exists(hgt))
        return {};
    const QString dem = dir.path() + "/santo.dem";
    if (QProcess::execute(QStringLiteral(HIKEWISE_BIN_DIR "/hikewise-tool"),
                          {QStringLiteral("dem-import"), hgt, dem}) != 0)
        return {};
    return dem;
}

int GreyAt(const QImage& frame, ScreenPoint p)
{
    return qGray(frame.pixel(p.x, p.y));
}

} // namespace

class MapTerrainTest : public QObject {
    Q_OBJECT
private slots:
    void slopesTurnedFromTheLightAreDarkerThanTheFlatSea()
    {
        QTemporaryDir dir;
        const QString dem = ImportSanto(dir);
        if (dem.isEmpty()) {
            if (qgetenv("HIKEWISE_REQUIRE_PEER_DATA") == "1")
                QFAIL("no S16E166.hgt in the peer data, or dem-import failed");
            QSKIP("no S16E166.hgt in the peer data");
        }
        MapWnd::RunOptions run;
        run.terrainFile = dem.toStdString();
        run.zoomIndex = 12; // 10 km
        MapWindowFixture f(dir.path(), &run);
        f.window->Map().SetGridOn(false);
        QSignalSpy notices(f.window.get(), &MapWnd::Notice);
        QVERIFY(f.window->Terrain().HasTerrain());
        // Shading alone, so that no contour line lies on a pixel looked at.
        f.window->Terrain().Set(true, false, 100);
        f.Step(kSanto);
        MapView* view = f.window->View();
        view->Render();
        const QImage shaded = view->Frame().copy();

        // The slope most turned from the light (north-west) in sight: the
        // heights fall to the east and to the south there.
        TerrainFile file;
        std::string error;
        QVERIFY(file.Open(dem.toStdString(), error));
        const MapViewport viewport = f.window->Map().Viewport();
        ScreenPoint steepest{}, facingLight{};
        double mostAway = 0, mostToward = 0;
        for (int y = 60; y < view->height() - 60; y += 6) {
            for (int x = 40; x < view->width() - 40; x += 6) {
                const GeoPoint g = viewport.ScreenToGeo({x, y});
                const GeoPoint e = viewport.ScreenToGeo({x + 3, y});
                const GeoPoint s = viewport.ScreenToGeo({x, y + 3});
                const double h = file.HeightAt(g.LatDegrees(), g.LonDegrees());
                const double fall = (h - file.HeightAt(e.LatDegrees(), e.LonDegrees())) +
                                    (h - file.HeightAt(s.LatDegrees(), s.LonDegrees()));
                if (!std::isfinite(fall))
                    continue;
                if (fall > mostAway)
                    mostAway = fall, steepest = {x, y};
                if (fall < mostToward)
                    mostToward = fall, facingLight = {x, y};
            }
        }
        QVERIFY2(mostAway > 20, "no slope turned from the light in sight");
        const int slope = GreyAt(shaded, steepest);
        const int lit = GreyAt(shaded, facingLight);
        QVERIFY2(slope < 170, qPrintable(QStringLiteral("slope grey %1").arg(slope)));
        QVERIFY2(lit > slope + 40,
                 qPrintable(QStringLiteral("lit %1 slope %2").arg(lit).arg(slope)));

        // The sea is flat: the sheet's white, untouched.
        f.Step(kSea);
        view->Render();
        const ScreenPoint sea = f.window->Map().Viewport().GeoToScreen(
            ProjectPoint(kSea, 2.0, 45)); // off the position icon
        QCOMPARE(GreyAt(view->Frame(), sea), 255);

        // Without shading, the same slope is the sheet's white.
        f.window->Terrain().Set(false, false, 100);
        f.Step(kSanto);
        view->Render();
        QCOMPARE(GreyAt(view->Frame(), steepest), 255);

        // Contours: lines and labels under the roads' place, and the credit.
        f.window->Terrain().Set(true, true, 50);
        view->Render();
        QVERIFY(!view->LastBackground().All<Polylines>().empty());
        QVERIFY(f.window->TerrainDrawn().LabelsDrawn() > 0);
        QStringList texts;
        for (const Text* t : view->LastDrawing().All<Text>())
            texts << QString::fromStdString(t->text);
        QVERIFY2(texts.contains(QStringLiteral("Elevation: NASA/USGS SRTM")),
                 qPrintable(texts.join(',')));
        QCoreApplication::processEvents();
        QCOMPARE(notices.count(), 0);
        const QByteArray gallery = qgetenv("HIKEWISE_GALLERY_DIR");
        if (!gallery.isEmpty())
            QVERIFY(
                f.window->grab().save(QString::fromLocal8Bit(gallery) + "/map-terrain-santo.png"));
    }

    void aMissingOrDamagedTerrainFileSaysWhyOnceAndDrawsNothing()
    {
        QTemporaryDir dir;
        const QString damaged = dir.path() + "/damaged.dem";
        {
            QFile file(damaged);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("HWTERRN\0 but nothing after it", 30);
        }
        for (const QString& path : {dir.path() + "/missing.dem", damaged}) {
            MapWnd::RunOptions run;
            run.terrainFile = path.toStdString();
            MapWindowFixture f(dir.path(), &run);
            QSignalSpy notices(f.window.get(), &MapWnd::Notice);
            QTRY_COMPARE(notices.count(), 1);
            const QString text = notices[0][0].toString();
            QVERIFY2(text.startsWith(QStringLiteral("No terrain: ")), qPrintable(text));
            QVERIFY2(text.contains(path), qPrintable(text));
            QVERIFY(!f.window->Terrain().HasTerrain());
            f.Step(kStart);
            f.window->View()->Render();
            for (const Text* t : f.window->View()->LastDrawing().All<Text>())
                QVERIFY(!t->text.starts_with(TerrainDrawing::kCreditLead));
            QCoreApplication::processEvents();
            QCOMPARE(notices.count(), 1);
        }
        // Nothing chosen and no file at the default place: no message.
        MapWindowFixture quiet(dir.path());
        QSignalSpy notices(quiet.window.get(), &MapWnd::Notice);
        QCoreApplication::processEvents();
        QCOMPARE(notices.count(), 0);
    }

    void theTerrainPageStoresItsSwitchesAndStrength()
    {
        QTemporaryDir dir;
        MapWindowFixture f(dir.path());
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<MapPropertiesSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            QCOMPARE(sheet->Pages()->tabText(MapPropertiesSheet::kTerrainPage),
                     QString::fromUtf8("地形"));
            QVERIFY(sheet->TerrainShadingBox()->isChecked());
            QVERIFY(sheet->TerrainContoursBox()->isChecked());
            QCOMPARE(sheet->TerrainStrengthSlider()->value(), 50);
            // Its texts are Chinese, whatever the names of the settings.
            QCOMPARE(sheet->TerrainShadingBox()->text(), QString::fromUtf8("地形阴影"));
            QCOMPARE(sheet->TerrainContoursBox()->text(), QString::fromUtf8("等高线"));
            QStringList labels;
            for (const QLabel* label : sheet->findChildren<QLabel*>())
                labels << label->text();
            QVERIFY2(labels.contains(QString::fromUtf8("阴影强度")), qPrintable(labels.join(',')));
            sheet->Pages()->setCurrentIndex(MapPropertiesSheet::kTerrainPage);
            sheet->TerrainContoursBox()->setChecked(false);
            sheet->TerrainStrengthSlider()->setValue(80);
            sheet->accept();
        });
        QVERIFY(f.window->HandleCommand(cmd::kMapProperties));
        QCOMPARE(f.settings.GetInt("地图", "Terrain Shading", -1), 1);
        QCOMPARE(f.settings.GetInt("地图", "Terrain Contours", -1), 0);
        QCOMPARE(f.settings.GetInt("地图", "Terrain Strength", -1), 80);
        QVERIFY(f.window->Terrain().Shading());
        QVERIFY(!f.window->Terrain().Contours());
        QCOMPARE(f.window->Terrain().Strength(), 80);

        // The next sheet shows what was stored; switching shading off greys
        // out its strength.
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<MapPropertiesSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            QVERIFY(!sheet->TerrainContoursBox()->isChecked());
            QCOMPARE(sheet->TerrainStrengthSlider()->value(), 80);
            sheet->TerrainShadingBox()->setChecked(false);
            QVERIFY(!sheet->TerrainStrengthSlider()->isEnabled());
            sheet->accept();
        });
        QVERIFY(f.window->HandleCommand(cmd::kMapProperties));
        QCOMPARE(f.settings.GetInt("地图", "Terrain Shading", -1), 0);
        QCOMPARE(f.settings.GetInt("地图", "Terrain Strength", -1), 80);
    }
};

QTEST_MAIN(MapTerrainTest)
#include "test_map_terrain.moc"
