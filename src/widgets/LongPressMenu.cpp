#include "widgets/LongPressMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>

namespace hw {
namespace {

// The press last armed, so that its propagation to a parent arms no second
// hold.
struct ArmedPress {
    const QEvent* event = nullptr;
    quint64 timestamp = 0;
};
ArmedPress& LastArmed()
{
    static ArmedPress armed;
    return armed;
}

} // namespace

LongPressMenu* LongPressMenu::Install(QWidget* widget)
{
    return new LongPressMenu(widget);
}

LongPressMenu::LongPressMenu(QWidget* widget) : QObject(widget), widget_(widget)
{
    hold_.setSingleShot(true);
    hold_.setInterval(kHoldMs);
    connect(&hold_, &QTimer::timeout, this, &LongPressMenu::Fire);
    widget->installEventFilter(this);
}

bool LongPressMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        ArmedPress& armed = LastArmed();
        const bool passedOn = armed.event == event && armed.timestamp == press->timestamp();
        if (press->button() != Qt::LeftButton || passedOn) {
            hold_.stop();
            break;
        }
        armed = {event, press->timestamp()};
        press_ = press->position().toPoint();
        hold_.start();
        break;
    }
    case QEvent::MouseMove:
        if (hold_.isActive() &&
            (static_cast<QMouseEvent*>(event)->position().toPoint() - press_).manhattanLength() >
                QApplication::startDragDistance())
            hold_.stop();
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::Hide:
    case QEvent::ContextMenu: hold_.stop(); break;
    default: break;
    }
    return false;
}

void LongPressMenu::Fire()
{
    if (!widget_->isVisible())
        return;
    QContextMenuEvent menu(QContextMenuEvent::Mouse, press_, widget_->mapToGlobal(press_));
    // Sent past this filter's own stop: the hold is over already.
    QApplication::sendEvent(widget_, &menu);
}

} // namespace hw
