#pragma once

#include "base/DrawList.h"
#include "instruments/WaypointMessage.h"
#include "instruments/WaypointMessageQueue.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QSoundEffect;

namespace hw {

class NavigationSource;
class UnitFormatter;

// The waypoint message window "MsgWnd": a card over the map with the
// waypoint's symbol, name and comment and, by the message type, a compass
// toward it or the speed. Plays the waypoint's sound, hides itself after the
// display time or on a tap, and repaints once a second while shown.
class MsgWnd : public QWidget {
    Q_OBJECT
public:
    using SpeedSource = std::function<double()>; // speed over ground, knots
    // Draws a symbol cell stretched into a rectangle.
    using SymbolPainter = std::function<void(QPainter&, const BitmapCell&, const QRect&)>;

    MsgWnd(const NavigationSource& map, const UnitFormatter& units, SpeedSource speed,
           SymbolPainter symbols, QWidget* parent = nullptr);

    // Shows a waypoint at once, in place of what is shown.
    void Show(const Waypoint& waypoint, const QString& title, int messageType, int displayMs);
    // An alarm: shown at once when nothing is shown, else it waits its turn.
    void ShowAlarm(const Waypoint& waypoint, const QString& title, int messageType, int displayMs);
    // Hides the window; the next alarm waiting shows.
    void Hide();
    const WaypointMessageQueue& Queue() const { return queue_; }
    // The symbol last drawn.
    int SymbolShown() const { return symbolShown_; }
    const WaypointMessage& Message() const { return message_; }
    // The sound file last started; empty when the file was missing.
    const QString& SoundPlayed() const { return soundPlayed_; }
    bool HideTimerActive() const { return hideTimer_.isActive(); }
    bool RepaintTimerActive() const { return repaintTimer_.isActive(); }
    // Where a waypoint's sound file is looked for; empty when it is missing.
    static QString ResolveSound(const std::string& file);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PlaySound();
    void PaintCard(QPainter& p);
    void PaintCompass(QPainter& p, const QRect& area);
    void PaintSpeedometer(QPainter& p, const QRect& area);
    void PaintDigitalSpeed(QPainter& p, const QRect& area);

    const NavigationSource& map_;
    const UnitFormatter& units_;
    SpeedSource speed_;
    SymbolPainter symbols_;
    WaypointMessage message_;
    WaypointMessageQueue queue_;
    int symbolShown_ = -1;
    QTimer hideTimer_;
    QTimer repaintTimer_;
    QSoundEffect* sound_ = nullptr;
    QString soundPlayed_;
};

} // namespace hw
