#pragma once

#include "waypoints/Waypoint.h"
#include "waypoints/WaypointEditValues.h"

#include <QDialog>

#include <vector>

class QTabWidget;

namespace hw {

class CEditWaypointPropPage;
class CEditWaypointPropPage1;
class CEditWaypointPropPage2;
class CEditWaypointPropPage3;
class CEditWaypointPropPage4;
class CEditWaypointPropPage5;
class PositionFormatter;
class UnitFormatter;

// "编辑路点": the five pages over one waypoint. OK writes the pages back into
// the sheet's copy (Edited()); Cancel leaves it as it was given.
class CEditWaypointPropSheet : public QDialog {
    Q_OBJECT
public:
    CEditWaypointPropSheet(const Waypoint& w, const PositionFormatter& positions,
                           const UnitFormatter& units, int startPage, int64_t now,
                           QWidget* parent = nullptr);
    const Waypoint& Edited() const { return waypoint_; }

    QTabWidget* Tabs() const { return tabs_; }
    CEditWaypointPropPage1* Settings() const { return page1_; }
    CEditWaypointPropPage2* Alarm() const { return page2_; }
    CEditWaypointPropPage3* Geocache() const { return page3_; }
    CEditWaypointPropPage4* Comment() const { return page4_; }
    CEditWaypointPropPage5* FieldNotes() const { return page5_; }

    void accept() override;

private:
    const PositionFormatter& positions_;
    const UnitFormatter& units_;
    Waypoint waypoint_;
    WaypointEditValues values_;
    QTabWidget* tabs_;
    CEditWaypointPropPage1* page1_;
    CEditWaypointPropPage2* page2_;
    CEditWaypointPropPage3* page3_;
    CEditWaypointPropPage4* page4_;
    CEditWaypointPropPage5* page5_;
    std::vector<CEditWaypointPropPage*> pages_;
};

} // namespace hw
