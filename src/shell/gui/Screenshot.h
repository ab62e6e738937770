#pragma once

#include <QString>

class QWidget;

namespace hw {

// Renders a window to a PNG once the event loop has run for a while, then
// quits the application with 0 (written) or 1 (not written).
void ScheduleScreenshot(QWidget* window, const QString& fileName, double afterSeconds);

// After `afterSeconds`, renders `page` `frames` times off screen, prints
// {"page":P,"width":W,"height":H,"frames":N,"min_ms":..,"median_ms":..,"max_ms":..}
// on one line and ends the program.
void ScheduleFrameTimes(QWidget* page, int pageIndex, int frames, double afterSeconds);

} // namespace hw
