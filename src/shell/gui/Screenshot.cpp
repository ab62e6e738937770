#include "shell/gui/Screenshot.h"

#include "base/FormatString.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

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

void ScheduleFrameTimes(QWidget* page, int pageIndex, int frames, double afterSeconds)
{
    int ms = static_cast<int>(afterSeconds * 1000);
    QTimer::singleShot(ms, page, [page, pageIndex, frames] {
        QImage image(page->size(), QImage::Format_RGB32);
        std::vector<double> times;
        times.reserve(static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i) {
            QElapsedTimer clock;
            clock.start();
            page->render(&image);
            times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        }
        std::sort(times.begin(), times.end());
        const size_t n = times.size();
        const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
        const std::string line = FormatString(
            "{\"page\":%d,\"width\":%d,\"height\":%d,\"frames\":%d,\"min_ms\":%.3f,"
            "\"median_ms\":%.3f,\"max_ms\":%.3f}\n",
            pageIndex, page->width(), page->height(), frames, times.front(), median, times.back());
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
        QApplication::exit(0);
    });
}

} // namespace hw
