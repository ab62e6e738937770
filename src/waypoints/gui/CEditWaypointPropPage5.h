#pragma once

#include "waypoints/gui/CEditWaypointPropPage.h"

class QCheckBox;
class QPlainTextEdit;

namespace hw {

// "区域注释": the field note of a visit and its upload flag.
class CEditWaypointPropPage5 : public CEditWaypointPropPage {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage5(QWidget* parent = nullptr);
    QString Title() const override;
    void Fill(const WaypointEditValues& v) override;
    void Store(WaypointEditValues& v) const override;
    QPlainTextEdit* Notes() const { return notes_; }
    QCheckBox* Pending() const { return pending_; }

private:
    QPlainTextEdit* notes_;
    QCheckBox* pending_;
};

} // namespace hw
