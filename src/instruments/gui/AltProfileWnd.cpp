#include "instruments/gui/AltProfileWnd.h"

#include "base/CommandIds.h"
#include "course/CourseFollower.h"
#include "instruments/AltitudeProfile.h"
#include "instruments/CourseProfilePlot.h"
#include "instruments/NavigationSource.h"
#include "widgets/DrawListPainter.h"
#include "widgets/LongPressMenu.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

namespace hw {

AltProfileWnd::AltProfileWnd(AltitudeProfile& profile, const UnitFormatter& units,
                             const NavigationSource* navigation, QWidget* parent)
    : QWidget(parent), profile_(profile), units_(units), navigation_(navigation)
{
    setObjectName(QStringLiteral("AltProfileWnd"));
    LongPressMenu::Install(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AltProfileWnd::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    if (frame_.size() != size() * ratio) {
        frame_ = QImage(size() * ratio, QImage::Format_RGB32);
        frame_.setDevicePixelRatio(ratio);
    }
    DrawList list;
    const CourseFollower* followed = navigation_ ? navigation_->FollowedCourse() : nullptr;
    if (followed)
        CourseProfilePlot::Draw(followed->Profile(), followed->State(), {0, 0, width(), height()},
                                units_, list);
    else
        profile_.Draw({0, 0, width(), height()}, units_, list);
    QPainter p(&frame_);
    DrawListPainter(p).Paint(list);
    p.end();
    QPainter(this).drawImage(0, 0, frame_);
}

void AltProfileWnd::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const std::pair<int, QString> items[] = {
        {cmd::kClearAltitudeChart, tr("清除海拔图表(&C)")},
        {cmd::kHideAltitudeWindow, tr("隐藏窗口(&H)")},
        {cmd::kMapProperties, tr("地图属性(&M)...")},
    };
    for (const auto& [id, text] : items) {
        QAction* action = menu.addAction(text);
        connect(action, &QAction::triggered, this, [this, id = id] { emit Command(id); });
    }
    menu.exec(event->globalPos());
}

} // namespace hw
