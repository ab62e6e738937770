#include "waypoints/gui/WPAverageStatusWnd.h"

#include "base/CommandIds.h"
#include "waypoints/AveragingStatusLayout.h"
#include "waypoints/PositionAverager.h"
#include "widgets/LongPressMenu.h"
#include "widgets/PopupMenu.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QTextOption>

#include <cmath>
#include <vector>

#include <QCoreApplication>

namespace hw {

WPAverageStatusWnd::WPAverageStatusWnd(const PositionAverager& averager,
                                       const SettingsStore& settings, const UnitFormatter& units,
                                       CommandTarget& commands, QWidget* parent)
    : QWidget(parent), averager_(averager), positions_(settings), units_(units), commands_(commands)
{
    setObjectName(QStringLiteral("WPAverageStatusWnd"));
    LongPressMenu::Install(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(7);
    setFont(font);
}

QString WPAverageStatusWnd::PositionText() const
{
    return QString::fromStdString(averager_.PositionStatusText(positions_, units_));
}

QString WPAverageStatusWnd::DeviationText() const
{
    return QString::fromStdString(averager_.DeviationStatusText(units_));
}

void WPAverageStatusWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // A hairline parts it from the map above, which is white too.
    p.setPen(Qt::lightGray);
    p.drawLine(0, 0, width(), 0);
    p.setPen(Qt::black);
    const QFontMetrics metrics(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    // The values line up after the widest label.
    option.setTabStopDistance(metrics.horizontalAdvance(QStringLiteral("Deviation:")) +
                              metrics.averageCharWidth() * 2);
    const QString first = PositionText();
    const QString second = DeviationText();
    const QRectF whole(rect());
    const auto extent = [&](const QString& text) {
        const QRectF box = p.boundingRect(whole, text, option);
        return TextExtent{static_cast<int>(std::ceil(box.width())),
                          static_cast<int>(std::ceil(box.height()))};
    };
    std::vector<TextExtent> lines;
    for (const QString& line : first.split(QLatin1Char('\n')))
        lines.push_back(extent(line));
    const AveragingStatusLayout layout(width(), height(), lines, extent(second));
    const ScreenRect& top = layout.FirstLines().front();
    p.drawText(QRectF(top.left, top.top, width(), height()), first, option);
    const ScreenRect below = layout.SecondBlock();
    p.drawText(QRectF(below.left, below.top, width(), height()), second, option);
}

QMenu* WPAverageStatusWnd::BuildPopupMenu(QWidget* parent)
{
    static const std::vector<MenuEntry> entries = {
        {QT_TRANSLATE_NOOP("WPAverageStatusWnd", "停止／完成"), cmd::kAverageStop, {}},
        {QT_TRANSLATE_NOOP("WPAverageStatusWnd", "取消平均"), cmd::kAverageCancel, {}},
        {QT_TRANSLATE_NOOP("WPAverageStatusWnd", "地图属性(&M)..."), cmd::kMapProperties, {}},
    };
    return hw::BuildPopupMenu(entries, commands_, parent, "WPAverageStatusWnd");
}

void WPAverageStatusWnd::contextMenuEvent(QContextMenuEvent* event)
{
    ExecPopupMenu(BuildPopupMenu(this), event->globalPos());
}

} // namespace hw
