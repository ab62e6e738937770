// The painter of the core's drawing lists, into images: the pixels a user
// sees for lines, upright text and waypoint symbols with their magenta
// transparency, and items far outside the image.
#include "waypoints/WaypointSymbol.h"
#include "waypoints/gui/SymbolStrips.h"
#include "widgets/AppPaths.h"
#include "widgets/DrawListPainter.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>
#include <random>

using namespace hw;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kMagenta = qRgb(255, 0, 255);

QImage Paint(const DrawList& list, QSize size = {120, 100}, QPoint offset = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);
    p.translate(offset);
    SymbolStrips& strips = SymbolStrips::Shared();
    DrawListPainter(p, [&strips](QPainter& q, std::span<const BitmapCell> c) {
        strips.Draw(q, c);
    }).Paint(list);
    return image;
}

// The bounding box of the pixels that are not white.
QRect Ink(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The strip's file as drawn: one cell with its magenta pixels.
QImage StripCell(const BitmapCell& cell)
{
    const QImage strip(
        AppPaths::DataFile(QStringLiteral("images/symbols-%1.png").arg(cell.resourceId)));
    return strip.copy(cell.cell * cell.cellSize, 0, cell.cellSize, cell.cellSize)
        .convertToFormat(QImage::Format_RGB32);
}

// Wandering lines, as roads and paths are on a map, some leaving the image.
std::vector<std::vector<ScreenPoint>> Wanderers(unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<std::vector<ScreenPoint>> lines;
    for (int i = 0; i < 30; ++i) {
        double x = unit(rng) * 200, y = unit(rng) * 150, heading = unit(rng) * 6.3;
        std::vector<ScreenPoint> line;
        for (int k = 0; k < 12; ++k) {
            line.push_back({static_cast<int>(x), static_cast<int>(y)});
            heading += (unit(rng) - 0.5) * 1.2;
            const double step = 3 + unit(rng) * 14;
            x += std::cos(heading) * step;
            y += std::sin(heading) * step;
        }
        line.push_back(line.back()); // a repeated point draws nothing more
        lines.push_back(std::move(line));
    }
    return lines;
}

// The same lines stroked by the painter's own stroker, as the reference.
QImage Stroked(const std::vector<std::vector<ScreenPoint>>& lines, const Pen& pen, qreal ratio)
{
    QImage image(QSize(200, 150) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kWhite);
    QPainter p(&image);
    QPen q(QColor(0, 0, 160), pen.width, pen.style == PenStyle::Dash ? Qt::DashLine : Qt::SolidLine,
           pen.round ? Qt::RoundCap : Qt::FlatCap, pen.round ? Qt::RoundJoin : Qt::MiterJoin);
    p.setPen(q);
    for (const auto& line : lines) {
        QPolygon polygon;
        for (ScreenPoint point : line)
            polygon << QPoint(point.x, point.y);
        p.drawPolyline(polygon);
    }
    return image;
}

// The share of the inked pixels of either image that the other lacks.
double Difference(const QImage& a, const QImage& b, int& inked)
{
    int differ = 0;
    inked = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const bool inA = a.pixel(x, y) != kWhite, inB = b.pixel(x, y) != kWhite;
            inked += inA;
            differ += inA != inB;
        }
    return inked ? static_cast<double>(differ) / inked : 1.0;
}

} // namespace

class DrawListPainterTest : public QObject {
    Q_OBJECT
private slots:
    void linesLandOnTheirPixelsInTheirColour()
    {
        DrawList list;
        list.Add(Polyline{{Rgb(255, 0, 0), 1}, {{5, 10}, {50, 10}, {50, 60}}});
        list.Add(Polylines{{Rgb(0, 0, 255), 3}, {{{10, 80}, {100, 80}}, {{90, 20}, {90, 40}}}});
        const QImage image = Paint(list);
        QCOMPARE(image.pixel(20, 10), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(50, 40), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(60, 80), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(60, 81), qRgb(0, 0, 255)); // three pixels wide
        QCOMPARE(image.pixel(90, 30), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(20, 11), kWhite);
        QCOMPARE(image.pixel(60, 84), kWhite);
    }

    void wideRoundAndDashedLinesCoverWhatTheStrokerCovers()
    {
        // Wide round and dashed lines take a faster way than the stroker's;
        // the picture stays the stroker's but for a pixel here and there
        // (a round join where the stroker mitres a dash's corner).
        for (const qreal ratio : {1.0, 2.0})
            for (const bool dashed : {false, true})
                for (int width = 2; width <= (dashed ? 3 : 9); ++width) {
                    const auto lines = Wanderers(static_cast<unsigned>(width));
                    const Pen pen{Rgb(0, 0, 160), width, dashed ? PenStyle::Dash : PenStyle::Solid,
                                  !dashed};
                    QImage ours(QSize(200, 150) * ratio, QImage::Format_RGB32);
                    ours.setDevicePixelRatio(ratio);
                    ours.fill(kWhite);
                    QPainter p(&ours);
                    DrawList list;
                    list.Add(Polylines{pen, lines});
                    DrawListPainter(p).Paint(list);
                    p.end();
                    int inked = 0;
                    const double differ = Difference(Stroked(lines, pen, ratio), ours, inked);
                    QVERIFY(inked > 2000);
                    QVERIFY2(differ < (dashed ? 0.03 : 0.01),
                             qPrintable(QStringLiteral("ratio %1 width %2 dashed %3: %4 %")
                                            .arg(ratio)
                                            .arg(width)
                                            .arg(dashed)
                                            .arg(differ * 100)));
                }
    }

    void dashesStartWholeAndGoOnAcrossPoints()
    {
        // Two pixels wide: eight drawn, four left out, the pattern carried
        // over the point at x 15.
        DrawList list;
        list.Add(Polyline{{Rgb(0, 0, 0), 2, PenStyle::Dash}, {{10, 20}, {15, 20}, {60, 20}}});
        const QImage image = Paint(list);
        QString row;
        for (int x = 8; x < 48; ++x)
            row += image.pixel(x, 20) == kWhite ? QLatin1Char('.') : QLatin1Char('#');
        QCOMPARE(row, QStringLiteral("..########....########....########....##"));
    }

    void textWithAnEscapementOf900WritesUpward()
    {
        Text text;
        text.text = "114.2345";
        text.anchor = {40, 90};
        text.font.pointSize = -12;
        text.colour = Rgb(0, 0, 0);
        DrawList flat, upright;
        flat.Add(text);
        text.font.escapement = 900;
        upright.Add(text);
        const QRect across = Ink(Paint(flat));
        const QRect up = Ink(Paint(upright));
        QVERIFY(across.width() > 2 * across.height());
        QVERIFY2(up.height() > 2 * up.width(),
                 qPrintable(QStringLiteral("%1x%2").arg(up.width()).arg(up.height())));
        // Written upward from its anchor: the text stands above the anchor.
        QVERIFY(up.bottom() <= 90 && up.top() < 90 - across.width() + 4);
    }

    void symbolsShowTheirCellWithMagentaTransparent()
    {
        for (const bool direct : {true, false}) {
            SymbolStrips::Shared().SetDirectCopy(direct);
            for (const bool large : {false, true}) {
                const BitmapCell cell = WaypointSymbol::Bitmap(40, large, {40, 50});
                const QImage source = StripCell(cell);
                QVERIFY2(!source.isNull(), "the symbol strips are installed");
                DrawList list;
                list.Add(FillRect{{0, 0, 120, 100}, Rgb(0, 128, 0)});
                list.Add(cell);
                const QImage image = Paint(list);
                const int left = 40 - cell.cellSize / 2, top = 50 - cell.cellSize / 2;
                int transparent = 0, opaque = 0;
                for (int y = 0; y < cell.cellSize; ++y) {
                    for (int x = 0; x < cell.cellSize; ++x) {
                        const QRgb want = source.pixel(x, y);
                        const QRgb got = image.pixel(left + x, top + y);
                        if (want == kMagenta) {
                            QCOMPARE(got, qRgb(0, 128, 0));
                            ++transparent;
                        } else {
                            QCOMPARE(got, want);
                            ++opaque;
                        }
                    }
                }
                QVERIFY(transparent > 0 && opaque > 0);
                QCOMPARE(image.pixel(left - 1, top), qRgb(0, 128, 0));
                QCOMPARE(image.pixel(left + cell.cellSize, top), qRgb(0, 128, 0));
            }
        }
        SymbolStrips::Shared().SetDirectCopy(true);
    }

    void directCopiesMatchThePainterAtEdgesUnderClipsAndOffsets()
    {
        // Symbols across every edge, some under a clip, painted with an offset
        // (as a page paints a child window): the copy and the painter agree.
        DrawList list;
        for (int i = 0; i < 151; ++i)
            list.Add(
                WaypointSymbol::Bitmap(i, i % 3 == 0, {(i * 37) % 140 - 10, (i * 53) % 120 - 10}));
        list.Add(Clip{{20, 15, 70, 60}});
        for (int i = 0; i < 40; ++i)
            list.Add(WaypointSymbol::Bitmap(i * 3, i % 2 == 0, {i * 4, i * 3}));
        list.Add(Clip{});
        list.Add(WaypointSymbol::Bitmap(7, true, {118, 98}));
        for (const QPoint offset : {QPoint(0, 0), QPoint(13, 7), QPoint(-5, 20)}) {
            SymbolStrips::Shared().SetDirectCopy(false);
            const QImage painted = Paint(list, {120, 100}, offset);
            SymbolStrips::Shared().SetDirectCopy(true);
            const QImage copied = Paint(list, {120, 100}, offset);
            QCOMPARE(copied, painted);
        }
    }

    void itemsFarOffTheImageDrawNothingAndDoNotCrash()
    {
        DrawList list;
        const int far = 1 << 28;
        list.Add(Polyline{{Rgb(255, 0, 0), 2}, {{-far, -far}, {-far + 10, -far}}});
        list.Add(Polyline{{Rgb(255, 0, 0), 1}, {{far, 5}, {far, far}}});
        list.Add(Polyline{{Rgb(255, 0, 0), 5, PenStyle::Solid, true}, {{far, 5}, {far, far}}});
        list.Add(Polylines{{Rgb(255, 0, 0), 2, PenStyle::Dash}, {{{-far, 5}, {-far, far}}}});
        list.Add(Polygon{
            {Rgb(0, 0, 0), 1}, {Rgb(0, 0, 255)}, {{far, far}, {far + 9, far}, {far, far + 9}}});
        list.Add(Ellipse{{Rgb(0, 0, 0), 1}, {Rgb(0, 0, 255)}, {-far, -far, -far + 20, -far + 20}});
        Text text;
        text.text = "far";
        text.anchor = {far, -far};
        text.font.escapement = 900;
        list.Add(text);
        list.Add(WaypointSymbol::Bitmap(3, true, {-far, far}));
        list.Add(WaypointSymbol::Bitmap(3, false, {-8, 50})); // just past the left edge
        list.Add(BitmapCell{999, 5, 15, {50, 50}});           // no such strip
        list.Add(Clip{{far, far, far + 5, far + 5}});
        list.Add(WaypointSymbol::Bitmap(3, false, {50, 50})); // clipped away
        const QImage image = Paint(list);
        QCOMPARE(Ink(image), QRect());
    }
};

QTEST_MAIN(DrawListPainterTest)
#include "test_draw_list_painter.moc"
