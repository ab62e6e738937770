#include "instruments/gui/SatellitePage.h"

#include "base/TextFit.h"
#include "instruments/SatellitePageLayout.h"
#include "instruments/SatelliteViewRows.h"
#include "instruments/SignalBarLayout.h"
#include "widgets/ThemeColour.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace hw {
namespace {

QFont TahomaPixels(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(std::max(1, pixels));
    return font;
}

} // namespace

SatellitePage::SatellitePage(FixSource fix, const SettingsStore& settings, QWidget* parent)
    : QWidget(parent), fix_(std::move(fix)), settings_(settings), sky_(this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    sky_.hide(); // drawn into the page, never shown on its own
    sky_.SetColours(Rgb(235, 235, 255), Rgb(0, 0, 255));
    sky_.SetGridColour(Rgb(0, 0, 255));
    connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    timer_.start(kRepaintMs);
}

void SatellitePage::NextView()
{
    mode_ = SatellitePageLayout::NextView(mode_);
    update();
}

void SatellitePage::PreviousView()
{
    mode_ = SatellitePageLayout::PreviousView(mode_);
    update();
}

bool SatellitePage::HandlePageKey(NavKey key)
{
    if (key == NavKey::Up)
        NextView();
    else if (key == NavKey::Down)
        PreviousView();
    else
        return false;
    return true;
}

void SatellitePage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        NextView();
    QWidget::mousePressEvent(event);
}

void SatellitePage::paintEvent(QPaintEvent*)
{
    const GpsFix fix = fix_ ? fix_() : GpsFix{};
    satellites_ = SatelliteSnapshot::Take(fix);

    // The images follow the screen's density when the window moves.
    if (imageRatio_ != devicePixelRatioF()) {
        imageRatio_ = devicePixelRatioF();
        sky_.SetBitmaps(CAzimuthElevationWnd::kSatelliteUsedBitmap,
                        CAzimuthElevationWnd::kSatelliteNotUsedBitmap);
    }
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const SatellitePageLayout layout(width(), height());
    DrawRoundBox(p, layout.UpperPanel(), SatellitePageLayout::kPanelCorner, Qt::white,
                 ThemeColour(0));
    DrawBars(p, layout.BarArea());
    DrawRoundBox(p, layout.LowerPanel(), SatellitePageLayout::kPanelCorner, Qt::white,
                 ThemeColour(0));
    if (mode_ == SatellitePageLayout::kSkyPlot) {
        std::array<CAzimuthElevationWnd::Satellite, CAzimuthElevationWnd::kSlots> sats{};
        for (std::size_t i = 0; i < sats.size(); ++i) {
            const SkySatellite& s = satellites_.entries[i];
            sats[i] = {s.prn, static_cast<double>(s.azimuth), static_cast<double>(s.elevation),
                       s.used,
                       s.prn != 0 ? QString::fromStdString(satellites_.Label(s)) : QString()};
        }
        sky_.SetSatellites(sats, false);
        sky_.SetColours(ThemeColourRef(7), ThemeColourRef(8));
        sky_.SetGridColour(ThemeColourRef(8));
        sky_.SetSatelliteColours(ThemeColourRef(8), ThemeColourRef(8));
        sky_.Draw(p, ToQRect(layout.SkyPlotArea()));
    } else {
        DrawRows(p, fix);
    }
}

void SatellitePage::DrawBars(QPainter& p, const ScreenRect& area)
{
    const QFont font = TahomaPixels(
        SignalBarLayout::FontHeight(area.Width(), SignalBarLayout::SlotCount(satellites_)));
    p.setFont(font);
    const QFontMetrics fm(font);
    const SignalBarLayout bars(area, fm.height(), satellites_, [&fm](const std::string& label) {
        return fm.horizontalAdvance(QString::fromStdString(label));
    });
    const QColor frame(192, 192, 192);
    const QColor highlightText = QApplication::palette().color(QPalette::HighlightedText);
    for (const auto& slot : bars.Slots()) {
        DrawBox(p, slot.frame, frame, ThemeColour(7));
        if (slot.hasBar)
            DrawBox(p, slot.bar, frame, ThemeColour(slot.used ? 6 : 5));
        if (slot.prn == 0)
            continue;
        const QString prn = QString::fromStdString(slot.label);
        p.setPen(ThemeColour(1));
        const int w = fm.horizontalAdvance(prn);
        p.drawText(QRect(slot.centreX - w / 2, bars.BarAreaBottom() + slot.labelRow * fm.height(),
                         w, fm.height()),
                   Qt::AlignCenter, prn);
        if (slot.hasBar && slot.snrFits) {
            const QString snr = QString::number(slot.snr);
            const int sw = fm.horizontalAdvance(snr);
            p.setPen(highlightText);
            p.drawText(QRect(slot.centreX - sw / 2, slot.bar.top, sw, fm.height()), Qt::AlignCenter,
                       snr);
        }
    }
}

void SatellitePage::DrawRows(QPainter& p, const GpsFix& fix)
{
    const SatellitePageLayout layout(width(), height());
    const int sevenPoints = static_cast<int>(std::lround(7.0 * logicalDpiY() / 72.0));
    const QFont small = TahomaPixels(layout.LabelFontHeight(sevenPoints));
    const QFont large = TahomaPixels(layout.ValueFontHeight());
    for (const SatelliteViewRow& row : SatelliteViewRows(mode_, fix, settings_)) {
        const ScreenRect box = layout.Row(row.index, row.column);
        DrawRoundBox(p, box, SatellitePageLayout::kRowCorner, Qt::white, ThemeColour(2));
        p.setPen(ThemeColour(3));
        p.setFont(small);
        const QRect inner = ToQRect(box).adjusted(3, 3, -3, 0);
        p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(row.label));
        // The value shrinks where it would not fit the box's width.
        const QString value = QString::fromStdString(row.value);
        QFont valueFont = large;
        valueFont.setPixelSize(PixelsToFit(large.pixelSize(), box.Width() - 8, [&](int px) {
            QFont f = large;
            f.setPixelSize(px);
            return QFontMetrics(f).horizontalAdvance(value);
        }));
        p.setFont(valueFont);
        const QFontMetrics vm(valueFont);
        const int x = (box.left + box.right - vm.horizontalAdvance(value)) / 2;
        p.drawText(x, box.bottom - 2 - vm.descent() / 2, value);
    }
}

} // namespace hw
