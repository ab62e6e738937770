#pragma once

#include <QWidget>

namespace hw {

struct WaypointEditValues;

// One page of the edit sheet: fills its controls from the sheet's values
// when the sheet opens and writes them back on OK.
class CEditWaypointPropPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual QString Title() const = 0;
    virtual void Fill(const WaypointEditValues& v) = 0;
    virtual void Store(WaypointEditValues& v) const = 0;
};

} // namespace hw
