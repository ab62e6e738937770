#include "map/gui/MapWnd.h"

#include "base/SettingsStore.h"
#include "base/WindowMessages.h"
#include "shell/gui/NotificationEvent.h"
#include "shell/gui/ThemeColour.h"

#include <QPainter>

namespace hw {

MapWnd::MapWnd(SettingsStore& settings, FixSource fix, QWidget* parent)
    : QWidget(parent), settings_(settings), fix_(std::move(fix)), averager_(settings),
      navigation_(waypoints_, map_),
      model_({map_, track_, trip_, profile_, waypoints_, averager_, navigation_})
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    model_.LoadSettings(settings_);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this,
            [this] { ApplyRepaint(model_.OnTimer(isVisible(), dataLost_ && dataLost_())); });
    timer_.start();
}

void MapWnd::OnGpsUpdate()
{
    ApplyRepaint(model_.OnGpsUpdate(CurrentFix(), isVisible()));
}

bool MapWnd::event(QEvent* event)
{
    if (event->type() == NotificationEvent::EventType()) {
        if (static_cast<NotificationEvent*>(event)->Message() == WM_GPS_GGA)
            OnGpsUpdate();
        return true;
    }
    return QWidget::event(event);
}

void MapWnd::ApplyRepaint(const MapWindowModel::Repaint& repaint)
{
    if (repaint.map || repaint.navigation || repaint.profile)
        update();
}

void MapWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    DrawRoundBox(p, {0, 0, width(), height()}, 15, Qt::white, ThemeColour(0));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(std::max(12, height() / 12));
    p.setFont(font);
    p.setPen(ThemeColour(1));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("地图"));
}

} // namespace hw
