#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QVariant>

#include <functional>

namespace hw::test {

// Acts on the next modal dialog of type T as soon as it is shown (each
// dialog is acted on once), as a user at the dialog would: the test
// schedules its answer, then runs the command that opens the dialog.
template <typename T> void OnNextModal(std::function<void(T*)> act)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || dialog->property("answered").toBool() || !dialog->isVisible())
            return;
        dialog->setProperty("answered", true);
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start();
}

} // namespace hw::test
