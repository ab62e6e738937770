#include "instruments/CourseProfilePlot.h"

#include "base/Translate.h"
#include "course/CourseFollower.h"
#include "course/CourseProfile.h"
#include "instruments/AltitudeProfile.h"
#include "units/UnitFormatter.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

// The height at a distance along the course, between the points around it;
// NaN where neither has one.
double HeightAlong(const CourseProfile& profile, double distance)
{
    const std::vector<double>& d = profile.Distances();
    const size_t i =
        static_cast<size_t>(std::upper_bound(d.begin(), d.end(), distance) - d.begin());
    if (i == 0)
        return profile.HeightAt(0);
    if (i >= d.size())
        return profile.HeightAt(d.size() - 1);
    const double a = profile.HeightAt(i - 1), b = profile.HeightAt(i);
    if (!std::isfinite(a) || !std::isfinite(b))
        return std::isfinite(a) ? a : b;
    const double span = d[i] - d[i - 1];
    return span > 0 ? a + (b - a) * (distance - d[i - 1]) / span : b;
}

} // namespace

void CourseProfilePlot::Draw(const CourseProfile& profile, const FollowState& state,
                             const ScreenRect& client, const UnitFormatter& units, DrawList& out)
{
    AltitudeProfile::DrawSheet(client, out);
    const Font font{"Tahoma", 7, false, 0};
    const int width = client.Width(), height = client.Height();
    const double length = profile.LengthM();
    if (width < 2 || height < 2 || !(length > 0))
        return;
    if (!profile.HasHeights()) {
        out.Add(Text{Translate("CourseProfilePlot", "路线没有高度数据"),
                     {client.left + width / 2, client.top + height / 2},
                     HAlign::Centre,
                     VAlign::Centre,
                     font,
                     Rgb(0, 0, 0)});
        return;
    }
    std::vector<double> column(static_cast<size_t>(width));
    double lowest = INFINITY, highest = -INFINITY;
    for (int c = 0; c < width; ++c) {
        const double h = HeightAlong(profile, length * c / (width - 1));
        column[static_cast<size_t>(c)] = h;
        if (std::isfinite(h)) {
            lowest = std::min(lowest, h);
            highest = std::max(highest, h);
        }
    }
    const int bottom = client.bottom - 1;
    const double range = highest - lowest;
    const double scale = range > 0 ? (height - 1) / range : 0;
    const int place =
        client.left + TruncToPixel(std::clamp(state.alongM / length, 0.0, 1.0) * (width - 1));
    for (int c = 0; c < width; ++c) {
        const double h = column[static_cast<size_t>(c)];
        if (!std::isfinite(h))
            continue;
        const int x = client.left + c;
        const int y = range > 0 ? bottom - TruncToPixel((h - lowest) * scale) : bottom - height / 2;
        const bool walked = state.joined && x < place;
        out.Add(Polyline{Pen{walked ? kWalkedColour : AltitudeProfile::kCurveColour, 1},
                         {{x, y}, {x, bottom}}});
    }
    if (state.joined)
        out.Add(Polyline{Pen{kPlaceColour, 2}, {{place, client.top}, {place, bottom}}});
    AltitudeProfile::DrawHeightLabels(highest, lowest, client, units, out);
}

} // namespace hw
