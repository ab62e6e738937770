#include "shell/gui/Screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace hw {

void ScheduleScreenshot(QWidget* window, const QString& fileName, double afterSeconds)
{
    int ms = static_cast<int>(afterSeconds * 1000);
    QTimer::singleShot(ms, window, [window, fileName] {
        // One more turn of the loop so that pending layouts and paints settle.
        QTimer::singleShot(50, window, [window, fileName] {
            bool ok = window->grab().save(fileName, "PNG");
            if (!ok)
                std::fprintf(stderr, "hikewise: cannot write %s\n", qPrintable(fileName));
            QApplication::exit(ok ? 0 : 1);
        });
    });
}

} // namespace hw
