// Draws the program's small images at normal and double density.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

// Renders a drawing made on a `w` x `h` grid at `scale`; `key` fills the
// background (magenta for the handheld-style transparent bitmaps).
bool Render(const QString& file, int w, int h, int scale, const QColor& key, const Drawing& draw)
{
    QImage image(w * scale, h * scale, QImage::Format_ARGB32);
    image.fill(key);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, key.alpha() == 0);
    p.scale(scale, scale);
    draw(p);
    p.end();
    if (!image.save(file)) {
        std::fprintf(stderr, "hikewise-art: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

// A satellite on a 15 x 13 grid: a body between two solar panels.
Drawing Satellite(const QColor& body, const QColor& panel, const QColor& line)
{
    return [=](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(panel);
        p.drawRect(QRectF(0, 4, 5, 5));
        p.drawRect(QRectF(10, 4, 5, 5));
        p.setBrush(line);
        p.drawRect(QRectF(5, 6, 5, 1));
        p.drawRect(QRectF(2, 4, 1, 5));
        p.drawRect(QRectF(12, 4, 1, 5));
        p.setBrush(body);
        p.drawRect(QRectF(5, 3, 5, 7));
        p.setBrush(line);
        p.drawRect(QRectF(7, 0, 1, 3));
        p.drawRect(QRectF(6, 10, 3, 3));
    };
}

// Bar buttons on a 16 x 16 grid.
void MarkWaypoint(QPainter& p)
{
    // A flag planted on a spot.
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.drawLine(QPointF(4.5, 1.5), QPointF(4.5, 14.5));
    QPainterPath flag;
    flag.moveTo(5, 2);
    flag.lineTo(14, 4.5);
    flag.lineTo(5, 7.5);
    flag.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 40, 40));
    p.drawPath(flag);
    p.setBrush(QColor(40, 110, 200));
    p.drawEllipse(QPointF(4.5, 14), 3.2, 1.6);
}

void ConnectGps(QPainter& p)
{
    // A plug with its cable, and signal waves.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 50, 50));
    p.drawRoundedRect(QRectF(2, 7, 7, 6), 1, 1);
    p.drawRect(QRectF(3.5, 4, 1.2, 3));
    p.drawRect(QRectF(6.3, 4, 1.2, 3));
    p.setPen(QPen(QColor(50, 50, 50), 1.4));
    p.drawLine(QPointF(5.5, 13), QPointF(5.5, 15.5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 150, 60), 1.4));
    p.drawArc(QRectF(7, 1, 8, 8), 0 * 16, 90 * 16);
    p.drawArc(QRectF(9.5, 3.5, 3, 3), 0 * 16, 90 * 16);
}

void WaypointManager(QPainter& p)
{
    // A list of waypoints: pins beside lines.
    for (int row = 0; row < 3; ++row) {
        const double y = 2.5 + row * 5;
        p.setPen(Qt::NoPen);
        p.setBrush(row == 1 ? QColor(214, 40, 40) : QColor(40, 110, 200));
        p.drawEllipse(QPointF(3, y), 2, 2);
        p.setBrush(QColor(70, 70, 70));
        p.drawRect(QRectF(6.5, y - 0.8, 8, 1.6));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    const QColor magenta(255, 0, 255);
    const QColor clear(0, 0, 0, 0);
    bool ok = true;
    const Drawing used = Satellite(QColor(0, 0, 128), QColor(40, 90, 230), QColor(0, 0, 60));
    const Drawing notUsed =
        Satellite(QColor(128, 128, 128), QColor(176, 176, 176), QColor(80, 80, 80));
    for (int scale : {1, 2}) {
        const QString suffix = scale == 2 ? QStringLiteral("@2x") : QString();
        ok &= Render(dir + QStringLiteral("/satellite-used%1.png").arg(suffix), 15, 13, scale,
                     magenta, used);
        ok &= Render(dir + QStringLiteral("/satellite-not-used%1.png").arg(suffix), 15, 13, scale,
                     magenta, notUsed);
    }
    for (int size : {16, 32}) {
        const int scale = size / 16;
        ok &= Render(dir + QStringLiteral("/button-mark-waypoint-%1.png").arg(size), 16, 16, scale,
                     clear, MarkWaypoint);
        ok &= Render(dir + QStringLiteral("/button-connect-gps-%1.png").arg(size), 16, 16, scale,
                     clear, ConnectGps);
        ok &= Render(dir + QStringLiteral("/button-waypoint-manager-%1.png").arg(size), 16, 16,
                     scale, clear, WaypointManager);
    }
    return ok ? 0 : 1;
}
