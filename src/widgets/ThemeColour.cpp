#include "widgets/ThemeColour.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include <atomic>

namespace hw {
namespace {
std::atomic<int> currentTheme{0};
} // namespace

SystemColours DesktopColours(const QPalette& palette)
{
    SystemColours c;
    c.caption = FromQColor(palette.color(QPalette::Active, QPalette::Highlight));
    c.captionText = FromQColor(palette.color(QPalette::Active, QPalette::HighlightedText));
    c.greyText = FromQColor(palette.color(QPalette::Disabled, QPalette::WindowText));
    c.highlight = FromQColor(palette.color(QPalette::Active, QPalette::Highlight));
    c.menu = FromQColor(palette.color(QPalette::Active, QPalette::Window));
    c.menuText = FromQColor(palette.color(QPalette::Active, QPalette::WindowText));
    return c;
}

Colour ThemeColourRef(int slot)
{
    return ColourTheme::SlotColour(currentTheme.load(), slot,
                                   DesktopColours(QApplication::palette()));
}

QColor ThemeColour(int slot)
{
    return ToQColor(ThemeColourRef(slot));
}

int CurrentTheme()
{
    return currentTheme.load();
}

void LoadTheme(const SettingsStore& settings)
{
    currentTheme = ColourTheme::Load(settings);
}

void SetTheme(SettingsStore& settings, int theme)
{
    if (theme < 0 || theme >= ColourTheme::kThemeCount)
        return;
    currentTheme = theme;
    ColourTheme::Store(settings, theme);
}

void DrawBox(QPainter& p, const ScreenRect& r, const QColor& outline, const QColor& fill)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(ToQRect(r), fill);
    p.setPen(QPen(outline, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    p.restore();
}

void DrawRoundBox(QPainter& p, const ScreenRect& r, int corner, const QColor& outline,
                  const QColor& fill)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    const double radius = corner / 2.0;
    p.drawRoundedRect(QRectF(r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1), radius,
                      radius);
    p.restore();
}

} // namespace hw
