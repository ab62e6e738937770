#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace hw {

// "规划路点": a distance with its unit and a bearing from a chosen waypoint.
class PlanWaypointDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlanWaypointDialog(QWidget* parent = nullptr);
    double DistanceKm() const;
    double BearingDegrees() const;
    QLineEdit* DistanceEntry() const { return distance_; }
    QLineEdit* BearingEntry() const { return bearing_; }
    QComboBox* UnitChoice() const { return unit_; }

private:
    QLineEdit* distance_;
    QComboBox* unit_;
    QLineEdit* bearing_;
};

} // namespace hw
