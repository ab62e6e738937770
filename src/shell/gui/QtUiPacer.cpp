#include "shell/gui/QtUiPacer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace hw {

void QtUiPacer::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void QtUiPacer::Sleep(int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const qint64 left = milliseconds - elapsed.elapsed();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}

} // namespace hw
