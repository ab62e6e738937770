#pragma once

#include <QString>

class QWidget;

namespace hw {

// Renders a window to a PNG once the event loop has run for a while, then
// quits the application with 0 (written) or 1 (not written).
void ScheduleScreenshot(QWidget* window, const QString& fileName, double afterSeconds);

} // namespace hw
