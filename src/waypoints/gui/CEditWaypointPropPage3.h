#pragma once

#include "waypoints/gui/CEditWaypointPropPage.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;

namespace hw {

// "Geocache": state, state symbol, found time and link.
class CEditWaypointPropPage3 : public CEditWaypointPropPage {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage3(QWidget* parent = nullptr);
    QString Title() const override;
    void Fill(const WaypointEditValues& v) override;
    void Store(WaypointEditValues& v) const override;

    QComboBox* State() const { return state_; }
    QCheckBox* UseStateIcon() const { return useStateIcon_; }
    QDateTimeEdit* Found() const { return found_; }
    QLineEdit* Link() const { return link_; }

signals:
    // "设置 Geocache 状态图标" was ticked or cleared.
    void UseStateIconChanged(bool on);

private:
    QComboBox* state_;
    QCheckBox* useStateIcon_;
    QDateTimeEdit* found_;
    QLineEdit* link_;
};

} // namespace hw
