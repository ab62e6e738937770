// Renders every SVG icon of a folder as PNG files in the sizes the icon
// theme asks for: OUTDIR/<n>x<n>/<name>.png.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: hikewise-icons SVGDIR OUTDIR\n");
        return 2;
    }
    const QDir in(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QStringList svgs = in.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    if (svgs.isEmpty()) {
        std::fprintf(stderr, "hikewise-icons: no SVG files in %s\n", argv[1]);
        return 1;
    }
    for (const QString& name : svgs) {
        QSvgRenderer svg(in.filePath(name));
        if (!svg.isValid()) {
            std::fprintf(stderr, "hikewise-icons: cannot read %s\n", qPrintable(name));
            return 1;
        }
        for (int size : {48, 128, 256}) {
            const QString dir = QStringLiteral("%1x%1").arg(size);
            if (!out.mkpath(dir))
                return 1;
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter, QRectF(0, 0, size, size));
            painter.end();
            const QString file =
                out.filePath(dir + QLatin1Char('/') + QFileInfo(name).completeBaseName() +
                             QStringLiteral(".png"));
            if (!image.save(file)) {
                std::fprintf(stderr, "hikewise-icons: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
