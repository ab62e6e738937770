#include "gui/GpsStausWnd.h"

#include "gui/KeepAwake.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fixscope {

namespace {

// The device's update message, carrying the copy of the record it was sent with.
class DeviceUpdateEvent : public QEvent {
public:
    explicit DeviceUpdateEvent(const GpsRecord& record)
        : QEvent(static_cast<QEvent::Type>(kUpdateMessage)), state(record)
    {
    }
    GpsRecord state;
};

// Sky view: the horizon circle around (77, 76), 0.7 pixels a degree.
constexpr double kSkyX = 77;
constexpr double kSkyY = 76;
constexpr double kPixelsPerDegree = 0.7;
// Signal bars: 20 pixels a satellite, bottom at 185, 33 pixels for 43 dB-Hz.
constexpr int kBarBottom = 185;
constexpr int kBarMaxHeight = 33;
constexpr int kBarMaxSnr = 43;

const QColor kUsedSatellite(0, 0, 255);
const QColor kUnusedSatellite(255, 0, 0);
const QColor kUsedBar(0, 0, 200);
const QColor kGrid(170, 170, 170);
const QColor kCaption(110, 110, 110);

QString Text(const std::string& text)
{
    return QString::fromStdString(text).trimmed();
}

QFont FontOfSize(const QFont& base, int pixels, bool bold = false)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

GpsStausWnd::GpsStausWnd(SerialChannel& device, QWidget* parent)
    : QWidget(parent), device_(device), keepAwake_(new KeepAwake(this))
{
    setObjectName(QStringLiteral("GpsStausWnd"));
    setProperty("windowClass", QStringLiteral("GpsStausWndClass"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    device_.AddListener(this);
}

GpsStausWnd::~GpsStausWnd()
{
    device_.RemoveListener(this);
}

void GpsStausWnd::OnDeviceMessage(unsigned message, const GpsRecord& state)
{
    if (message == kUpdateMessage)
        QCoreApplication::postEvent(this, new DeviceUpdateEvent(state));
}

bool GpsStausWnd::event(QEvent* e)
{
    if (e->type() != static_cast<QEvent::Type>(kUpdateMessage))
        return QWidget::event(e);
    state_ = static_cast<DeviceUpdateEvent*>(e)->state;
    ++updates_;
    keepAwake_->Poke();
    deviceOpen_ = device_.IsOpen();
    update();
    return true;
}

void GpsStausWnd::SetDeviceOpen(bool open)
{
    deviceOpen_ = open;
    if (open) {
        // Nothing of the previous session stays on show, not even the
        // updates it had queued before the port closed.
        QCoreApplication::removePostedEvents(this, static_cast<QEvent::Type>(kUpdateMessage));
        state_ = GpsRecord{};
    }
    update();
}

StatusTexts GpsStausWnd::Texts() const
{
    return FormatStatus(state_, std::time(nullptr));
}

void GpsStausWnd::paintEvent(QPaintEvent*)
{
    // Qt draws widgets into an off-screen buffer and copies it in one go.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    double scale = std::min(width() / double(kCanvasWidth), height() / double(kCanvasHeight));
    painter.translate((width() - kCanvasWidth * scale) / 2, (height() - kCanvasHeight * scale) / 2);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    DrawSky(painter, font);
    DrawTexts(painter, font);
}

void GpsStausWnd::DrawSky(QPainter& p, const QFont& font)
{
    // Horizon, the 45-degree ring and the compass cross.
    double horizon = 90 * kPixelsPerDegree;
    p.setPen(QPen(kGrid, 1));
    p.setBrush(QColor(246, 248, 252));
    p.drawEllipse(QPointF(kSkyX, kSkyY), horizon, horizon);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(kSkyX, kSkyY), horizon / 2, horizon / 2);
    p.drawLine(QPointF(kSkyX - horizon, kSkyY), QPointF(kSkyX + horizon, kSkyY));
    p.drawLine(QPointF(kSkyX, kSkyY - horizon), QPointF(kSkyX, kSkyY + horizon));
    p.setFont(FontOfSize(font, 9, true));
    p.setPen(kCaption);
    p.drawText(QRectF(kSkyX - 6, kSkyY - horizon - 13, 12, 12), Qt::AlignCenter,
               QStringLiteral("N"));
    p.drawText(QRectF(kSkyX + horizon + 1, kSkyY - 6, 12, 12), Qt::AlignCenter,
               QStringLiteral("E"));
    p.drawText(QRectF(kSkyX - 6, kSkyY + horizon, 12, 12), Qt::AlignCenter, QStringLiteral("S"));
    p.drawText(QRectF(kSkyX - horizon - 13, kSkyY - 6, 12, 12), Qt::AlignCenter,
               QStringLiteral("W"));

    // The bar area's base line.
    p.setPen(QPen(kGrid, 1));
    p.drawLine(QPointF(0, kBarBottom + 0.5), QPointF(kCanvasWidth, kBarBottom + 0.5));
    if (!deviceOpen_)
        return;

    QFont prnFont = FontOfSize(font, 9, true);
    QFontMetricsF metrics(prnFont);
    double diameter = metrics.height() + 2;
    int shown = std::min(state_.satellitesInView, kSatelliteSlots);
    for (int k = 0; k < shown; ++k) {
        const SatelliteEntry& s = state_.satellites[static_cast<std::size_t>(k)];
        if (s.prn == 0)
            continue;
        bool used = state_.IsUsed(s.prn);
        QString prn = QString::asprintf("%2d", s.prn).trimmed();

        double distance = (90 - std::clamp(s.elevation, 0, 90)) * kPixelsPerDegree;
        double azimuth = s.azimuth * std::numbers::pi / 180;
        QPointF centre(kSkyX + distance * std::sin(azimuth), kSkyY - distance * std::cos(azimuth));
        p.setPen(Qt::NoPen);
        p.setBrush(used ? kUsedSatellite : kUnusedSatellite);
        p.drawEllipse(centre, diameter / 2, diameter / 2);
        p.setFont(prnFont);
        p.setPen(Qt::white);
        p.drawText(QRectF(centre.x() - diameter, centre.y() - diameter / 2, 2 * diameter, diameter),
                   Qt::AlignCenter, prn);

        int height = std::min(s.snr, kBarMaxSnr) * kBarMaxHeight / kBarMaxSnr;
        QRectF bar(20 * k + 2, kBarBottom - height, 14, height);
        if (used) {
            p.setPen(Qt::NoPen);
            p.setBrush(kUsedBar);
        } else {
            p.setPen(QPen(kUnusedSatellite, 1));
            p.setBrush(Qt::white);
        }
        p.drawRect(bar);
        // The value sits at the foot of the bar; on a bar too short for it, in black.
        double textHeight = metrics.height();
        p.setPen(used && height >= textHeight ? Qt::white : Qt::black);
        p.drawText(QRectF(20 * k - 1, kBarBottom - textHeight, 20, textHeight), Qt::AlignCenter,
                   QString::number(s.snr));
        p.setPen(Qt::black);
        p.drawText(QRectF(20 * k - 1, kBarBottom + 1, 20, textHeight),
                   Qt::AlignHCenter | Qt::AlignTop, prn);
    }
}

void GpsStausWnd::DrawTexts(QPainter& p, const QFont& font)
{
    if (!deviceOpen_) {
        p.setFont(FontOfSize(font, 11));
        p.setPen(kCaption);
        p.drawText(QRectF(0, 205, kCanvasWidth, 40), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Open the GPS on the Setup page."));
        return;
    }
    StatusTexts t = Texts();
    const double x = 148;
    QFont value = FontOfSize(font, 11);
    QFont bold = FontOfSize(font, 11, true);
    QFont caption = FontOfSize(font, 9);

    auto line = [&](double y, const QFont& f, const QColor& colour, const QString& text) {
        p.setFont(f);
        p.setPen(colour);
        p.drawText(QPointF(x, y), text);
    };
    line(14, bold, Qt::black, Text(t.date));
    line(28, value, Qt::black, Text(t.time));
    line(50, value, Qt::black, Text(t.latitude));
    line(64, value, Qt::black, Text(t.longitude));
    QColor fixColour = state_.fixType == '3'   ? QColor(0, 128, 0)
                       : state_.fixType == '2' ? QColor(200, 120, 0)
                                               : QColor(200, 0, 0);
    line(86, bold, fixColour, Text(t.fix));

    auto pair = [&](double y, const QString& name, const QString& text) {
        p.setFont(caption);
        p.setPen(kCaption);
        p.drawText(QPointF(x, y), name);
        p.setFont(value);
        p.setPen(Qt::black);
        p.drawText(QPointF(x + 34, y), text);
    };
    pair(108, QStringLiteral("HDOP"), Text(t.hdop));
    pair(122, QStringLiteral("PDOP"), Text(t.pdop));

    // Course, speed and altitude in three columns under the signal bars.
    struct Column {
        const char* name;
        QString text;
    };
    const Column columns[] = {
        {"Course", Text(t.course)}, {"Speed", Text(t.speed)}, {"Altitude", Text(t.altitude)}};
    for (int i = 0; i < 3; ++i) {
        QRectF cell(i * 80, 212, 80, 14);
        p.setFont(caption);
        p.setPen(kCaption);
        p.drawText(cell, Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(columns[i].name));
        p.setFont(FontOfSize(font, 15, true));
        p.setPen(Qt::black);
        p.drawText(cell.translated(0, 14).adjusted(0, 0, 0, 8), Qt::AlignHCenter | Qt::AlignTop,
                   columns[i].text);
    }
}

} // namespace fixscope
