#pragma once

#include "units/PositionFormatter.h"

#include <QWidget>

class QMenu;

namespace hw {

class CommandTarget;
class PositionAverager;
class SettingsStore;
class UnitFormatter;

// The averaging status "WPAverageStatusWnd": the running mean position and
// altitude, and the spread with the number of samples, on white. Its
// tap-and-hold menu gives the window's owner the commands to finish or
// cancel averaging and to open the map properties.
class WPAverageStatusWnd : public QWidget {
    Q_OBJECT
public:
    WPAverageStatusWnd(const PositionAverager& averager, const SettingsStore& settings,
                       const UnitFormatter& units, CommandTarget& commands,
                       QWidget* parent = nullptr);

    // The two text blocks as they are drawn.
    QString PositionText() const;
    QString DeviationText() const;
    // The pop-up menu "停止／完成", "取消平均", "地图属性(&M)...".
    QMenu* BuildPopupMenu(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const PositionAverager& averager_;
    PositionFormatter positions_;
    const UnitFormatter& units_;
    CommandTarget& commands_;
};

} // namespace hw
