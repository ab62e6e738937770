#pragma once

#include "base/CommandTarget.h"
#include "instruments/gui/DigitalPanelGrid.h"
#include "widgets/PageKeyHandler.h"

#include <QTimer>
#include <QWidget>

namespace hw {

// The trip page "DigitalPanel": a stored grid of panels filling the page,
// its layout commands, reset of the trip data, and cell selection by keys.
class DigitalPanelView : public QWidget, public CommandTarget, public PageKeyHandler {
    Q_OBJECT
public:
    static constexpr int kSelectionMs = 3000;

    DigitalPanelView(const PanelSources& sources, TripComputer& trip, SettingsStore& settings,
                     QWidget* parent = nullptr);

    DigitalPanelGrid* Grid() const { return grid_; }
    bool HandleCommand(int id) override;
    bool QueryCommand(int id, CommandStatus& status) const override;
    bool HandlePageKey(NavKey key) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TripComputer& trip_;
    DigitalPanelGrid* grid_;
    QTimer selectionTimer_;
};

} // namespace hw
