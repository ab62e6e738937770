#pragma once

#include "base/DrawList.h"
#include "gps/GpsFix.h"
#include "instruments/SatelliteSnapshot.h"
#include "instruments/gui/CAzimuthElevationWnd.h"
#include "widgets/PageKeyHandler.h"

#include <QTimer>
#include <QWidget>

#include <functional>

namespace hw {

class SettingsStore;

// The "GPS" page: signal bars above, and below them the position, the
// precision and counts, or the sky plot, cycled by a tap or Up and Down.
class SatellitePage : public QWidget, public PageKeyHandler {
    Q_OBJECT
public:
    using FixSource = std::function<GpsFix()>;
    static constexpr int kRepaintMs = 900;

    SatellitePage(FixSource fix, const SettingsStore& settings, QWidget* parent = nullptr);

    int ViewMode() const { return mode_; }
    void NextView();
    void PreviousView();
    bool HandlePageKey(NavKey key) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void DrawBars(QPainter& p, const ScreenRect& area);
    void DrawRows(QPainter& p, const GpsFix& fix);

    FixSource fix_;
    const SettingsStore& settings_;
    CAzimuthElevationWnd sky_;
    int mode_ = 0;
    QTimer timer_;
    SatelliteSnapshot satellites_;
    qreal imageRatio_ = 0; // the density the satellite images were loaded for
};

} // namespace hw
