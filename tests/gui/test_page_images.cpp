#include "waypoints/GeocachePageValues.h"

#include <QImage>
#include <QtTest>

using namespace hw;

// The pictures beside the page templates, read by an independent GIF decoder.
class PageImagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyImageDecodesAtItsSize()
    {
        const QString folder = QStringLiteral(HIKEWISE_SOURCE_DIR "/resources/templates/");
        for (const std::string& name : GeocachePageValues::ImageNames()) {
            const QString file = QString::fromStdString(name);
            QImage image(folder + file);
            QVERIFY2(!image.isNull(), qPrintable(file));
            QSize expected(32, 32); // cache-type badges
            if (file.startsWith(QLatin1String("icon_")))
                expected = QSize(16, 16);
            else if (file == QLatin1String("sy.gif") || file == QLatin1String("sg.gif"))
                expected = QSize(9, 9);
            else if (file == QLatin1String("hsy.gif") || file == QLatin1String("hsg.gif"))
                expected = QSize(5, 9);
            QCOMPARE(image.size(), expected);
            // Drawn, not blank: more than one colour.
            QImage rgb = image.convertToFormat(QImage::Format_RGB32);
            bool varied = false;
            for (int y = 0; y < rgb.height() && !varied; ++y)
                for (int x = 0; x < rgb.width() && !varied; ++x)
                    varied = rgb.pixel(x, y) != rgb.pixel(0, 0);
            QVERIFY2(varied, qPrintable(file));
        }
    }
};

QTEST_MAIN(PageImagesTest)
#include "test_page_images.moc"
