#pragma once

#include "base/Clock.h"
#include "gps/GpsFix.h"
#include "instruments/BatteryStatus.h"
#include "instruments/DigitalPanelLayout.h"
#include "instruments/TimeZoneBias.h"
#include "instruments/TripComputer.h"
#include "shell/CommandTarget.h"
#include "shell/MainMenu.h"

#include <QTimer>
#include <QWidget>

#include <functional>

namespace hw {

class Navigation;
class SettingsStore;

// What the panel cells are made of.
struct PanelSources {
    const TripComputer& trip;
    const Navigation& navigation;
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
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
};

} // namespace hw
