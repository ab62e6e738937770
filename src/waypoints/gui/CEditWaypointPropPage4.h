#pragma once

#include "waypoints/gui/CEditWaypointPropPage.h"

class QPlainTextEdit;

namespace hw {

// "注释/描述": the comment.
class CEditWaypointPropPage4 : public CEditWaypointPropPage {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage4(QWidget* parent = nullptr);
    QString Title() const override;
    void Fill(const WaypointEditValues& v) override;
    void Store(WaypointEditValues& v) const override;
    QPlainTextEdit* Comment() const { return comment_; }

private:
    QPlainTextEdit* comment_;
};

} // namespace hw
