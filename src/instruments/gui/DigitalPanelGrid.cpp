#include "instruments/gui/DigitalPanelGrid.h"

#include "base/TextFit.h"
#include "instruments/FormatPanelField.h"
#include "instruments/PanelReadings.h"
#include "instruments/gui/ChangePaneDialog.h"
#include "units/UnitFormatter.h"
#include "widgets/LongPressMenu.h"
#include "widgets/PopupMenu.h"
#include "widgets/ThemeColour.h"

#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>

namespace hw {

DigitalPanelGrid::DigitalPanelGrid(const PanelSources& sources, SettingsStore& settings,
                                   const QString& suffix, QWidget* parent)
    : QWidget(parent), sources_(sources), settings_(settings), layout_(suffix.toStdString())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    LongPressMenu::Install(this);
    layout_.Load(settings_);
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (isVisible())
            update();
    });
    timer_.start();
}

void DigitalPanelGrid::SetLayout(int rows, int columns, bool store)
{
    layout_.SetLayout(rows, columns, store ? &settings_ : nullptr);
    if (selected_ >= layout_.CellCount())
        selected_ = 0;
    update();
}

void DigitalPanelGrid::SetContextMenu(int resourceId, const std::vector<MenuEntry>* menu,
                                      CommandTarget* owner)
{
    menuId_ = resourceId;
    menu_ = menu;
    owner_ = owner;
}

bool DigitalPanelGrid::ChangePane(int cell)
{
    ChangePaneDialog dialog(layout_.Type(cell), this);
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0)
        return false;
    layout_.SetType(cell, dialog.Chosen(), settings_);
    update();
    return true;
}

void DigitalPanelGrid::SetSelectionMode(bool on, bool repaint)
{
    selectionMode_ = on;
    if (repaint)
        update();
}

void DigitalPanelGrid::MoveSelection(DigitalPanelLayout::Move move)
{
    selected_ = layout_.Moved(selected_, move);
    update();
}

void DigitalPanelGrid::contextMenuEvent(QContextMenuEvent* event)
{
    const int cell = layout_.CellAt(width(), height(), {event->pos().x(), event->pos().y()});
    if (cell >= 0)
        pressed_ = cell;
    if (menu_ && owner_)
        TrackPopupMenu(*menu_, *owner_, this, event->globalPos(), "DigitalPanelMenus");
}

bool DigitalPanelGrid::FaceKey::operator==(const FaceKey& o) const
{
    return width == o.width && height == o.height && ratio == o.ratio && rows == o.rows &&
           columns == o.columns && back == o.back && face == o.face && ink == o.ink &&
           fonts.valuePixels == o.fonts.valuePixels && fonts.labelTenths == o.fonts.labelTenths &&
           fonts.valueBold == o.fonts.valueBold && selected == o.selected && texts == o.texts;
}

namespace {

QFont ValueFont(const DigitalPanelFonts& sizes)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(std::max(1, sizes.valuePixels));
    font.setWeight(sizes.valueBold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont LabelFont(const DigitalPanelFonts& sizes)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(sizes.labelTenths / 10.0);
    return font;
}

} // namespace

void DigitalPanelGrid::PaintFaces(QPainter& p, const std::vector<PanelFieldTexts>& texts,
                                  const DigitalPanelFonts& sizes)
{
    // The parts of every cell that stay from one second to the next: the
    // sheet, the rounded frames, the labels and the units.
    p.fillRect(rect(), ThemeColour(0));
    const QFont labelFont = LabelFont(sizes);
    const QPen outline(QColor(192, 192, 192), 1);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < layout_.Columns(); ++i) {
        for (int j = 0; j < layout_.Rows(); ++j) {
            const int cell = i + j * layout_.Columns();
            const ScreenRect r = layout_.CellRect(width(), height(), i, j);
            const int m = DigitalPanelLayout::CornerSize(r);
            const QRectF box(r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1);
            p.setPen(outline);
            p.setBrush(ThemeColour(2));
            p.drawRoundedRect(box, m / 2.0, m / 2.0);
            p.setPen(ThemeColour(3));
            const QRect inner = ToQRect(r).adjusted(m / 2, 0, -(m / 2), 0);
            const PanelFieldTexts& t = texts[static_cast<size_t>(cell)];
            const QString label = QString::fromStdString(t.label);
            const QString unit = QString::fromStdString(t.unit);
            // Label and unit share the head line: both shrink rather than touch.
            QFont head = labelFont;
            const int pixels = QFontInfo(labelFont).pixelSize();
            const int fitted = DigitalPanelLayout::HeadPixels(pixels, r, [&](int px) {
                QFont f = labelFont;
                f.setPixelSize(px);
                const QFontMetrics metrics(f);
                return metrics.horizontalAdvance(label) + metrics.horizontalAdvance(unit);
            });
            if (fitted < pixels)
                head.setPixelSize(fitted);
            p.setFont(head);
            p.drawText(inner, Qt::AlignTop | Qt::AlignRight, unit);
            p.drawText(inner, Qt::AlignTop | Qt::AlignLeft, label);
            if (selectionMode_ && cell == selected_) {
                // Under the later cells' frames, as it always was.
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(0, 255, 0), 5));
                p.drawRect(ToQRect(r));
            }
        }
    }
}

void DigitalPanelGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const UnitFormatter units(settings_);
    const GpsFix fix = sources_.fix ? sources_.fix() : GpsFix{};
    const PanelReadings readings = PanelReadings::From(fix, sources_.navigation);
    const PanelFieldContext context{sources_.trip,  readings,         units,
                                    sources_.clock, sources_.battery, sources_.zone};
    const QScreen* s = screen();
    const bool dpi96 = !s || std::abs(s->logicalDotsPerInchY() - 96.0) < 1.0;
    const DigitalPanelFonts sizes = layout_.Fonts(width(), height(), dpi96);

    std::vector<PanelFieldTexts> texts(static_cast<size_t>(layout_.CellCount()));
    for (int cell = 0; cell < layout_.CellCount(); ++cell)
        FormatPanelField(layout_.Type(cell), context, texts[static_cast<size_t>(cell)]);

    if (faceCache_) {
        const qreal ratio = devicePixelRatioF();
        FaceKey key{width(),
                    height(),
                    ratio,
                    layout_.Rows(),
                    layout_.Columns(),
                    ThemeColour(0).rgb(),
                    ThemeColour(2).rgb(),
                    ThemeColour(3).rgb(),
                    sizes,
                    selectionMode_ ? selected_ : -1,
                    {}};
        for (const PanelFieldTexts& t : texts) {
            key.texts.push_back(t.label);
            key.texts.push_back(t.unit);
        }
        if (faces_.isNull() || !(key == facesKey_)) {
            faces_ = QImage(size() * ratio, QImage::Format_RGB32);
            faces_.setDevicePixelRatio(ratio);
            QPainter f(&faces_);
            PaintFaces(f, texts, sizes);
            facesKey_ = std::move(key);
            ++facesMade_;
        }
        p.drawImage(0, 0, faces_);
    } else {
        PaintFaces(p, texts, sizes);
    }

    // What changes: the values and the sub-texts.
    const QFont valueFont = ValueFont(sizes);
    const QFont labelFont = LabelFont(sizes);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(ThemeColour(3));
    for (int i = 0; i < layout_.Columns(); ++i) {
        for (int j = 0; j < layout_.Rows(); ++j) {
            const int cell = i + j * layout_.Columns();
            const ScreenRect r = layout_.CellRect(width(), height(), i, j);
            const PanelFieldTexts& t = texts[static_cast<size_t>(cell)];
            const int m = DigitalPanelLayout::CornerSize(r);
            const QRect cellRect = ToQRect(r);
            // A value wider than its cell shrinks rather than being cut.
            const QString value = QString::fromStdString(t.value);
            QFont fitted = valueFont;
            fitted.setPixelSize(
                PixelsToFit(valueFont.pixelSize(), DigitalPanelLayout::ValueRoom(r), [&](int px) {
                    QFont f = valueFont;
                    f.setPixelSize(px);
                    return QFontMetrics(f).horizontalAdvance(value);
                }));
            p.setFont(fitted);
            p.drawText(cellRect, Qt::AlignCenter | Qt::TextSingleLine, value);
            const QRect inner = cellRect.adjusted(m / 2, 0, -(m / 2), 0);
            p.setFont(labelFont);
            p.drawText(inner, Qt::AlignBottom | Qt::AlignLeft | Qt::TextSingleLine,
                       QString::fromStdString(t.subText));
        }
    }
}

} // namespace hw
