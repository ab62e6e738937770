#include "instruments/gui/CAzimuthElevationWnd.h"

#include "instruments/SkyPlotGeometry.h"
#include "widgets/AppPaths.h"
#include "widgets/ThemeColour.h"

#include <QBitmap>
#include <QPainter>

namespace hw {

CAzimuthElevationWnd::CAzimuthElevationWnd(QWidget* parent) : QWidget(parent) {}

QPixmap CAzimuthElevationWnd::SatelliteImage(int id, qreal devicePixelRatio)
{
    QString name;
    if (id == kSatelliteUsedBitmap)
        name = QStringLiteral("satellite-used");
    else if (id == kSatelliteNotUsedBitmap)
        name = QStringLiteral("satellite-not-used");
    else
        return {};
    const bool dense = devicePixelRatio >= 2;
    QPixmap image(AppPaths::DataFile(
        QStringLiteral("images/%1%2.png").arg(name, dense ? QStringLiteral("@2x") : QString())));
    if (image.isNull())
        return image;
    // Magenta is the transparent colour of the handheld's bitmaps.
    image.setMask(image.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
    // On a dense screen the doubled image keeps the size of the normal one.
    image.setDevicePixelRatio(dense ? 2.0 : 1.0);
    return image;
}

void CAzimuthElevationWnd::SetBitmaps(int usedId, int notUsedId)
{
    const qreal ratio = devicePixelRatioF();
    usedImage_ = usedId ? SatelliteImage(usedId, ratio) : QPixmap();
    notUsedImage_ = notUsedId ? SatelliteImage(notUsedId, ratio) : QPixmap();
}

void CAzimuthElevationWnd::SetColours(Colour background, Colour circle)
{
    background_ = background;
    circle_ = circle;
}

void CAzimuthElevationWnd::SetGridColour(Colour grid)
{
    grid_ = grid;
}

void CAzimuthElevationWnd::SetSatelliteColours(Colour used, Colour notUsed)
{
    usedColour_ = used;
    notUsedColour_ = notUsed;
}

void CAzimuthElevationWnd::SetSatellites(const std::array<Satellite, kSlots>& satellites,
                                         bool repaint)
{
    satellites_ = satellites;
    if (repaint)
        update();
}

void CAzimuthElevationWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Draw(p, rect());
}

void CAzimuthElevationWnd::Draw(QPainter& p, const QRect& rect) const
{
    const SkyPlotGeometry g({rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1});
    if (g.Side() <= 2)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const ScreenRect& sq = g.Square();
    p.setPen(QPen(ToQColor(circle_), 1));
    p.setBrush(ToQColor(background_));
    p.drawEllipse(QRectF(sq.left + 0.5, sq.top + 0.5, sq.Width() - 1, sq.Height() - 1));

    const ScreenPoint c = g.Centre();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(ToQColor(grid_), 0));
    p.drawLine(c.x, sq.top, c.x, sq.bottom - 1);
    p.drawLine(sq.left, c.y, sq.right - 1, c.y);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    const int ring = g.RingRadius(45);
    p.drawEllipse(QPoint(c.x, c.y), ring, ring);

    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(std::max(1, g.LabelHeight()));
    p.setFont(font);
    const QFontMetrics fm(font);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(ToQColor(background_));
    for (int i = 0; i < 4; ++i) {
        const auto label = g.CompassLabel(i);
        const QString text = QString::fromLatin1(label.text);
        const int w = fm.horizontalAdvance(text);
        const int h = fm.height();
        QRect box(0, 0, w, h);
        switch (label.anchor) {
        case SkyPlotGeometry::Anchor::TopCentre:
            box.moveTo(label.point.x - w / 2, label.point.y);
            break;
        case SkyPlotGeometry::Anchor::BottomCentre:
            box.moveTo(label.point.x - w / 2, label.point.y - h);
            break;
        case SkyPlotGeometry::Anchor::RightMiddle:
            box.moveTo(label.point.x - w, label.point.y - h / 2);
            break;
        case SkyPlotGeometry::Anchor::LeftMiddle:
            box.moveTo(label.point.x, label.point.y - h / 2);
            break;
        }
        p.fillRect(box, ToQColor(background_));
        p.drawText(box, Qt::AlignCenter, text);
    }
    p.setBackgroundMode(Qt::TransparentMode);

    for (const Satellite& s : satellites_) {
        if (s.prn == 0)
            continue;
        const ScreenPoint pt = g.Point(static_cast<int>(s.azimuth), static_cast<int>(s.elevation));
        DrawSatellite(p, s, pt.x, pt.y, rect);
    }
    p.restore();
}

void CAzimuthElevationWnd::DrawSatellite(QPainter& p, const Satellite& s, int x, int y,
                                         const QRect& bounds) const
{
    const QColor colour = ToQColor(s.used ? usedColour_ : notUsedColour_);
    const QPixmap& image = s.used ? usedImage_ : notUsedImage_;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    p.setFont(font);
    const QFontMetrics fm(font);
    const QString prn = s.label.isEmpty() ? QString::number(s.prn) : s.label;
    int textTop = y + 10;
    if (!image.isNull()) {
        const QSizeF size = image.deviceIndependentSize();
        const int w = static_cast<int>(size.width());
        const int h = static_cast<int>(size.height());
        p.drawPixmap(x - w / 2, y - h / 2, image);
        textTop = y + h / 2;
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPoint(x, y), 5, 5);
    }
    // A satellite low in the south keeps its number inside the plot: above
    // the image rather than cut off below it.
    if (textTop + fm.height() > bounds.bottom())
        textTop = y - (textTop - y) - fm.height();
    p.setPen(colour);
    const int w = fm.horizontalAdvance(prn);
    p.drawText(QRect(x - w / 2, textTop, w, fm.height()), Qt::AlignCenter, prn);
}

} // namespace hw
