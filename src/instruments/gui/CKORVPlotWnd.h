#pragma once

#include "base/DrawList.h"
#include "instruments/KORVPlotModel.h"

#include <QWidget>

namespace hw {

// The strip chart as a window: paints its model into its client area, or,
// for a page that lays out several charts, into a rectangle of the page's
// painter. The model may belong to the window or to the page.
class CKORVPlotWnd : public QWidget {
    Q_OBJECT
public:
    CKORVPlotWnd(KORVPlotModel& model, QWidget* parent = nullptr);

    KORVPlotModel& Model() { return model_; }
    // The label widths and line height in the chart's label font.
    PlotTextMetrics Metrics() const { return metrics_; }
    // Rebuilds the font measurements after a change of the label font.
    void RebuildFonts();
    // Draws the chart into `rect` of a painter's device.
    void Draw(QPainter& painter, const ScreenRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    KORVPlotModel& model_;
    PlotTextMetrics metrics_;
    DrawList list_;
};

} // namespace hw
