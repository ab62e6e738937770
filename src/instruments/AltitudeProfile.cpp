#include "instruments/AltitudeProfile.h"

#include "units/UnitFormatter.h"

#include <algorithm>
#include <cmath>

namespace hw {

void AltitudeProfile::Push(double altitudeMetres)
{
    float a = static_cast<float>(altitudeMetres);
    // A receiver without an altitude must not poison the range.
    if (!std::isfinite(a))
        a = 0;
    samples_[write_] = a;
    write_ = (write_ + 1) % kCapacity;
    maximum_ = std::max(maximum_, a);
    minimum_ = std::min(minimum_, a);
}

void AltitudeProfile::Clear()
{
    samples_.fill(0);
    write_ = 0;
    maximum_ = kEmptyMaximum;
    minimum_ = kEmptyMinimum;
}

void AltitudeProfile::Draw(const ScreenRect& client, const UnitFormatter& units, DrawList& out)
{
    DrawSheet(client, out);
    // Nothing pushed since the last clear: an empty sheet.
    if (maximum_ < minimum_)
        return;
    const int width = client.Width(), height = client.Height();
    const int right = client.right - 1, bottom = client.bottom - 1;
    const double range = static_cast<double>(maximum_) - minimum_;
    // The highest sample reaches the top row, the lowest the bottom row.
    // Equal maximum and minimum draw a flat line at mid-height instead of
    // dividing by zero.
    const bool flat = !(range > 0);
    const double scale = flat ? 0 : (height - 1) / range;
    const Pen pen{kCurveColour, 1, PenStyle::Solid};
    float seenMax = 0, seenMin = 0;
    const int columns = std::min<int>(width, static_cast<int>(kCapacity));
    for (int c = 0; c < columns; ++c) {
        float a = Sample(static_cast<size_t>(c));
        seenMax = c == 0 ? a : std::max(seenMax, a);
        seenMin = c == 0 ? a : std::min(seenMin, a);
        int y = flat ? bottom - height / 2 : bottom - TruncToPixel((a - minimum_) * scale);
        out.Add(Polyline{pen, {{right - c, y}, {right - c, bottom}}});
    }
    if (columns > 0) {
        maximum_ = std::min(maximum_, seenMax);
        minimum_ = std::max(minimum_, seenMin);
    }

    DrawHeightLabels(maximum_, minimum_, client, units, out);
}

void AltitudeProfile::DrawSheet(const ScreenRect& client, DrawList& out)
{
    out.Add(Polygon{Pen{Rgb(0, 0, 0), 1, PenStyle::Solid},
                    Brush{Rgb(255, 255, 255), false},
                    {{client.left, client.top},
                     {client.right - 1, client.top},
                     {client.right - 1, client.bottom - 1},
                     {client.left, client.bottom - 1}}});
}

void AltitudeProfile::DrawHeightLabels(double highestM, double lowestM, const ScreenRect& client,
                                       const UnitFormatter& units, DrawList& out)
{
    const std::string label = units.AltitudeUnitLabel();
    const Font font{"Tahoma", 7, false, 0};
    out.Add(Text{FormatString("%.02f %s", units.AltitudeFromMetres(highestM), label.c_str()),
                 {client.left + 3, client.top + 3},
                 HAlign::Left,
                 VAlign::Top,
                 font,
                 Rgb(0, 0, 0)});
    out.Add(Text{FormatString("%.02f %s", units.AltitudeFromMetres(lowestM), label.c_str()),
                 {client.left + 3, client.bottom - 3},
                 HAlign::Left,
                 VAlign::Bottom,
                 font,
                 Rgb(0, 0, 0)});
}

} // namespace hw
