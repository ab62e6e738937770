#include "base/Colour.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

double HueToChannel(double p, double q, double t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    if (t < 1.0 / 6)
        return p + (q - p) * 6 * t;
    if (t < 0.5)
        return q;
    if (t < 2.0 / 3)
        return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

int ToByte(double v)
{
    return std::clamp(static_cast<int>(std::lround(v * 255.0)), 0, 255);
}

} // namespace

Colour WithLightness(Colour colour, double lightness)
{
    const double r = RedOf(colour) / 255.0;
    const double g = GreenOf(colour) / 255.0;
    const double b = BlueOf(colour) / 255.0;
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    const double oldL = (hi + lo) / 2;
    double h = 0;
    double s = 0;
    if (hi != lo) {
        const double d = hi - lo;
        s = oldL > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
        if (hi == r)
            h = (g - b) / d + (g < b ? 6 : 0);
        else if (hi == g)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
    }
    const double l = std::clamp(lightness, 0.0, 1.0);
    if (s == 0)
        return Rgb(ToByte(l), ToByte(l), ToByte(l));
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return Rgb(ToByte(HueToChannel(p, q, h + 1.0 / 3)), ToByte(HueToChannel(p, q, h)),
               ToByte(HueToChannel(p, q, h - 1.0 / 3)));
}

} // namespace hw
