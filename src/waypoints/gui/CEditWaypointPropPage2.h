#pragma once

#include "waypoints/gui/CEditWaypointPropPage.h"

namespace hw {

class AlarmControls;

// "激活路点": the proximity alarm.
class CEditWaypointPropPage2 : public CEditWaypointPropPage {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage2(QWidget* parent = nullptr);
    QString Title() const override;
    void Fill(const WaypointEditValues& v) override;
    void Store(WaypointEditValues& v) const override;
    AlarmControls* Alarm() const { return alarm_; }

private:
    AlarmControls* alarm_;
};

} // namespace hw
