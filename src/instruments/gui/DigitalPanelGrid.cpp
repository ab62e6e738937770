#include "instruments/gui/DigitalPanelGrid.h"

#include "base/TextFit.h"
#include "instruments/FormatPanelField.h"
#include "instruments/PanelReadings.h"
#include "instruments/gui/ChangePaneDialog.h"
#include "shell/gui/PopupMenu.h"
#include "shell/gui/ThemeColour.h"
#include "units/UnitFormatter.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QScreen>

namespace hw {

DigitalPanelGrid::DigitalPanelGrid(const PanelSources& sources, SettingsStore& settings,
                                   const QString& suffix, QWidget* parent)
    : QWidget(parent), sources_(sources), settings_(settings), layout_(suffix.toStdString())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
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
        TrackPopupMenu(*menu_, *owner_, this, event->globalPos());
}

void DigitalPanelGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ThemeColour(0));
    const UnitFormatter units(settings_);
    const GpsFix fix = sources_.fix ? sources_.fix() : GpsFix{};
    const PanelReadings readings = PanelReadings::From(fix, sources_.navigation);
    const PanelFieldContext context{sources_.trip,  readings,         units,
                                    sources_.clock, sources_.battery, sources_.zone};
    const QScreen* s = screen();
    const bool dpi96 = !s || std::abs(s->logicalDotsPerInchY() - 96.0) < 1.0;
    const DigitalPanelFonts sizes = layout_.Fonts(width(), height(), dpi96);

    QFont valueFont(QStringLiteral("Tahoma"));
    valueFont.setPixelSize(std::max(1, sizes.valuePixels));
    valueFont.setWeight(sizes.valueBold ? QFont::Bold : QFont::Normal);
    QFont labelFont(QStringLiteral("Tahoma"));
    labelFont.setPointSizeF(sizes.labelTenths / 10.0);

    const QColor face = ThemeColour(2);
    const QColor ink = ThemeColour(3);
    const QPen outline(QColor(192, 192, 192), 1);
    PanelFieldTexts texts;
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < layout_.Columns(); ++i) {
        for (int j = 0; j < layout_.Rows(); ++j) {
            const int cell = i + j * layout_.Columns();
            const ScreenRect r = layout_.CellRect(width(), height(), i, j);
            FormatPanelField(layout_.Type(cell), context, texts);
            const int m = DigitalPanelLayout::CornerSize(r);
            const QRectF box(r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1);
            p.setPen(outline);
            p.setBrush(face);
            p.drawRoundedRect(box, m / 2.0, m / 2.0);
            p.setPen(ink);
            const QRect cellRect = ToQRect(r);
            // A value wider than its cell shrinks rather than being cut.
            const QString value = QString::fromStdString(texts.value);
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
            p.drawText(inner, Qt::AlignTop | Qt::AlignRight, QString::fromStdString(texts.unit));
            p.drawText(inner, Qt::AlignTop | Qt::AlignLeft, QString::fromStdString(texts.label));
            p.drawText(inner, Qt::AlignBottom | Qt::AlignLeft | Qt::TextSingleLine,
                       QString::fromStdString(texts.subText));
            if (selectionMode_ && cell == selected_) {
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(0, 255, 0), 5));
                p.drawRect(cellRect);
            }
        }
    }
}

} // namespace hw
