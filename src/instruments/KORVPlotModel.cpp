#include "instruments/KORVPlotModel.h"

#include "units/UnitFormatter.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr double kMinZoom = 1.0 / 64;
constexpr int kMinVisibleSamples = 2;
constexpr size_t kMaxGridLines = 1000;

} // namespace

KORVPlotModel::KORVPlotModel(size_t capacity) : samples_(std::max<size_t>(capacity, 1), 0.0) {}

void KORVPlotModel::Push(double value)
{
    // A value that is not a number has no place on the axis: it counts as 0.
    if (!std::isfinite(value))
        value = 0;
    samples_[write_] = value;
    write_ = (write_ + 1) % samples_.size();
    ++total_;
    last_ = value;
}

void KORVPlotModel::Clear(double value)
{
    std::fill(samples_.begin(), samples_.end(), value);
    write_ = 0;
    total_ = 0;
}

size_t KORVPlotModel::Stored() const
{
    return static_cast<size_t>(std::min<uint64_t>(total_, samples_.size()));
}

double KORVPlotModel::Sample(size_t t) const
{
    size_t n = samples_.size();
    return samples_[(write_ + n - 1 - t % n) % n];
}

ScreenRect KORVPlotModel::PlotRect(const ScreenRect& chart) const
{
    return {chart.left + 1, chart.top + 1, chart.right - style_.rightMargin - 1,
            chart.bottom - style_.bottomMargin - 1};
}

int KORVPlotModel::VisibleSamples(int plotWidth) const
{
    double v = style_.horizontalZoom > 0 ? plotWidth * style_.horizontalZoom : plotWidth;
    return std::max(kMinVisibleSamples, static_cast<int>(std::min(v, 1e7)));
}

void KORVPlotModel::UpdateRange(int visibleSamples)
{
    const double factor = style_.verticalFactor;
    if (style_.rangeMode == 1) {
        double last = last_ * factor;
        if (last > top_)
            top_ = last + style_.marginFactor * std::fabs(last - bottom_);
        else if (last < bottom_)
            bottom_ = last - style_.marginFactor * std::fabs(top_ - last);
        return;
    }
    size_t n = std::min(Stored(), static_cast<size_t>(std::max(visibleSamples, 0)));
    double lo = 0, hi = 0;
    for (size_t t = 0; t < n; ++t) {
        double v = Sample(t) * factor;
        if (!std::isfinite(v))
            continue;
        lo = t == 0 ? v : std::min(lo, v);
        hi = t == 0 ? v : std::max(hi, v);
    }
    if (lo >= initialBottom_ && hi <= initialTop_) {
        top_ = initialTop_;
        bottom_ = initialBottom_;
        return;
    }
    double m = style_.marginFactor * (hi - lo);
    if (m == 0 || total_ == 0)
        top_ = hi + m;
    else if (hi >= top_ || hi < top_ - m)
        top_ = hi + m;
    if (!(lo >= bottom_ && lo <= bottom_ + m))
        bottom_ = lo - m;
}

std::vector<double> KORVPlotModel::GridValues() const
{
    std::vector<double> values;
    double d = top_ - bottom_;
    if (!(d > 0) || !std::isfinite(d) || style_.divisions <= 0)
        return values;
    double step = d / style_.divisions;
    double start = bottom_;
    if (style_.gridStyle == 2) {
        if (d >= 1) {
            double p = 10;
            while (p < d)
                p *= 10;
            d = std::trunc(d / (p / 10)) * (p / 10);
        }
        step = 2 * d / style_.divisions;
        start = std::floor(bottom_ / d) * d;
    }
    for (double v = start; v < top_ && values.size() < kMaxGridLines; v += step)
        values.push_back(v);
    return values;
}

long KORVPlotModel::LabelSpacing(double pixelsPerSample, int labelWidth)
{
    long spacing = 5;
    while (spacing * pixelsPerSample / 2 < labelWidth && spacing < (1L << 40))
        spacing *= 2;
    return spacing;
}

int KORVPlotModel::ValueY(const ScreenRect& plot, double displayValue, double vScale) const
{
    // An empty range (every sample equal) draws at mid-height.
    if (vScale == 0)
        return plot.bottom - plot.Height() / 2;
    return plot.bottom - TruncToPixel((displayValue - bottom_) * vScale);
}

void KORVPlotModel::Draw(const ScreenRect& chart, const PlotTextMetrics& metrics, DrawList& out)
{
    out.Add(Polygon{Pen{style_.frame, 1, PenStyle::Solid},
                    Brush{style_.background, false},
                    {{chart.left - 1, chart.top - 1},
                     {chart.right, chart.top - 1},
                     {chart.right, chart.bottom},
                     {chart.left - 1, chart.bottom}}});
    ScreenRect plot = PlotRect(chart);
    if (plot.Width() <= 0 || plot.Height() <= 0)
        return;
    int visible = VisibleSamples(plot.Width());
    UpdateRange(visible);
    double range = top_ - bottom_;
    double vScale = range > 0 && std::isfinite(range) ? plot.Height() / range : 0;
    double hScale = plot.Width() / static_cast<double>(visible);

    if (style_.valueLabel) {
        int y =
            std::clamp(ValueY(plot, last_ * style_.verticalFactor, vScale), plot.top, plot.bottom);
        out.Add(Polyline{Pen{style_.frame, 1, PenStyle::Solid},
                         {{plot.right + 2, y}, {plot.right + 10, y}}});
        int half = metrics.lineHeight / 2;
        int textY = std::max(chart.top + half, std::min(y, chart.bottom - half));
        out.Add(Text{FormatString("%.01f", last_ * style_.verticalFactor),
                     {plot.right + 12, textY},
                     HAlign::Left,
                     VAlign::Centre,
                     style_.labelFont,
                     style_.text});
    }

    out.Add(Clip{plot});
    int zeroY = ValueY(plot, 0, vScale);
    out.Add(Polyline{Pen{style_.zeroLine, 1, PenStyle::Solid},
                     {{plot.left, zeroY}, {plot.right, zeroY}}});
    DrawCurve(plot, visible, vScale, hScale, out);
    DrawLabels(plot, visible, vScale, hScale, metrics, out);
    out.Add(Clip{});
    out.Add(Text{style_.title,
                 {plot.right - 3, plot.top + 3},
                 HAlign::Right,
                 VAlign::Top,
                 style_.titleFont,
                 style_.text});
}

void KORVPlotModel::DrawCurve(const ScreenRect& plot, int visible, double vScale, double hScale,
                              DrawList& out) const
{
    size_t n = std::min(Stored(), static_cast<size_t>(visible));
    if (n == 0)
        return;
    int zeroY = ValueY(plot, 0, vScale);
    Pen fillPen{style_.fillColour, 1, PenStyle::Solid};
    Polyline curve{Pen{style_.curve, 1, PenStyle::Solid}, {}};
    curve.points.reserve(n);
    for (size_t t = 0; t < n; ++t) {
        ScreenPoint p{plot.right - TruncToPixel(static_cast<double>(t) * hScale),
                      ValueY(plot, Sample(t) * style_.verticalFactor, vScale)};
        if (style_.fill && t > 0 && p.x != curve.points.back().x)
            out.Add(Polyline{fillPen, {{p.x, zeroY}, p}});
        curve.points.push_back(p);
    }
    if (curve.points.size() == 1)
        curve.points.push_back(curve.points.front());
    out.Add(std::move(curve));
}

void KORVPlotModel::DrawLabels(const ScreenRect& plot, int visible, double vScale, double hScale,
                               const PlotTextMetrics& metrics, DrawList& out) const
{
    const Pen gridPen{style_.grid, 1, PenStyle::Solid};
    for (double value : GridValues()) {
        if (value == 0)
            continue;
        int y = ValueY(plot, value, vScale);
        out.Add(Polyline{gridPen, {{plot.left, y}, {plot.right, y}}});
        out.Add(Text{FormatString("%.01f", value),
                     {plot.left + 3, y},
                     HAlign::Left,
                     VAlign::Bottom,
                     style_.labelFont,
                     style_.text});
    }

    long spacing = LabelSpacing(hScale, metrics.sampleLabelWidth);
    for (long t = 0; t < visible; ++t) {
        long long number = static_cast<long long>(total_) - t - 1;
        if (number % spacing != 0)
            continue;
        int x = plot.right - TruncToPixel(static_cast<double>(t) * hScale);
        out.Add(Polyline{gridPen, {{x, plot.top}, {x, plot.bottom}}});
        std::string label;
        if (number >= 0) {
            double value = static_cast<double>(number) * style_.horizontalLabelFactor;
            label = style_.horizontalLabelUnit.empty()
                        ? FormatString("%G ", value)
                        : FormatString("%G %s ", value, style_.horizontalLabelUnit.c_str());
        }
        out.Add(Text{label,
                     {x, plot.bottom - 5},
                     HAlign::Right,
                     VAlign::Bottom,
                     style_.labelFont,
                     style_.text});
    }
}

double PlotZoomIn(double zoom)
{
    double next = zoom == 1.0 ? 0.5 : zoom <= 0.5 ? zoom / 2 : zoom - 1.0;
    return std::max(next, kMinZoom);
}

double PlotZoomOut(double zoom)
{
    if (zoom >= 1.0)
        return zoom + 1.0;
    if (zoom >= 0.5)
        return 1.0;
    return zoom > 0 ? zoom * 2 : 1.0;
}

} // namespace hw
