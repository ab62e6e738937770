#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;

namespace hw {

// Tap and hold: a press held still for a moment asks the widget for its
// pop-up menu at the press point, as a right click does (the widget gets a
// context-menu event). One per widget; touch presses arrive as mouse
// presses. A press that a child passed on to its parent arms only the
// child's.
class LongPressMenu : public QObject {
public:
    static constexpr int kHoldMs = 700;

    // Gives the widget the gesture; the object lives as its child.
    static LongPressMenu* Install(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit LongPressMenu(QWidget* widget);
    void Fire();

    QWidget* widget_;
    QTimer hold_;
    QPoint press_;
};

} // namespace hw
