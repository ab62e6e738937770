#include "waypoints/gui/SheetSize.h"

#include <QDialog>

namespace hw {

void FitSheetToWindow(QDialog* sheet, QWidget* over)
{
    QSize size(480, 640);
    if (over && over->window()->isVisible())
        size = over->window()->size();
    sheet->resize(size.expandedTo(sheet->minimumSizeHint()));
}

} // namespace hw
