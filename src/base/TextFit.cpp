#include "base/TextFit.h"

#include <algorithm>

namespace hw {

int PixelsToFit(int pixels, int room, const std::function<int(int pixels)>& widthAt)
{
    pixels = std::max(1, pixels);
    const int width = widthAt(pixels);
    if (width <= room)
        return pixels;
    if (room <= 0 || pixels == 1)
        return 1;
    // Widths grow about in proportion to the height: one estimate, then
    // single steps for the rounding of the glyphs.
    const int largest = pixels - 1;
    int fit =
        std::clamp(static_cast<int>(static_cast<long long>(pixels) * room / width), 1, largest);
    while (fit > 1 && widthAt(fit) > room)
        --fit;
    while (fit < largest && widthAt(fit + 1) <= room)
        ++fit;
    return fit;
}

} // namespace hw
