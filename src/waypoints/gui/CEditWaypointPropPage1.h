#pragma once

#include "waypoints/gui/CEditWaypointPropPage.h"

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace hw {

class CPicEdit;
class SymbolChoice;

// "设定": name, latitude and longitude in masked fields with their
// hemisphere, altitude and symbol.
class CEditWaypointPropPage1 : public CEditWaypointPropPage {
    Q_OBJECT
public:
    // stateIconOn tells whether the waypoint draws its geocache state's
    // symbol, which makes a chosen symbol moot.
    CEditWaypointPropPage1(std::function<bool()> stateIconOn, QWidget* parent = nullptr);
    QString Title() const override;
    void Fill(const WaypointEditValues& v) override;
    void Store(WaypointEditValues& v) const override;

    QLineEdit* Name() const { return name_; }
    CPicEdit* Latitude() const { return latitude_; }
    CPicEdit* Longitude() const { return longitude_; }
    QComboBox* LatitudeHemisphere() const { return north_; }
    QComboBox* LongitudeHemisphere() const { return east_; }
    QLineEdit* Altitude() const { return altitude_; }
    SymbolChoice* Symbol() const { return symbol_; }

private:
    std::function<bool()> stateIconOn_;
    QLineEdit* name_;
    CPicEdit* latitude_;
    QComboBox* north_;
    CPicEdit* longitude_;
    QComboBox* east_;
    QLineEdit* altitude_;
    QLabel* altitudeUnit_;
    SymbolChoice* symbol_;
};

} // namespace hw
