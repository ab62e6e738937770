#pragma once

#include "base/Clock.h"
#include "base/CommandTarget.h"
#include "base/MainMenu.h"
#include "gps/GpsFix.h"
#include "instruments/BatteryStatus.h"
#include "instruments/DigitalPanelLayout.h"
#include "instruments/FormatPanelField.h"
#include "instruments/TimeZoneBias.h"
#include "instruments/TripComputer.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace hw {

class NavigationSource;
class SettingsStore;

// What the panel cells are made of.
struct PanelSources {
    const TripComputer& trip;
    const NavigationSource& navigation;
    const Clock& clock;
    const BatteryStatus& battery;
    const TimeZoneBias& zone;
    std::function<GpsFix()> fix;
};

// A grid of digital-panel cells, each a field with label, value, unit and
// sub-text; its layout and fields are stored under the owner's suffix.
// Tap-and-hold opens the owner's pop-up menu, whose commands go to the owner.
class DigitalPanelGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;

    DigitalPanelGrid(const PanelSources& sources, SettingsStore& settings, const QString& suffix,
                     QWidget* parent = nullptr);

    DigitalPanelLayout& Layout() { return layout_; }
    const DigitalPanelLayout& Layout() const { return layout_; }
    void SetLayout(int rows, int columns, bool store);
    void SetContextMenu(int resourceId, const std::vector<MenuEntry>* menu, CommandTarget* owner);
    int ContextMenuId() const { return menuId_; }

    // The cell of the last tap-and-hold.
    int PressedCell() const { return pressed_; }
    void SetPressedCell(int cell) { pressed_ = cell; }
    // Opens the pane dialog for the cell; true when a new field was chosen.
    bool ChangePane(int cell);

    bool SelectionMode() const { return selectionMode_; }
    void SetSelectionMode(bool on, bool repaint);
    int Selected() const { return selected_; }
    void MoveSelection(DigitalPanelLayout::Move move);

    // The cells' faces (frames, labels, units and the selection frame) are
    // kept as a picture and made again only when the size, the theme, the
    // fonts, the selection or those texts change; the values are painted over it every time. Off
    // paints every part every time (to compare the two).
    void SetFaceCache(bool on) { faceCache_ = on; }
    // How often the faces were painted anew (for tests).
    int FacesMade() const { return facesMade_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What the kept faces were painted from.
    struct FaceKey {
        int width = 0, height = 0;
        qreal ratio = 0;
        int rows = 0, columns = 0;
        QRgb back = 0, face = 0, ink = 0;
        DigitalPanelFonts fonts;
        int selected = -1;              // the framed cell, -1 for none
        std::vector<std::string> texts; // label and unit of each cell
        bool operator==(const FaceKey& o) const;
    };
    void PaintFaces(QPainter& p, const std::vector<PanelFieldTexts>& texts,
                    const DigitalPanelFonts& sizes);

    PanelSources sources_;
    SettingsStore& settings_;
    DigitalPanelLayout layout_;
    int menuId_ = 175;
    const std::vector<MenuEntry>* menu_ = nullptr;
    CommandTarget* owner_ = nullptr;
    int pressed_ = 0;
    bool selectionMode_ = false;
    int selected_ = 0;
    QTimer timer_;
    bool faceCache_ = true;
    QImage faces_;
    FaceKey facesKey_;
    int facesMade_ = 0;
};

} // namespace hw
