#include "instruments/gui/CKORVPlotWnd.h"

#include "widgets/DrawListPainter.h"

#include <QPainter>

namespace hw {

CKORVPlotWnd::CKORVPlotWnd(KORVPlotModel& model, QWidget* parent) : QWidget(parent), model_(model)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    RebuildFonts();
}

void CKORVPlotWnd::RebuildFonts()
{
    const TextExtent x = MeasureText("XXXX", model_.Style().labelFont);
    metrics_ = {x.width, x.height};
}

void CKORVPlotWnd::Draw(QPainter& painter, const ScreenRect& rect)
{
    list_.Clear();
    model_.Draw(rect, metrics_, list_);
    DrawListPainter(painter).Paint(list_);
}

void CKORVPlotWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Draw(p, {1, 1, width() - 1, height() - 1});
}

} // namespace hw
