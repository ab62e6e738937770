#include "instruments/VerticalSpeedDial.h"

#include "base/FormatString.h"
#include "base/Translate.h"

#include <algorithm>
#include <cmath>

namespace hw {

double VerticalSpeedDial::NeedleAngle(double verticalSpeed, double fullScale)
{
    if (!(fullScale > 0) || !std::isfinite(verticalSpeed))
        return 270;
    return 270 + std::clamp(verticalSpeed, -fullScale, fullScale) * 150.0 / fullScale;
}

std::string VerticalSpeedDial::TickLabel(int k, double fullScale)
{
    double s = fullScale * 0.0025;
    if (s < 1)
        s = fullScale * 0.25;
    const double v = k * s;
    // Steps like 1.25 keep their fraction, so that no two labels read alike.
    return v == std::trunc(v) ? FormatString("%.f", v) : FormatString("%g", v);
}

namespace {

constexpr double kLabelPercent = 63;
constexpr double kInmostPercent = 40;
constexpr int kSmallestPixels = 6;
constexpr const char* kCaption = HW_TRANSLATE_NOOP("VerticalSpeedDial", "垂直速度");

double TickAngle(int k)
{
    return 270 + k * 7.5;
}

// The ticks of the scale, the caption, the unit and the "上" and "Dn" marks,
// which the numbers keep clear of.
std::vector<TextObstacle> ScaleObstacles(const DialGeometry& dial, const std::string& unit,
                                         const TextMeasure& measure)
{
    std::vector<TextObstacle> obstacles;
    for (int k = -20; k <= 20; ++k) {
        const bool major = k % 5 == 0;
        obstacles.push_back(TextObstacle::Line(dial.At(89.9, TickAngle(k)),
                                               dial.At(major ? 73 : 80, TickAngle(k)),
                                               major ? dial.MediumPen() : dial.ThinPen()));
    }
    const Font small = dial.SmallFont();
    const auto mark = [&](const std::string& text, ScreenPoint at) {
        const TextExtent e = measure ? measure(text, small) : TextExtent{};
        obstacles.push_back(
            TextObstacle::Box(AlignedTextBox(at, e, HAlign::Centre, VAlign::Centre)));
    };
    mark(Translate("VerticalSpeedDial", "上"), dial.At(58, 292));
    mark(Translate("VerticalSpeedDial", "Dn"), dial.At(58, 248));
    mark(Translate("VerticalSpeedDial", kCaption), dial.AboveCentre(small, 3));
    mark(unit, dial.AboveCentre(small, 1.6));
    return obstacles;
}

} // namespace

VerticalSpeedDial::ScaleNumbers VerticalSpeedDial::PlaceNumbers(const DialGeometry& dial,
                                                                double fullScale,
                                                                const std::string& unit,
                                                                const TextMeasure& measure)
{
    const std::vector<TextObstacle> fixed = ScaleObstacles(dial, unit, measure);
    ScaleNumbers numbers;
    for (numbers.font = dial.LargeFont(); numbers.font.pointSize <= -kSmallestPixels;
         ++numbers.font.pointSize) {
        std::vector<TextObstacle> obstacles = fixed;
        numbers.centres.clear();
        for (int k = -4; k <= 4; ++k) {
            const TextExtent e =
                measure ? measure(TickLabel(std::abs(k), fullScale), numbers.font) : TextExtent{};
            for (double percent = kLabelPercent; percent >= kInmostPercent; percent -= 1) {
                const ScreenPoint at = dial.At(percent, TickAngle(k * 5));
                const ScreenRect box = AlignedTextBox(at, e, HAlign::Centre, VAlign::Centre);
                if (ClearOf(box, obstacles, 1)) {
                    numbers.centres.push_back(at);
                    obstacles.push_back(TextObstacle::Box(box));
                    break;
                }
            }
            if (numbers.centres.size() != static_cast<size_t>(k + 5))
                break;
        }
        if (numbers.centres.size() == 9)
            return numbers;
    }
    // Nowhere clear: the smallest font on the usual circle.
    numbers.font.pointSize = -kSmallestPixels;
    numbers.centres.clear();
    for (int k = -4; k <= 4; ++k)
        numbers.centres.push_back(dial.At(kLabelPercent, TickAngle(k * 5)));
    return numbers;
}

void VerticalSpeedDial::Draw(const DialGeometry& dial, double verticalSpeed, double fullScale,
                             const std::string& unit, const GaugeColours& colours,
                             const TextMeasure& measure, DrawList& out)
{
    if (dial.Side() <= 0)
        return;
    dial.Face(colours, out);
    const ScaleNumbers numbers = PlaceNumbers(dial, fullScale, unit, measure);
    const Font small = dial.SmallFont();
    for (int k = -20; k <= 20; ++k) {
        const double a = TickAngle(k);
        const bool major = k % 5 == 0;
        out.Add(Polyline{
            Pen{colours.highlight, major ? dial.MediumPen() : dial.ThinPen(), PenStyle::Solid},
            {dial.At(89.9, a), dial.At(major ? 73 : 80, a)}});
        if (major)
            dial.Label(TickLabel(std::abs(k) / 5, fullScale),
                       numbers.centres[static_cast<size_t>(k / 5 + 4)], numbers.font, colours.text,
                       out);
    }
    // The caption and the unit in the small font, so that neither runs into
    // the scale's numbers.
    dial.Label(Translate("VerticalSpeedDial", kCaption), dial.AboveCentre(small, 3), small,
               colours.text, out);
    dial.Label(unit, dial.AboveCentre(small, 1.6), small, colours.text, out);
    dial.Label(Translate("VerticalSpeedDial", "上"), dial.At(58, 292), small, colours.text, out);
    dial.Label(Translate("VerticalSpeedDial", "Dn"), dial.At(58, 248), small, colours.text, out);
    const double a = NeedleAngle(verticalSpeed, fullScale);
    // The head stops short of the scale's numbers, which it would cover at 0.
    dial.Shaft(a, 36, dial.MediumPen(), colours.highlight, out);
    dial.Diamond(a, 38, 55, 44, 6, colours.highlight, out);
    dial.Hub(colours.highlight, out);
}

} // namespace hw
