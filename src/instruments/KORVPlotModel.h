#pragma once

#include "base/DrawList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hw {

// How a strip chart looks; the page sets what it needs.
struct PlotStyle {
    int bottomMargin = 25; // pixels kept free below the plot
    int rightMargin = 50;  // pixels kept free right of the plot (the value label)
    bool valueLabel = true;
    int rangeMode = 2; // 1 grow with margin, 2 fit to the visible samples
    double marginFactor = 0.2;
    int divisions = 10;
    int gridStyle = 1; // 1 equal divisions, 2 decimal steps
    double verticalFactor = 1.0;
    double horizontalZoom = 0; // samples per pixel; 0 is one per pixel
    double horizontalLabelFactor = 1.0;
    // Unit written after the horizontal labels ("%G %s "); empty for "%G ".
    std::string horizontalLabelUnit;
    bool fill = false;
    Colour background = Rgb(0, 0, 0);
    Colour frame = Rgb(255, 0, 255);
    Colour curve = Rgb(0, 255, 0);
    Colour zeroLine = Rgb(255, 0, 0);
    Colour grid = Rgb(128, 128, 255);
    Colour text = Rgb(192, 192, 255);
    Colour fillColour = Rgb(192, 255, 192);
    std::string title = "Untitled";
    Font labelFont{"Tahoma", 10, false, 0};
    Font titleFont{"Tahoma", 14, false, 0};
};

// Sizes of text the painter measures in the label font.
struct PlotTextMetrics {
    int sampleLabelWidth = 0; // width of "XXXX"
    int lineHeight = 0;
};

// The strip chart behind `CKORVPlotWnd`: a ring of samples with an
// auto-scaled vertical range, a grid, labels and a title, turned into what to
// draw for a rectangle.
class KORVPlotModel {
public:
    explicit KORVPlotModel(size_t capacity);

    // Appends a sample; one that is not a finite number is stored as 0.
    void Push(double value);
    // Every slot to the value; the write index and the total to 0. The range
    // changes only at the next drawing.
    void Clear(double value);

    size_t Capacity() const { return samples_.size(); }
    uint64_t Total() const { return total_; }
    size_t Stored() const;
    double Last() const { return last_; }
    // Sample t, counted back from the newest (t = 0).
    double Sample(size_t t) const;

    PlotStyle& Style() { return style_; }
    const PlotStyle& Style() const { return style_; }

    double Top() const { return top_; }
    double Bottom() const { return bottom_; }
    void SetRange(double top, double bottom)
    {
        top_ = top;
        bottom_ = bottom;
    }
    void SetInitialRange(double top, double bottom)
    {
        initialTop_ = top;
        initialBottom_ = bottom;
    }

    // The plot inside a chart rectangle: margins taken off, shrunk by one.
    ScreenRect PlotRect(const ScreenRect& chart) const;
    // The number of samples across a plot of that width.
    int VisibleSamples(int plotWidth) const;
    // Adjusts the vertical range to the newest samples of the plot.
    void UpdateRange(int visibleSamples);
    // Values of the horizontal grid lines for the present range.
    std::vector<double> GridValues() const;
    // Samples between horizontal labels: from 5, doubled while half its
    // width is narrower than a label.
    static long LabelSpacing(double pixelsPerSample, int labelWidth);

    // The whole chart for a rectangle (updating the range first).
    void Draw(const ScreenRect& chart, const PlotTextMetrics& metrics, DrawList& out);

private:
    void DrawCurve(const ScreenRect& plot, int visible, double vScale, double hScale,
                   DrawList& out) const;
    void DrawLabels(const ScreenRect& plot, int visible, double vScale, double hScale,
                    const PlotTextMetrics& metrics, DrawList& out) const;
    int ValueY(const ScreenRect& plot, double displayValue, double vScale) const;

    std::vector<double> samples_;
    size_t write_ = 0;
    uint64_t total_ = 0;
    double last_ = 0;
    PlotStyle style_;
    double top_ = 500, bottom_ = -500;
    double initialTop_ = 500, initialBottom_ = -500;
};

// The analysis page's horizontal zoom steps: ..., 0.25, 0.5, 1, 2, 3, ...
double PlotZoomIn(double zoom);
double PlotZoomOut(double zoom);

} // namespace hw
