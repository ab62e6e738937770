#include "instruments/gui/MsgWnd.h"

#include "base/FormatString.h"
#include "instruments/NavigationSource.h"
#include "units/UnitFormatter.h"
#include "waypoints/WaypointSymbol.h"
#include "widgets/AppPaths.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

QString Utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont Tahoma(int points, bool bold = false)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QPolygonF Arrow(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

} // namespace

MsgWnd::MsgWnd(const NavigationSource& map, const UnitFormatter& units, SpeedSource speed,
               SymbolPainter symbols, QWidget* parent)
    : QWidget(parent), map_(map), units_(units), speed_(std::move(speed)),
      symbols_(std::move(symbols))
{
    setObjectName(QStringLiteral("MsgWnd"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &MsgWnd::Hide);
    repaintTimer_.setInterval(WaypointMessage::kRepaintMs);
    connect(&repaintTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    hide();
}

void MsgWnd::Show(const Waypoint& waypoint, const QString& title, int messageType, int displayMs)
{
    message_.Set(waypoint, title.toStdString(), messageType);
    if (QWidget* over = parentWidget()) {
        // Centred over the map window, leaving a margin round it.
        const QRect area = over->rect();
        const int margin = std::max(4, std::min(area.width(), area.height()) / 20);
        setGeometry(area.adjusted(margin, margin, -margin, -margin));
    }
    show();
    raise();
    update();
    hideTimer_.start(displayMs);
    repaintTimer_.start();
    PlaySound();
}

void MsgWnd::Hide()
{
    hideTimer_.stop();
    repaintTimer_.stop();
    hide();
    // The next alarm that waited its turn.
    if (std::optional<WaypointMessageQueue::Request> next = queue_.Next())
        Show(next->waypoint, QString::fromStdString(next->title), next->messageType,
             next->displayMs);
}

void MsgWnd::ShowAlarm(const Waypoint& waypoint, const QString& title, int messageType,
                       int displayMs)
{
    if (queue_.OfferAlarm({waypoint, title.toStdString(), messageType, displayMs}, isVisible()))
        Show(waypoint, title, messageType, displayMs);
}

QString MsgWnd::ResolveSound(const std::string& file)
{
    if (file.empty())
        return {};
    const QString name = Utf8(file);
    QFileInfo direct(name);
    if (direct.isAbsolute())
        return direct.isFile() ? direct.filePath() : QString();
    // A bare name is one of the bundled sounds.
    QFileInfo bundled(AppPaths::DataFile(QStringLiteral("sounds/") + name));
    return bundled.isFile() ? bundled.filePath() : QString();
}

void MsgWnd::PlaySound()
{
    soundPlayed_ = ResolveSound(message_.Shown().strSoundFile);
    if (soundPlayed_.isEmpty())
        return; // no file: silently nothing
    if (!sound_)
        sound_ = new QSoundEffect(this);
    sound_->setSource(QUrl::fromLocalFile(soundPlayed_));
    sound_->play(); // without an audio device this does nothing
}

void MsgWnd::mousePressEvent(QMouseEvent*)
{
    Hide();
}

void MsgWnd::paintEvent(QPaintEvent*)
{
    QImage frame(size() * devicePixelRatioF(), QImage::Format_RGB32);
    frame.setDevicePixelRatio(devicePixelRatioF());
    QPainter p(&frame);
    PaintCard(p);
    p.end();
    QPainter(this).drawImage(0, 0, frame);
}

void MsgWnd::PaintCard(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRect all = rect();
    p.fillRect(all, Qt::white);
    const int w = WaypointMessage::kFrameWidth;
    const Colour frame = message_.FrameColour();
    p.setPen(QPen(QColor(RedOf(frame), GreenOf(frame), BlueOf(frame)), w));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(all).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0));
    const QRect inner = all.adjusted(w, w, -w, -w);
    const bool large = devicePixelRatioF() >= 2;

    // Header: the title, centred and wrapped, over a line.
    const int headerHeight = large ? 63 : 33;
    const QRect header(inner.left(), inner.top(), inner.width(), headerHeight);
    p.setPen(Qt::black);
    p.setFont(Tahoma(14));
    p.drawText(header, Qt::AlignCenter | Qt::TextWordWrap, Utf8(message_.Title()));
    p.drawLine(header.bottomLeft(), header.bottomRight());

    // The name under it.
    const QString name = Utf8(message_.Shown().strName);
    QRect nameBox = p.boundingRect(QRect(inner.left(), 0, inner.width(), inner.height()),
                                   Qt::AlignHCenter | Qt::TextWordWrap, name);
    nameBox.moveTop(header.bottom() + 1);
    nameBox.setLeft(inner.left());
    nameBox.setWidth(inner.width());
    p.drawText(nameBox, Qt::AlignHCenter | Qt::TextWordWrap, name);

    // The gauge: half the inner height.
    const QRect gauge(inner.left(), nameBox.bottom() + 5, inner.width(), inner.height() / 2);
    switch (message_.GaugeKind()) {
    case WaypointMessage::Gauge::Compass: PaintCompass(p, gauge); break;
    case WaypointMessage::Gauge::AnalogueSpeed: PaintSpeedometer(p, gauge); break;
    case WaypointMessage::Gauge::DigitalSpeed: PaintDigitalSpeed(p, gauge); break;
    }

    // The symbol at twice its size, top left.
    // At the current time, as the map draws it: a new cache's symbol
    // follows its age.
    symbolShown_ = message_.Symbol(QDateTime::currentSecsSinceEpoch());
    const int symbol = symbolShown_;
    const BitmapCell cell = WaypointSymbol::Bitmap(symbol, large, {0, 0});
    if (symbols_)
        symbols_(p, cell, QRect(inner.left(), inner.top(), cell.cellSize * 2, cell.cellSize * 2));

    // The comment at the foot.
    p.setPen(Qt::black);
    p.setFont(Tahoma(8));
    const QRect footer(inner.left(), gauge.bottom() + 1, inner.width(),
                       inner.bottom() - gauge.bottom());
    p.drawText(footer, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               Utf8(message_.Shown().strComment));
}

void MsgWnd::PaintCompass(QPainter& p, const QRect& area)
{
    const WaypointMessage::Compass c =
        message_.CompassValues(map_.CurrentPosition(), map_.CurrentCourse(), units_);
    const int side = std::min(area.width(), area.height());
    if (side <= 0)
        return;
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor text = palette().color(QPalette::WindowText);
    const QColor face = palette().color(QPalette::Window);
    const QColor hub = palette().color(QPalette::Button);

    p.save();
    p.translate(area.center());
    const double scale = side / 100.0; // the card is drawn 100 units across
    p.scale(scale, scale);
    p.setPen(QPen(text, 1 / scale));
    p.setBrush(face);
    p.drawEllipse(QPointF(0, 0), 48, 48);
    // The fixed course mark at the top.
    p.setPen(QPen(QColor(0, 0, 255), 1 / scale));
    p.setBrush(QColor(224, 224, 255));
    p.save();
    p.translate(0, -48);
    p.scale(0.35, 0.35);
    p.drawPolygon(Arrow({{0, 0}, {-10, 10}, {-5, 10}, {-5, 20}, {5, 20}, {5, 10}, {10, 10}}));
    p.restore();
    // Ticks and labels turned by the heading.
    p.save();
    p.rotate(-c.heading);
    QFont normal = Tahoma(7);
    QFont bold = Tahoma(7, true);
    for (int angle = 0; angle < 360; angle += 10) {
        p.save();
        p.rotate(angle);
        p.setPen(QPen(text, 1 / scale));
        p.drawLine(QPointF(0, -48), QPointF(0, angle % 30 == 0 ? -42 : -45));
        if (angle % 30 == 0) {
            QString label;
            bool cardinal = angle % 90 == 0;
            if (cardinal)
                label = QString(QStringLiteral("NESW")[angle / 90]);
            else
                label = QString::number(angle);
            QFont f = cardinal ? bold : normal;
            f.setPointSizeF(7 / scale * 1.2);
            p.setFont(f);
            p.setPen(cardinal ? QColor(255, 0, 0) : text);
            p.drawText(QRectF(-15, -42, 30, 12), Qt::AlignCenter, label);
        }
        p.restore();
    }
    p.restore();
    // The needle toward the waypoint.
    p.save();
    p.rotate(c.bearing - c.heading);
    p.setPen(QPen(highlight.darker(), 1 / scale));
    p.setBrush(highlight);
    p.drawPolygon(Arrow({{-2, 0}, {2, 0}, {2, -32}, {9, -30}, {0, -41}, {-9, -30}, {-2, -32}}));
    p.restore();
    const double hubRadius = 100.0 / 28;
    p.setPen(QPen(text, 1 / scale));
    p.setBrush(hub);
    p.drawEllipse(QPointF(0, 0), hubRadius, hubRadius);
    QFont f = Tahoma(7, true);
    f.setPointSizeF(8 / scale * 1.2);
    p.setFont(f);
    p.setPen(text);
    p.drawText(QRectF(-40, hubRadius + 4, 80, 14), Qt::AlignCenter, Utf8(c.DistanceText()));
    p.restore();
}

void MsgWnd::PaintSpeedometer(QPainter& p, const QRect& area)
{
    const double speed = units_.SpeedFromKnots(speed_ ? speed_() : 0);
    const int side = std::min(area.width(), area.height());
    if (side <= 0)
        return;
    // A 270-degree dial from 0 to full scale, needle at the speed.
    const double full = WaypointMessage::kSpeedometerFullScale;
    p.save();
    p.translate(area.center());
    const double scale = side / 100.0;
    p.scale(scale, scale);
    p.setPen(QPen(Qt::black, 1 / scale));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 48, 48);
    QFont f = Tahoma(6);
    f.setPointSizeF(6 / scale * 1.2);
    p.setFont(f);
    for (int v = 0; v <= full; v += 10) {
        p.save();
        p.rotate(-135 + 270.0 * v / full);
        p.drawLine(QPointF(0, -48), QPointF(0, v % 30 == 0 ? -41 : -44));
        if (v % 30 == 0)
            p.drawText(QRectF(-12, -41, 24, 10), Qt::AlignCenter, QString::number(v));
        p.restore();
    }
    p.drawText(QRectF(-30, 18, 60, 12), Qt::AlignCenter, Utf8(units_.SpeedUnitLabel()));
    p.save();
    p.rotate(-135 + 270.0 * std::clamp(speed, 0.0, full) / full);
    p.setPen(QPen(QColor(255, 0, 0), 2 / scale));
    p.drawLine(QPointF(0, 6), QPointF(0, -40));
    p.restore();
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(0, 0), 3, 3);
    p.restore();
}

void MsgWnd::PaintDigitalSpeed(QPainter& p, const QRect& area)
{
    const double speed = units_.SpeedFromKnots(speed_ ? speed_() : 0);
    const QRect box = area.adjusted(5, 5, -5, -5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(box, 10, 10);
    const QRect inside = box.adjusted(5, 5, -5, -5);
    p.setPen(Qt::white);
    QFont big = Tahoma(8, true);
    big.setPixelSize(std::max(1, inside.height() * 6 / 10));
    p.setFont(big);
    p.drawText(inside, Qt::AlignHCenter | Qt::AlignTop,
               QString::fromStdString(FormatString("%.0f", speed)));
    QFont small = Tahoma(8);
    small.setPixelSize(std::max(1, inside.height() / 6));
    p.setFont(small);
    p.drawText(inside, Qt::AlignHCenter | Qt::AlignBottom, Utf8(units_.SpeedUnitLabel()));
}

} // namespace hw
