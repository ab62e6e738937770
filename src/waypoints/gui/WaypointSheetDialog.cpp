#include "waypoints/gui/WaypointSheetDialog.h"

#include "waypoints/gui/CEditWaypointPropSheet.h"

#include <QDateTime>

namespace hw {

WaypointSheetDialog::WaypointSheetDialog(const PositionFormatter& positions,
                                         const UnitFormatter& units, QWidget* over,
                                         ErrorMessage error)
    : positions_(positions), units_(units), over_(over), error_(std::move(error))
{
}

bool WaypointSheetDialog::Edit(Waypoint& w, int startPage)
{
    CEditWaypointPropSheet sheet(w, positions_, units_, startPage,
                                 QDateTime::currentSecsSinceEpoch(), over_);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    w = sheet.Edited();
    return true;
}

void WaypointSheetDialog::ShowDuplicateName()
{
    error_(tr(kDuplicateName));
}

void WaypointSheetDialog::ShowCannotAdd()
{
    error_(tr(kCannotAdd));
}

} // namespace hw
