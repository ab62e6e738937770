#pragma once

#include "waypoints/WaypointEditValues.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QTabWidget;

namespace hw {

class AlarmControls;
class PositionFormatter;
class SymbolChoice;
class UnitFormatter;

// "编辑多个路点": symbol, geocache state and alarm for a group of waypoints,
// each group applied only when its "修改" box is ticked. Starts from the
// defaults of a new waypoint.
class CEditMultipleWPPropSheet : public QDialog {
    Q_OBJECT
public:
    CEditMultipleWPPropSheet(const PositionFormatter& positions, const UnitFormatter& units,
                             QWidget* parent = nullptr);
    // The values and change flags chosen; valid after OK.
    const MultiEditValues& Values() const { return values_; }

    QTabWidget* Tabs() const { return tabs_; }
    QCheckBox* ChangeSymbol() const { return changeSymbol_; }
    SymbolChoice* Symbol() const { return symbol_; }
    QCheckBox* ChangeState() const { return changeState_; }
    QComboBox* State() const { return state_; }
    QCheckBox* UseStateIcon() const { return useStateIcon_; }
    QCheckBox* ChangeAlarm() const { return changeAlarm_; }
    AlarmControls* Alarm() const { return alarm_; }

    void accept() override;

private:
    QWidget* SymbolPage();
    QWidget* AlarmPage();

    const PositionFormatter& positions_;
    const UnitFormatter& units_;
    MultiEditValues values_;
    WaypointEditValues shown_; // the controls' texts of values_.values
    QTabWidget* tabs_;
    QCheckBox* changeSymbol_ = nullptr;
    SymbolChoice* symbol_ = nullptr;
    QCheckBox* changeState_ = nullptr;
    QComboBox* state_ = nullptr;
    QCheckBox* useStateIcon_ = nullptr;
    QCheckBox* changeAlarm_ = nullptr;
    AlarmControls* alarm_ = nullptr;
};

} // namespace hw
