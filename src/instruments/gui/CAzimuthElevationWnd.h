#pragma once

#include "base/Colour.h"
#include "instruments/SatelliteSnapshot.h"

#include <QPixmap>
#include <QWidget>

#include <array>

class QPainter;

namespace hw {

// The sky plot: satellites by azimuth and elevation on a circle, north up.
// It paints itself as a window, or into any rectangle of another painter.
class CAzimuthElevationWnd : public QWidget {
    Q_OBJECT
public:
    struct Satellite {
        int prn = 0; // 0: empty slot
        double azimuth = 0;
        double elevation = 0;
        bool used = false;
        QString label; // drawn under it; empty: the number
    };
    static constexpr int kSlots = SatelliteSnapshot::kMaxSatellites;
    // Bitmap ids of the satellite images.
    static constexpr int kSatelliteNotUsedBitmap = 114;
    static constexpr int kSatelliteUsedBitmap = 115;

    explicit CAzimuthElevationWnd(QWidget* parent = nullptr);

    // 0 draws a dot in place of an image.
    void SetBitmaps(int usedId, int notUsedId);
    void SetColours(Colour background, Colour circle);
    void SetGridColour(Colour grid);
    void SetSatelliteColours(Colour used, Colour notUsed);
    void SetSatellites(const std::array<Satellite, kSlots>& satellites, bool repaint);
    const std::array<Satellite, kSlots>& Satellites() const { return satellites_; }

    void Draw(QPainter& p, const QRect& rect) const;

    // The image of a satellite bitmap id at the screen's density (magenta
    // already made transparent); a null pixmap for an unknown id.
    static QPixmap SatelliteImage(int id, qreal devicePixelRatio);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawSatellite(QPainter& p, const Satellite& s, int x, int y, const QRect& bounds) const;

    std::array<Satellite, kSlots> satellites_{};
    QPixmap usedImage_;
    QPixmap notUsedImage_;
    Colour usedColour_ = Rgb(0, 0, 128);
    Colour notUsedColour_ = Rgb(128, 128, 128);
    Colour background_ = Rgb(192, 192, 255);
    Colour circle_ = Rgb(128, 128, 255);
    Colour grid_ = Rgb(224, 224, 255);
};

} // namespace hw
