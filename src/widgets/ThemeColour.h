#pragma once

#include "base/Colour.h"
#include "base/ColourTheme.h"
#include "base/DrawList.h"

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

namespace hw {

class SettingsStore;

inline QColor ToQColor(Colour c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
inline Colour FromQColor(const QColor& c)
{
    return Rgb(c.red(), c.green(), c.blue());
}
inline QRect ToQRect(const ScreenRect& r)
{
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// The colour theme all pages draw with: the current theme's slot colour,
// read at each paint so that a change shows at the next repaint.
QColor ThemeColour(int slot);
Colour ThemeColourRef(int slot);
int CurrentTheme();
// Takes the theme stored in the settings.
void LoadTheme(const SettingsStore& settings);
// Makes `theme` current and stores it; the caller repaints.
void SetTheme(SettingsStore& settings, int theme);
// The desktop's colours that the system themes are made of.
SystemColours DesktopColours(const QPalette& palette);

// Draws like the handheld's rectangle calls: `r` filled with `fill` and
// outlined inside its bounds with a 1-pixel `outline`.
void DrawBox(QPainter& p, const ScreenRect& r, const QColor& outline, const QColor& fill);
void DrawRoundBox(QPainter& p, const ScreenRect& r, int corner, const QColor& outline,
                  const QColor& fill);

} // namespace hw
